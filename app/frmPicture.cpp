#include "frmPicture.h"

#include "WindowHelpers.h"
#include "WindowPlacement.h"

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
#include <new>

namespace wavory {

namespace {

bool sameSize(const Canvas& a, const Canvas& b) {
    return !a.empty() && a.width() == b.width() && a.height() == b.height();
}

} // namespace

frmPicture::frmPicture(QWidget* parent) : QWidget(parent, Qt::Window) {
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

    tmrFlashshpCenter_.setObjectName(QStringLiteral("tmrFlashshpCenter"));
    tmrFlashshpCenter_.setInterval(500);
    connect(&tmrFlashshpCenter_, &QTimer::timeout, picMain_->marker(), &CenterMarker::flash);
    connect(picMain_, &PictureView::rightButtonReleased, this, [this](const QPoint& at) {
        if (popup_)
            popup_->popup(at);
    });
}

void frmPicture::setImageSize(int width, int height) {
    Canvas next(width, height);
    const int w = std::min(width, canvas_.width());
    const int h = std::min(height, canvas_.height());
    for (int y = 0; y < h; ++y) {
        std::copy_n(canvas_.data() + y * canvas_.rowBytes(), static_cast<std::size_t>(w) * 3,
                    next.data() + y * next.rowBytes());
    }
    canvas_ = std::move(next);
    drawOverUndo_ = false;
    picMain_->setImageSize(width, height);
    picMain_->showCanvas(canvas_);
    fitToImage();
}

void frmPicture::fitToImage() {
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

void frmPicture::clearPicture() {
    canvas_.clear();
    refreshAll();
}

bool frmPicture::undoMemoryThere() const {
    if (!undoReserve_)
        return true;
    try {
        undoReserve_(static_cast<std::size_t>(canvas_.rowBytes()) * canvas_.height());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool frmPicture::saveUndo() {
    if (!undoMemoryThere() || !undo_.save(canvas_))
        return false;
    drawOverUndo_ = false;
    return true;
}

bool frmPicture::saveUndoForDrawing() {
    if (!undoMemoryThere() || !undo_.keep(canvas_))
        return false;
    drawOverUndo_ = true;
    picMain_->showMovedCanvas(*undo_.picture());
    return true;
}

bool frmPicture::drawOverUndoImage() {
    const Canvas* kept = undo_.picture();
    drawOverUndo_ = kept && kept->width() == canvas_.width() && kept->height() == canvas_.height();
    return drawOverUndo_;
}

const Canvas* frmPicture::takeDrawingBase() {
    const bool over = drawOverUndo_;
    drawOverUndo_ = false;
    if (!over)
        return nullptr;
    if (!undo_.pending()) {
        Canvas target;
        if (sameSize(held_, canvas_))
            target = std::move(held_);
        else
            target.resizeForOverwrite(canvas_.width(), canvas_.height());
        held_ = std::move(canvas_);
        canvas_ = std::move(target);
        holding_ = true;
    }
    return undo_.picture();
}

const Canvas& frmPicture::holdPicture() {
    if (sameSize(held_, canvas_)) {
        std::copy_n(canvas_.data(), static_cast<std::size_t>(canvas_.rowBytes()) * canvas_.height(),
                    held_.data());
    } else {
        Canvas copy = canvas_;
        held_ = std::move(copy);
    }
    holding_ = true;
    return held_;
}

void frmPicture::settleDrawing() {
    undo_.settle();
    holding_ = false;
}

void frmPicture::revertDrawing() {
    drawOverUndo_ = false;
    if (!undo_.revert(canvas_) && holding_)
        canvas_ = std::move(held_);
    held_ = Canvas();
    holding_ = false;
    refreshAll();
}

void frmPicture::releaseHeld() {
    if (!holding_)
        held_ = Canvas();
}

void frmPicture::undo() {
    drawOverUndo_ = false;
    undo_.restore(canvas_);
    refreshAll();
}

void frmPicture::refreshAll() {
    picMain_->showCanvas(canvas_);
}

void frmPicture::MoveshpCenter(const QString& vStrX, const QString& vStrY) {
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

QPoint frmPicture::shpCenterPosition() const {
    return picMain_->marker()->pos() - QPoint(PictureView::kBorder, PictureView::kBorder);
}

bool frmPicture::shpCenterVisible() const {
    return !picMain_->marker()->isHidden();
}

void frmPicture::ShowshpCenter(bool vBool) {
    picMain_->marker()->setVisible(vBool);
    if (vBool) {
        tmrFlashshpCenter_.start();
    } else {
        tmrFlashshpCenter_.stop();
    }
}

void frmPicture::keyPressEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat())
        pressedKey_ = e->key();
    QWidget::keyPressEvent(e);
}

void frmPicture::keyReleaseEvent(QKeyEvent* e) {
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

void frmPicture::closeEvent(QCloseEvent* e) {
    if (hideOnCloseBox(*this, *e, closing_)) {
        Q_EMIT closedByUser();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace wavory
