#include "TileWindow.h"

#include "drawing/PictureView.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "values/FrameWindow.h"

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

TileWindow::TileWindow(const PictureView& picture, AppSettings::TileViewSection& settings,
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
    connect(cmdOK_, &QPushButton::clicked, this, &TileWindow::onOkClicked);
    connect(txtInput_, &QLineEdit::returnPressed, this, &TileWindow::onOkClicked);
    connect(&picture, &PictureView::pictureChanged, area_, &TileArea::pictureChanged);
    buildMenu();

    applyFont(settings_.fontBold, settings_.fontItalic, toQ(settings_.fontName),
              settings_.fontSize);
    applyColor();
    txtInput_->setText(toQ(settings_.text));
    onOkClicked();
    resize(480, 360);
}

void TileWindow::buildMenu() {
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
            &TileWindow::onInputTriggered);
    lettering->addSeparator()->setObjectName(QStringLiteral("mnuBar1"));
    connect(item(lettering, "mnuColor", Ui::tr("色(&C)")), &QAction::triggered, this,
            &TileWindow::onColorTriggered);
    connect(item(lettering, "mnuFont", Ui::tr("フォント(&F)")), &QAction::triggered, this,
            &TileWindow::onFontTriggered);
}

void TileWindow::drawTile() {
    area_->redraw();
}

void TileWindow::layoutOverlay() {
    const int w = area_->width();
    const int h = area_->height();
    const QSize button = cmdOK_->size();
    cmdOK_->move(std::max(0, w - button.width()), std::max(0, h - button.height()));
    txtInput_->setGeometry(0, 0, w, std::max(0, h - button.height()));
    lblStr_->setGeometry(0, 0, w, h);
}

void TileWindow::onInputTriggered() {
    if (txtInput_->isVisible()) {
        onOkClicked();
        return;
    }
    txtInput_->show();
    cmdOK_->show();
    txtInput_->setFocus(Qt::OtherFocusReason);
}

void TileWindow::onOkClicked() {
    settings_.text = toStd(txtInput_->text());
    lblStr_->setText(txtInput_->text());
    txtInput_->hide();
    cmdOK_->hide();
}

void TileWindow::onFontTriggered() {
    // A cancelled dialog keeps the font.
    if (const auto f = dialogs_.chooseFont(this, lblStr_->font()))
        applyFont(f->bold(), f->italic(), f->family(), f->pointSizeF());
    takeKeysBack();
}

void TileWindow::onColorTriggered() {
    if (const auto c = dialogs_.chooseColor(this, colorFromValue(settings_.color))) {
        settings_.color = colorValue(*c);
        applyColor();
    }
    takeKeysBack();
}

void TileWindow::takeKeysBack() {
    if (!txtInput_->isVisible())
        area_->setFocus(Qt::OtherFocusReason);
}

void TileWindow::applyFont(bool bold, bool italic, const QString& name, double pointSize) {
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
        settings_.fontBold = bold;
        settings_.fontItalic = italic;
        settings_.fontName = toStd(name);
        settings_.fontSize = static_cast<std::int16_t>(roundHalfEven(pointSize));
        return;
    }
    // The font the label really shows, so that a usable name is stored.
    const QFontInfo shown(lblStr_->font());
    settings_.fontBold = shown.bold();
    settings_.fontItalic = shown.italic();
    settings_.fontName = toStd(shown.family());
    settings_.fontSize = static_cast<std::int16_t>(
        std::clamp(roundHalfEven(shown.pointSizeF()), 1.0, kLargestPointSize));
}

void TileWindow::applyColor() {
    QPalette pal = lblStr_->palette();
    pal.setColor(QPalette::WindowText, colorFromValue(settings_.color));
    lblStr_->setPalette(pal);
}

bool TileWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == area_ && e->type() == QEvent::Resize)
        layoutOverlay();
    return QMainWindow::eventFilter(watched, e);
}

void TileWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void TileWindow::closeEvent(QCloseEvent* e) {
    Q_EMIT closing(QRect(frameGeometry().topLeft(), size()));
    QMainWindow::closeEvent(e);
}

} // namespace wavory
