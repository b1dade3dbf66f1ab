#include "PictureView.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <limits>

namespace wavory {

namespace {

// Draws `source` of a picture in the canvas's format: the part is converted to the
// screen's format first by Qt's vectorised conversion, which is several times faster
// than painting the picture's own format pixel by pixel.
void drawPart(QPainter& p, QPoint to, const QImage& image, const QRect& source) {
    const QImage part(image.constBits() +
                          static_cast<qsizetype>(source.y()) * image.bytesPerLine() +
                          static_cast<qsizetype>(source.x()) * 3,
                      source.width(), source.height(), image.bytesPerLine(), image.format());
    p.drawImage(to, part.convertToFormat(QImage::Format_RGB32));
}

} // namespace

PictureView::PictureView(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("picMain"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setProperty("helpTopic", 27); // dragging moves the center
    shpCenter_ = new CenterMarker(this);
    shpCenter_->hide();
}

QImage PictureView::wrap(const Canvas& canvas) {
    if (canvas.empty())
        return {};
    // Read-only over the canvas's bytes: painting converts only the pixels it paints.
    return QImage(canvas.data(), canvas.width(), canvas.height(),
                  static_cast<qsizetype>(canvas.rowBytes()), QImage::Format_RGB888);
}

void PictureView::setImageSize(int width, int height) {
    {
        std::lock_guard lock(mutex_);
        width_ = width;
        height_ = height;
        front_ = {};
        frontColumns_ = 0;
        behind_ = {};
        preview_ = {};
        dirty_ = {};
    }
    setFixedSize(width + 2 * kBorder, height + 2 * kBorder);
    update();
}

void PictureView::showCanvas(const Canvas& canvas) {
    showWholeCanvas(canvas, false);
}

void PictureView::showWholeCanvas(const Canvas& canvas, bool keepPreview) {
    {
        std::lock_guard lock(mutex_);
        // A drawing stopped short keeps the preview beyond the columns it reached.
        previewFrom_ = std::min(previewFrom_, frontColumns_);
        front_ = wrap(canvas);
        frontColumns_ = canvas.width();
        behind_ = {};
        if (!keepPreview)
            preview_ = {};
        drawing_ = false;
        dirty_ = {};
    }
    update();
    Q_EMIT pictureChanged();
}

void PictureView::showPreview(const Canvas& preview, int factor) {
    QImage image = wrap(preview).convertToFormat(QImage::Format_RGB32);
    {
        std::lock_guard lock(mutex_);
        preview_ = std::move(image);
        previewFactor_ = std::max(factor, 1);
        // Shown before its drawing begins, it stands for newer values than the picture.
        previewFrom_ = drawing_ ? std::numeric_limits<int>::max() : 0;
        dirty_ = QRect(0, 0, width_, height_);
    }
    scheduleRepaint();
}

void PictureView::dropPreview() {
    {
        std::lock_guard lock(mutex_);
        if (preview_.isNull())
            return;
        preview_ = {};
    }
    update();
}

bool PictureView::previewShown() const {
    std::lock_guard lock(mutex_);
    return !preview_.isNull();
}

void PictureView::showMovedCanvas(const Canvas& canvas) {
    {
        std::lock_guard lock(mutex_);
        if (showsInFull(canvas.data()) && front_.width() == canvas.width() &&
            front_.height() == canvas.height())
            return;
    }
    showCanvas(canvas);
}

bool PictureView::showsInFull(const std::uint8_t* bits) const {
    return !front_.isNull() && front_.constBits() == bits && frontColumns_ >= front_.width() &&
           front_.width() == width_ && front_.height() == height_;
}

void PictureView::drawingBegins(QImage front, QImage behind, bool behindShown) {
    {
        std::lock_guard lock(mutex_);
        front_ = std::move(front);
        frontColumns_ = 0;
        behind_ = std::move(behind);
        drawing_ = true;
        previewFrom_ = std::numeric_limits<int>::max();
        // A repaint still queued paints the same pixels from behind.
        if (behindShown)
            return;
        dirty_ = QRect(0, 0, width_, height_);
    }
    scheduleRepaint();
}

void PictureView::beginDrawing(const Canvas& canvas, const Canvas* behind) {
    bool shown = false;
    if (behind) {
        std::lock_guard lock(mutex_);
        shown = showsInFull(behind->data()) && behind->width() == width_ &&
                behind->height() == height_;
    }
    drawingBegins(wrap(canvas), behind ? wrap(*behind) : QImage(), shown);
}

void PictureView::beginDrawingOverItself(const Canvas& canvas) {
    QImage front = wrap(canvas);
    QImage kept = front.copy();
    bool shown = false;
    {
        std::lock_guard lock(mutex_);
        shown = showsInFull(canvas.data());
    }
    drawingBegins(std::move(front), std::move(kept), shown);
}

void PictureView::transferColumns(int x0, int x1) {
    if (x1 < x0)
        return;
    {
        std::lock_guard lock(mutex_);
        frontColumns_ = std::max(frontColumns_, x1 + 1);
        dirty_ |= QRect(x0, 0, x1 - x0 + 1, height_);
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

void PictureView::drawingEnded(const Canvas& canvas) {
    {
        std::lock_guard lock(mutex_);
        const bool allShown = front_.constBits() == canvas.data() &&
                              front_.width() == canvas.width() &&
                              front_.height() == canvas.height() && frontColumns_ >= canvas.width();
        if (allShown) {
            behind_ = {};
            preview_ = {}; // covered by the columns
            drawing_ = false;
            return;
        }
    }
    showWholeCanvas(canvas, true);
}

void PictureView::paintPicture(QPainter& p, const QRect& area, QPoint at,
                               bool withPreview) const {
    // The columns handed over from the canvas, the others from the preview or from
    // behind, black where neither reaches.
    const bool previewed = withPreview && !preview_.isNull();
    const int exact = previewed ? std::min(frontColumns_, previewFrom_) : frontColumns_;
    const QRect drawn = area & front_.rect() & QRect(0, 0, exact, height_);
    QRegion rest = QRegion(area);
    if (!drawn.isEmpty()) {
        drawPart(p, drawn.topLeft() + at, front_, drawn);
        rest -= drawn;
    }
    if (previewed) {
        const int k = previewFactor_;
        const QRect target(at, preview_.size() * k);
        p.save();
        p.setClipRegion(rest.translated(at));
        p.drawImage(target, preview_);
        p.restore();
        rest -= target.translated(-at);
    }
    for (const QRect& r : rest) {
        const QRect fromBehind = r & behind_.rect();
        if (!fromBehind.isEmpty())
            drawPart(p, fromBehind.topLeft() + at, behind_, fromBehind);
        for (const QRect& black : QRegion(r) - QRegion(fromBehind))
            p.fillRect(black.translated(at), Qt::black);
    }
}

QImage PictureView::shownImage() const {
    std::lock_guard lock(mutex_);
    QImage image(width_, height_, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter p(&image);
    paintPicture(p, image.rect(), {}, false);
    return image;
}

void PictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    {
        std::lock_guard lock(mutex_);
        const QPoint at(kBorder, kBorder);
        const QRect area = e->rect().translated(-at) & QRect(0, 0, width_, height_);
        if (!area.isEmpty())
            paintPicture(p, area, at, true);
    }
    drawFrame(&p);
}

QPoint PictureView::picturePoint(const QPointF& at) const {
    const QPoint p = at.toPoint() - QPoint(kBorder, kBorder);
    return {std::clamp(p.x(), 0, std::max(width_ - 1, 0)),
            std::clamp(p.y(), 0, std::max(height_ - 1, 0))};
}

void PictureView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && !dragging_ && width_ > 0 && height_ > 0) {
        dragging_ = true;
        grabKeyboard();
        setMouseTracking(true); // a move without the button ends the drag
        setCursor(Qt::SizeAllCursor);
        Q_EMIT dragStarted(picturePoint(e->position()));
        return;
    }
    QFrame::mousePressEvent(e);
}

void PictureView::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) {
        // A release that never came (the button let go elsewhere) ends the drag here, so
        // that the keyboard is not kept.
        if (!(e->buttons() & Qt::LeftButton)) {
            endDrag();
            Q_EMIT dragFinished();
            return;
        }
        Q_EMIT dragMoved(picturePoint(e->position()));
        return;
    }
    QFrame::mouseMoveEvent(e);
}

void PictureView::hideEvent(QHideEvent* e) {
    if (dragging_) {
        endDrag();
        Q_EMIT dragFinished();
    }
    QFrame::hideEvent(e);
}

void PictureView::endDrag() {
    dragging_ = false;
    releaseKeyboard();
    setMouseTracking(false);
    unsetCursor();
}

void PictureView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && dragging_) {
        endDrag();
        Q_EMIT dragFinished();
        return;
    }
    if (e->button() == Qt::RightButton)
        Q_EMIT rightButtonReleased(e->globalPosition().toPoint());
    QFrame::mouseReleaseEvent(e);
}

void PictureView::keyPressEvent(QKeyEvent* e) {
    if (dragging_ && e->key() == Qt::Key_Escape) {
        endDrag();
        Q_EMIT dragCancelled();
        return;
    }
    QFrame::keyPressEvent(e);
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
