#include "PictureView.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace wavory {

namespace {

// The shown image is in the screen's pixel format (RGB32), so painting it is a plain
// copy; the columns are converted once as they arrive, on the drawing's own thread, by
// Qt's own vectorised conversion (a few times faster than a loop over the pixels).
void copyColumns(const Canvas& canvas, QImage& image, int x0, int x1) {
    const int width = x1 - x0 + 1;
    const QImage columns =
        QImage(canvas.data() + static_cast<std::size_t>(x0) * 3, width, canvas.height(),
               static_cast<qsizetype>(canvas.rowBytes()), QImage::Format_RGB888)
            .convertToFormat(QImage::Format_RGB32);
    std::uint8_t* dst = image.bits();
    const auto dstStride = static_cast<std::size_t>(image.bytesPerLine());
    const std::size_t offset = static_cast<std::size_t>(x0) * 4;
    const std::size_t bytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < canvas.height(); ++y)
        std::memcpy(dst + static_cast<std::size_t>(y) * dstStride + offset, columns.constScanLine(y),
                    bytes);
}

} // namespace

PictureView::PictureView(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("picMain"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setAttribute(Qt::WA_OpaquePaintEvent);
    shpCenter_ = new CenterMarker(this);
    shpCenter_->hide();
}

void PictureView::setImageSize(int width, int height) {
    {
        std::lock_guard lock(mutex_);
        QImage next(width, height, QImage::Format_RGB32);
        next.fill(Qt::black);
        if (!image_.isNull()) {
            QPainter p(&next);
            p.drawImage(0, 0, image_);
        }
        image_ = std::move(next);
        dirty_ = {};
    }
    setFixedSize(width + 2 * kBorder, height + 2 * kBorder);
    update();
    Q_EMIT pictureChanged();
}

void PictureView::showCanvas(const Canvas& canvas) {
    {
        std::lock_guard lock(mutex_);
        if (canvas.width() != image_.width() || canvas.height() != image_.height())
            return;
        if (!canvas.empty())
            copyColumns(canvas, image_, 0, canvas.width() - 1);
    }
    update();
    Q_EMIT pictureChanged();
}

void PictureView::transferColumns(const Canvas& canvas, int x0, int x1) {
    if (x1 < x0)
        return;
    {
        std::lock_guard lock(mutex_);
        if (canvas.width() != image_.width() || canvas.height() != image_.height())
            return;
        copyColumns(canvas, image_, x0, x1);
        dirty_ |= QRect(x0, 0, x1 - x0 + 1, canvas.height());
    }
    scheduleRepaint();
}

void PictureView::showBlack(int width, int height) {
    {
        std::lock_guard lock(mutex_);
        if (width != image_.width() || height != image_.height())
            return;
        image_.fill(Qt::black);
        dirty_ = image_.rect();
    }
    scheduleRepaint();
}

void PictureView::scheduleRepaint() {
    // One queued repaint at a time; columns that arrive meanwhile join its rectangle.
    if (!repaintPending_.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                repaintPending_ = false;
                QRect r;
                {
                    std::lock_guard lock(mutex_);
                    r = dirty_;
                    dirty_ = {};
                }
                if (!r.isEmpty()) {
                    update(r.translated(kBorder, kBorder));
                    Q_EMIT pictureChanged();
                }
            },
            Qt::QueuedConnection);
    }
}

QImage PictureView::shownImage() const {
    std::lock_guard lock(mutex_);
    return image_.copy();
}

void PictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    {
        std::lock_guard lock(mutex_);
        const QRect target = e->rect() & QRect(kBorder, kBorder, image_.width(), image_.height());
        if (!target.isEmpty())
            p.drawImage(target, image_, target.translated(-kBorder, -kBorder));
    }
    drawFrame(&p);
}

void PictureView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton)
        Q_EMIT rightButtonReleased(e->globalPosition().toPoint());
    QFrame::mouseReleaseEvent(e);
}

CenterMarker::CenterMarker(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("shpCenter"));
    setFixedSize(kSize, kSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CenterMarker::flash() {
    black_ = !black_;
    update();
}

void CenterMarker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), black_ ? Qt::white : Qt::black); // border
    p.fillRect(rect().adjusted(1, 1, -1, -1), black_ ? Qt::black : Qt::white);
}

} // namespace wavory
