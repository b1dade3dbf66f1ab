#pragma once
// picMain: the drawing surface of the picture window. It shows the canvas inside a
// 2-pixel border, one pixel per pixel, never scaled. The display keeps its own copy of
// the picture in the screen's pixel format; a drawing hands over only the columns it
// has just computed, from its worker thread, and the repaint follows on the UI thread.

#include "image/Canvas.h"

#include <QFrame>
#include <QImage>

#include <atomic>
#include <mutex>

namespace wavory {

class CenterMarker;

class PictureView : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kBorder = 2;

    explicit PictureView(QWidget* parent = nullptr);

    // Inner size = image size; the old picture is kept where it still fits.
    void setImageSize(int width, int height);
    int imageWidth() const { return image_.width(); }
    int imageHeight() const { return image_.height(); }

    // Whole picture from the canvas (after undo, a size change, a clear).
    void showCanvas(const Canvas& canvas);
    // Columns x0..x1 (inclusive) from the canvas; safe to call from a worker thread
    // while the UI thread paints.
    void transferColumns(const Canvas& canvas, int x0, int x1);
    // The whole picture black, as a canvas of this size just cleared shows it; as safe
    // as transferColumns.
    void showBlack(int width, int height);

    // The shown picture, for tests and the clipboard.
    QImage shownImage() const;

    CenterMarker* marker() const { return shpCenter_; }

  Q_SIGNALS:
    void rightButtonReleased(const QPoint& globalPos);
    // The shown picture changed (on the UI thread; columns of a drawing in batches).
    void pictureChanged();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    // Queues the repaint of the dirty rectangle (from any thread).
    void scheduleRepaint();

    mutable std::mutex mutex_;
    QImage image_;
    QRect dirty_;
    std::atomic<bool> repaintPending_{false};
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
