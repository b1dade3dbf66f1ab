#include "ExtrasController.h"

#include "colors/ColorSetController.h"
#include "platform/FileDialogs.h"
#include "HistoryController.h"
#include "values/ParamController.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "VariationController.h"
#include "colorsets/ColorSetExchange.h"
#include "colorsets/ColorSetFileCommands.h"
#include "colorsets/ImageColorSet.h"
#include "io/AtomicFile.h"
#include "params/SeamlessTile.h"

#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QWidget>

namespace wavory {

namespace {

const char* const kGimpFilter = QT_TRANSLATE_NOOP(
    "Ui", "GIMPグラデーション・パレット(*.ggr;*.gpl)|*.ggr;*.gpl|すべてのﾌｧｲﾙ|*.*");
const char* const kGradientFilter = QT_TRANSLATE_NOOP("Ui", "GIMPグラデーション(*.ggr)|*.ggr");
const char* const kPaletteFilter = QT_TRANSLATE_NOOP("Ui", "GIMPパレット(*.gpl)|*.gpl");
const char* const kImageFilter = QT_TRANSLATE_NOOP(
    "Ui", "画像(*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|すべてのﾌｧｲﾙ|*.*");

// Pictures are read whole up to this size; a photograph is far smaller.
constexpr std::size_t kMaxPictureBytes = 64 * 1024 * 1024;
// The colours are counted on a copy at most this many pixels wide and high: the dominant
// colours stay, the time does not grow with the picture.
constexpr int kCountingSide = 512;

// The picture as 8-bit RGB, or a message why not.
Result readPicture(const QString& path, Canvas& picture) {
    std::string bytes;
    if (const std::error_code ec = readWholeFile(toStd(path), bytes, kMaxPictureBytes))
        return Result::failure(
            MessageIcon::Critical,
            toStd(Ui::tr("画像を読み込めませんでした。\r\n%1").arg(toQ(systemErrorText(ec)))));
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                    static_cast<int>(bytes.size()));
    if (image.isNull())
        return Result::failure(MessageIcon::Critical,
                               toStd(Ui::tr("画像を読み込めませんでした。\r\n"
                                            "PNG、JPEG、BMP のどれでもないか、壊れています。")));
    if (image.width() > kCountingSide || image.height() > kCountingSide)
        image = image.scaled(kCountingSide, kCountingSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_RGB888);
    picture.resize(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(image.constScanLine(y), picture.rowBytes(),
                    picture.data() + y * picture.rowBytes());
    return {};
}

} // namespace

ExtrasController::ExtrasController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {}

void ExtrasController::fillMenu(QMenu* menu) {
    const auto item = [menu](const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    connect(item("mnuSeamless", Ui::tr("継ぎ目なしにする(&S)")), &QAction::triggered, this,
            &ExtrasController::makeSeamless);
    menu->addSeparator();
    connect(item("mnuGimpLoad", Ui::tr("GIMPのグラデーション・パレットを読み込む(&L)...")),
            &QAction::triggered, this, &ExtrasController::importGimpColorSet);
    connect(item("mnuGimpGradientSave", Ui::tr("色セットをGIMPグラデーションとして保存(&G)...")),
            &QAction::triggered, this, &ExtrasController::exportGimpGradient);
    connect(item("mnuGimpPaletteSave", Ui::tr("色セットをGIMPパレットとして保存(&P)...")),
            &QAction::triggered, this, &ExtrasController::exportGimpPalette);
    QMenu* fromImage = menu->addMenu(Ui::tr("画像から色セットを作る(&I)"));
    fromImage->menuAction()->setObjectName(QStringLiteral("mnuColorSetFromImage"));
    for (int n = kMinColorPoints; n <= kMaxColorPoints; ++n) {
        QAction* count = fromImage->addAction(Ui::tr("%1 色...").arg(n));
        count->setObjectName(QStringLiteral("mnuColorSetFromImage_%1").arg(n));
        connect(count, &QAction::triggered, this, [this, n] { colorSetFromImage(n); });
    }
    menu->addSeparator();
    connect(item("mnuHistory", Ui::tr("履歴(&H)...")), &QAction::triggered,
            &parts_.history, &HistoryController::show);
    connect(item("mnuVariations", Ui::tr("バリエーション(&V)...")), &QAction::triggered,
            &parts_.variations, &VariationController::show);
}

void ExtrasController::makeSeamless() {
    SeamlessChange change;
    parts_.params.command([&change](ParamModel& model) { change = wavory::makeSeamless(model); });
    parts_.dialogs.report(window_, seamlessChangeReport(change));
}

QString ExtrasController::chooseFile(bool save, const QString& filters, const QString& name) {
    const QString proposal = folder_ + name;
    const QString chosen =
        save ? parts_.dialogs.saveFileName(window_, Ui::tr(kSaveDialogTitle), filters, proposal)
             : parts_.dialogs.openFileName(window_, Ui::tr(kOpenDialogTitle), filters, proposal);
    if (!chosen.isEmpty())
        folder_ = QFileInfo(chosen).absolutePath() + QLatin1Char('/');
    return chosen;
}

void ExtrasController::importGimpColorSet() {
    const QString chosen = chooseFile(false, Ui::tr(kGimpFilter), QString());
    if (chosen.isEmpty())
        return;
    parts_.dialogs.report(window_,
                          importExchangeColorSet(toStd(chosen), parts_.colorSets.colorSets()));
    Q_EMIT parts_.colorSets.listChanged();
}

void ExtrasController::exportGimpGradient() {
    exportSelected(true);
}

void ExtrasController::exportGimpPalette() {
    exportSelected(false);
}

void ExtrasController::exportSelected(bool gradient) {
    const GColor* set = parts_.colorSets.colorSets().selectedSet();
    if (!set)
        return;
    const QString suffix = gradient ? QStringLiteral(".ggr") : QStringLiteral(".gpl");
    QString chosen = chooseFile(true, gradient ? Ui::tr(kGradientFilter) : Ui::tr(kPaletteFilter),
                                toQ(set->name) + suffix);
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += suffix;
    parts_.dialogs.report(window_, exportExchangeColorSet(toStd(chosen), *set,
                                                          gradient ? ExchangeFormat::GimpGradient
                                                                   : ExchangeFormat::GimpPalette));
}

void ExtrasController::colorSetFromImage(int count) {
    const QString chosen = chooseFile(false, Ui::tr(kImageFilter), QString());
    if (chosen.isEmpty())
        return;
    Canvas picture;
    GColor set;
    Result result = readPicture(chosen, picture);
    if (result.ok())
        result = colorSetFromPicture(picture, count, toStd(QFileInfo(chosen).completeBaseName()),
                                     set);
    if (result.ok())
        result = addColorSet(set, parts_.colorSets.colorSets());
    parts_.dialogs.report(window_, result);
    Q_EMIT parts_.colorSets.listChanged();
}

} // namespace wavory
