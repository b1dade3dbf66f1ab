#include "PictureWindow.h"

#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"

#include "PictureDocument.h"
#include "PictureView.h"
#include "common/Numbers.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <cstdlib>

namespace wavory {

PictureWindow::PictureWindow(PictureDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmPicture"));
    setWindowTitle(QStringLiteral("Picture"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPicture"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMain_ = new PictureView;
    scroll_->setWidget(picMain_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);

    centerFlashTimer_.setObjectName(QStringLiteral("tmrFlashshpCenter"));
    centerFlashTimer_.setInterval(500);
    connect(&centerFlashTimer_, &QTimer::timeout, picMain_->marker(), &CenterMarker::flash);
    connect(picMain_, &PictureView::rightButtonReleased, this, [this](const QPoint& at) {
        if (popup_)
            popup_->popup(at);
    });
    connect(&document, &PictureDocument::resized, this, &PictureWindow::showImageSize);
    connect(&document, &PictureDocument::replaced, picMain_, &PictureView::showCanvas);
    connect(&document, &PictureDocument::moved, picMain_, &PictureView::showMovedCanvas);
    // A picture the document holds already is shown at once; the window fits itself to
    // the image at its next new size.
    if (!document.canvas().empty()) {
        picMain_->setImageSize(document.width(), document.height());
        picMain_->showCanvas(document.canvas());
    }
}

int PictureWindow::imageWidth() const {
    return picMain_->imageWidth();
}

int PictureWindow::imageHeight() const {
    return picMain_->imageHeight();
}

void PictureWindow::showImageSize(int width, int height) {
    picMain_->setImageSize(width, height);
    fitToImage();
}

void PictureWindow::fitToImage() {
    const QSize want = picMain_->size();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QSize room = screen ? screen->availableGeometry().size() : want;
    // Leave space for the window frame and title bar around the client area.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(8, 32);
    room -= frame;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = want;
    const bool tooWide = want.width() > room.width();
    const bool tooHigh = want.height() > room.height();
    if (tooWide)
        size.rheight() += bar;
    if (tooHigh)
        size.rwidth() += bar;
    size = size.boundedTo(room);
    const QSize before = this->size();
    resize(size);
    // Grown where it stands, it may reach past the screen's edge: its close box with it.
    pullOntoScreen(this, windowFrameMargins(this));
    // Pulled over the main window to fit a large picture, it goes back beside it once
    // the picture is small again, so that it no longer hides the fields.
    const bool shrunk = size.width() < before.width() || size.height() < before.height();
    if (shrunk && parentWidget())
        moveClearOf(this, parentWidget()->frameGeometry(), windowFrameMargins(this));
}

void PictureWindow::moveCenterMarker(const QString& vStrX, const QString& vStrY) {
    const auto x = strictInt32(vStrX.toStdString());
    const auto y = strictInt32(vStrY.toStdString());
    if (!x || !y)
        return;
    const int W = picMain_->imageWidth();
    const int H = picMain_->imageHeight();
    const int w = CenterMarker::kSize;
    const int h = CenterMarker::kSize;
    if (std::abs(static_cast<long long>(*y)) >= H)
        return;
    if (std::abs(static_cast<long long>(*x)) >= W / 2)
        return;
    const int left = (W - w - 1) / 2 - *x + 1;
    const int top = (H - h - 1) / 2 - *y + 1;
    picMain_->marker()->move(left + PictureView::kBorder, top + PictureView::kBorder);
}

QPoint PictureWindow::centerMarkerPosition() const {
    return picMain_->marker()->pos() - QPoint(PictureView::kBorder, PictureView::kBorder);
}

bool PictureWindow::centerMarkerVisible() const {
    return !picMain_->marker()->isHidden();
}

void PictureWindow::showCenterMarker(bool vBool) {
    picMain_->marker()->setVisible(vBool);
    if (vBool) {
        centerFlashTimer_.start();
    } else {
        centerFlashTimer_.stop();
    }
}

void PictureWindow::keyPressEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat())
        pressedKey_ = e->key();
    QWidget::keyPressEvent(e);
}

void PictureWindow::keyReleaseEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool ctrlC = key == Qt::Key_C && (e->modifiers() & Qt::ControlModifier);
    const bool forwarded = ctrlC || key == Qt::Key_F1 || key == Qt::Key_F3 || key == Qt::Key_F5;
    // Only a key pressed here too: F5 pressed in the main window starts a drawing that
    // brings this window to the front, where the release must not stop it again.
    if (!e->isAutoRepeat() && forwarded && pressedKey_ == key) {
        pressedKey_ = 0;
        Q_EMIT keyForwarded(key, e->modifiers());
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void PictureWindow::closeEvent(QCloseEvent* e) {
    if (hideOnCloseBox(*this, *e, closing_)) {
        Q_EMIT closedByUser();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace wavory
