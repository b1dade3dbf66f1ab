#include "frmTile.h"

#include "PictureView.h"
#include "QtText.h"
#include "UserDialogs.h"
#include "frmButton.h"

#include "common/Numbers.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace wavory {

namespace {

// A size the font machinery takes, in points.
constexpr double kLargestPointSize = 2048;
// Repaints of a picture being drawn, at most this often (ms).
constexpr int kRepaintInterval = 60;

bool knownFamily(const QString& name) {
    return !name.trimmed().isEmpty() &&
           QFontDatabase::families().contains(name, Qt::CaseInsensitive);
}

} // namespace

TileArea::TileArea(const PictureView& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("picTile"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the tiles takes the keys back from the menu bar, which keeps them after
    // a dialog opened from its menu and swallows Esc.
    setFocusPolicy(Qt::ClickFocus);
    throttle_.setSingleShot(true);
    throttle_.setInterval(kRepaintInterval);
    connect(&throttle_, &QTimer::timeout, this, &TileArea::redraw);
}

void TileArea::pictureChanged() {
    stale_ = true;
    if (!throttle_.isActive())
        throttle_.start();
}

void TileArea::redraw() {
    stale_ = true;
    update();
}

void TileArea::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (stale_) {
        tile_ = QPixmap::fromImage(picture_.shownImage());
        stale_ = false;
    }
    if (tile_.isNull())
        p.fillRect(e->rect(), Qt::black);
    else
        p.drawTiledPixmap(rect(), tile_);
}

frmTile::frmTile(const PictureView& picture, AppSettings::TileViewSection& settings,
                 UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmTile"));
    setWindowTitle(Ui::tr("タイル表示"));
    area_ = new TileArea(picture, this);
    setCentralWidget(area_);
    area_->installEventFilter(this);

    lblStr_ = new QLabel(QStringLiteral("*"), area_);
    lblStr_->setObjectName(QStringLiteral("lblStr"));
    lblStr_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStr_->setWordWrap(true);
    lblStr_->setAttribute(Qt::WA_TransparentForMouseEvents);
    txtInput_ = new QLineEdit(area_);
    txtInput_->setObjectName(QStringLiteral("txtInput"));
    // The text stands where the lettering will.
    txtInput_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtInput_->hide();
    cmdOK_ = new QPushButton(QStringLiteral("OK"), area_);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->adjustSize();
    cmdOK_->hide();
    connect(cmdOK_, &QPushButton::clicked, this, &frmTile::cmdOK_Click);
    connect(txtInput_, &QLineEdit::returnPressed, this, &frmTile::cmdOK_Click);
    connect(&picture, &PictureView::pictureChanged, area_, &TileArea::pictureChanged);
    buildMenu();

    applyFont(settings_.FontBold, settings_.FontItalic, toQ(settings_.FontName),
              settings_.FontSize);
    applyColor();
    txtInput_->setText(toQ(settings_.Text));
    cmdOK_Click();
    resize(480, 360);
}

void frmTile::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    QMenu* view = menuBar()->addMenu(Ui::tr("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    connect(item(view, "mnuClose", Ui::tr("閉じる(&C)")), &QAction::triggered, this,
            &QWidget::close);
    QMenu* lettering = menuBar()->addMenu(Ui::tr("文字の試し書き(&S)"));
    lettering->setObjectName(QStringLiteral("mnuString"));
    connect(item(lettering, "mnuInput", Ui::tr("入力(&I)")), &QAction::triggered, this,
            &frmTile::mnuInput_Click);
    lettering->addSeparator()->setObjectName(QStringLiteral("mnuBar1"));
    connect(item(lettering, "mnuColor", Ui::tr("色(&C)")), &QAction::triggered, this,
            &frmTile::mnuColor_Click);
    connect(item(lettering, "mnuFont", Ui::tr("フォント(&F)")), &QAction::triggered, this,
            &frmTile::mnuFont_Click);
}

void frmTile::DrawTile() {
    area_->redraw();
}

void frmTile::layoutOverlay() {
    const int w = area_->width();
    const int h = area_->height();
    const QSize button = cmdOK_->size();
    cmdOK_->move(std::max(0, w - button.width()), std::max(0, h - button.height()));
    txtInput_->setGeometry(0, 0, w, std::max(0, h - button.height()));
    lblStr_->setGeometry(0, 0, w, h);
}

void frmTile::mnuInput_Click() {
    if (txtInput_->isVisible()) {
        cmdOK_Click();
        return;
    }
    txtInput_->show();
    cmdOK_->show();
    txtInput_->setFocus(Qt::OtherFocusReason);
}

void frmTile::cmdOK_Click() {
    settings_.Text = toStd(txtInput_->text());
    lblStr_->setText(txtInput_->text());
    txtInput_->hide();
    cmdOK_->hide();
}

void frmTile::mnuFont_Click() {
    // A cancelled dialog keeps the font.
    if (const auto f = dialogs_.chooseFont(this, lblStr_->font()))
        applyFont(f->bold(), f->italic(), f->family(), f->pointSizeF());
    takeKeysBack();
}

void frmTile::mnuColor_Click() {
    if (const auto c = dialogs_.chooseColor(this, colorFromValue(settings_.Color))) {
        settings_.Color = colorValue(*c);
        applyColor();
    }
    takeKeysBack();
}

void frmTile::takeKeysBack() {
    if (!txtInput_->isVisible())
        area_->setFocus(Qt::OtherFocusReason);
}

void frmTile::applyFont(bool bold, bool italic, const QString& name, double pointSize) {
    QFont f = lblStr_->font();
    f.setBold(bold);
    f.setItalic(italic);
    const bool nameUsable = knownFamily(name);
    const bool sizeUsable = pointSize >= 1 && pointSize <= kLargestPointSize;
    if (nameUsable)
        f.setFamily(name);
    if (sizeUsable)
        f.setPointSizeF(pointSize);
    lblStr_->setFont(f);
    txtInput_->setFont(f);
    if (nameUsable && sizeUsable) {
        settings_.FontBold = bold;
        settings_.FontItalic = italic;
        settings_.FontName = toStd(name);
        settings_.FontSize = static_cast<std::int16_t>(roundHalfEven(pointSize));
        return;
    }
    // The font the label really shows, so that a usable name is stored.
    const QFontInfo shown(lblStr_->font());
    settings_.FontBold = shown.bold();
    settings_.FontItalic = shown.italic();
    settings_.FontName = toStd(shown.family());
    settings_.FontSize = static_cast<std::int16_t>(
        std::clamp(roundHalfEven(shown.pointSizeF()), 1.0, kLargestPointSize));
}

void frmTile::applyColor() {
    QPalette pal = lblStr_->palette();
    pal.setColor(QPalette::WindowText, colorFromValue(settings_.Color));
    lblStr_->setPalette(pal);
}

bool frmTile::eventFilter(QObject* watched, QEvent* e) {
    if (watched == area_ && e->type() == QEvent::Resize)
        layoutOverlay();
    return QMainWindow::eventFilter(watched, e);
}

void frmTile::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void frmTile::closeEvent(QCloseEvent* e) {
    Q_EMIT closing(QRect(frameGeometry().topLeft(), size()));
    QMainWindow::closeEvent(e);
}

} // namespace wavory
