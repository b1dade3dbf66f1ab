#pragma once
// picMain: the drawing surface of the picture window. It shows the canvas inside a
// 2-pixel border, one pixel per pixel, never scaled, straight from the canvas's own
// memory: nothing is copied. During a drawing it shows the columns handed over so far
// and, in the others, what stood there before the drawing (black in normal mode); the
// drawing's worker hands the columns over and the repaint follows on the UI thread.

#include "image/Canvas.h"

#include <QFrame>
#include <QImage>

class QPainter;

#include <atomic>
#include <mutex>

namespace wavory {

class CenterMarker;

class PictureView : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kBorder = 2;

    explicit PictureView(QWidget* parent = nullptr);

    // Inner size = image size; the canvas of that size is shown by showCanvas().
    void setImageSize(int width, int height);
    int imageWidth() const { return width_; }
    int imageHeight() const { return height_; }

    // Shows the whole canvas (after a drawing, undo, a size change, a clear). The view
    // reads the canvas's memory from now on: call it again whenever the canvas gets
    // other memory, before the next repaint.
    void showCanvas(const Canvas& canvas);
    // The picture shown has moved, unchanged, into `canvas`'s memory (the undo image took
    // the canvas's memory): read from there, nothing to repaint. Otherwise as showCanvas.
    void showMovedCanvas(const Canvas& canvas);
    // A drawing into `canvas` (of the view's size) begins: none of its columns show yet;
    // the others show `behind` (the picture drawn over, read where it stands until the
    // drawing ends), or black without it. Safe to call from the drawing's worker while
    // the UI thread paints.
    void beginDrawing(const Canvas& canvas, const Canvas* behind);
    // The same where the drawing goes over the canvas itself: what it shows now is kept
    // aside (copied) to show behind the columns not yet handed over.
    void beginDrawingOverItself(const Canvas& canvas);
    // Columns x0..x1 (inclusive) of the drawing are final; x0 is the first column not
    // yet shown. As safe as beginDrawing.
    void transferColumns(int x0, int x1);

    // The drawing has ended: the whole canvas shows from now on (repainted only where
    // it was not shown yet).
    void drawingEnded(const Canvas& canvas);

    // A quick look at the drawing about to start (every factor-th pixel, see
    // PreviewParams), shown factor times larger over the whole picture until its drawing
    // begins, then wherever that drawing's columns have not reached; a drawing stopped
    // short leaves it beyond its columns. A completed drawing, showCanvas() and
    // dropPreview() take it away. It is never part of the picture: shownImage() leaves it
    // out. showPreview() is as safe as beginDrawing (the image is copied), the others
    // belong to the UI thread.
    void showPreview(const Canvas& preview, int factor);
    void dropPreview();
    bool previewShown() const;

    // The shown picture, for tests and the tile view.
    QImage shownImage() const;

    CenterMarker* marker() const { return shpCenter_; }

  Q_SIGNALS:
    void rightButtonReleased(const QPoint& globalPos);
    // A drag with the left button over the picture: where it was pressed and where the
    // pointer is now, in picture pixels held inside the picture; it ends with the release
    // (finished) or with Esc (cancelled), the keyboard being the view's meanwhile.
    void dragStarted(const QPoint& at);
    void dragMoved(const QPoint& at);
    void dragFinished();
    void dragCancelled();
    // The shown picture changed (on the UI thread; columns of a drawing in batches).
    void pictureChanged();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    // The picture pixel under a point of the view, held inside the picture.
    QPoint picturePoint(const QPointF& at) const;
    void endDrag();

    // Queues the repaint of the dirty rectangle (from any thread).
    void scheduleRepaint();

    // The canvas's pixels as an image (no copy).
    static QImage wrap(const Canvas& canvas);
    // Paints `area` of the shown picture (picture coordinates) at `at`, the preview
    // where it stands with `withPreview`; under the mutex.
    void paintPicture(QPainter& p, const QRect& area, QPoint at, bool withPreview) const;
    // showCanvas(), keeping the preview beyond the columns shown so far when asked.
    void showWholeCanvas(const Canvas& canvas, bool keepPreview);
    // `behindShown`: behind holds exactly the pixels on screen, so nothing is repainted.
    void drawingBegins(QImage front, QImage behind, bool behindShown);
    // The view shows all of the image at `bits` (under the mutex).
    bool showsInFull(const std::uint8_t* bits) const;

    mutable std::mutex mutex_; // guards the three below and dirty_
    QImage front_;             // over the canvas's memory
    int frontColumns_ = 0;     // columns [0, frontColumns_) show front_
    QImage behind_;            // the others; black when null
    QImage preview_;           // over behind_ when not null, previewFactor_ times larger
    int previewFactor_ = 1;
    int previewFrom_ = 0;      // the preview covers the columns from min(this, frontColumns_)
    bool drawing_ = false;     // between drawingBegins() and the drawing's end
    QRect dirty_;
    std::atomic<bool> repaintPending_{false};
    int width_ = 0;
    int height_ = 0;
    bool dragging_ = false;
    CenterMarker* shpCenter_;
};

// shpCenter: the small square that marks the image center while a center field is
// being edited; it flashes between black-on-white and white-on-black.
class CenterMarker : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 7;
    explicit CenterMarker(QWidget* parent);
    bool fillIsBlack() const { return black_; }
    void flash();

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    bool black_ = false;
};

} // namespace wavory
