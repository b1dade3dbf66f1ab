#pragma once
// frmPicture: the picture window. It owns the canvas every drawing renders into, the
// hidden undo image (the picture the last drawing went over) and the center marker. Its
// size follows the image while the image fits on the screen; a larger image makes a
// screen-sized window that scrolls.

#include "engine/UndoImage.h"
#include "image/Canvas.h"

#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <functional>

class QMenu;
class QScrollArea;

namespace wavory {

class PictureView;

class frmPicture : public QWidget {
    Q_OBJECT
  public:
    explicit frmPicture(QWidget* parent = nullptr);

    // The picture every drawing renders into and everything else reads.
    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    PictureView* picMain() const { return picMain_; }

    // Image size (the drawing surface's inner size); the canvas keeps what still fits.
    void setImageSize(int width, int height);
    int imageWidth() const { return canvas_.width(); }
    int imageHeight() const { return canvas_.height(); }

    // Clears the picture to black.
    void clearPicture();
    // Copies the canvas into the undo image, the canvas staying as it is; false when
    // memory runs out.
    bool saveUndo();
    // Before a drawing: the picture becomes the undo image, which the next drawing goes
    // over, and the canvas gets memory of its own for that drawing, its pixels undefined
    // until the drawing writes them (the picture is shown from the undo image until the
    // drawing starts). False when memory runs out; nothing changes then.
    bool saveUndoForDrawing();
    // Called with the undo image's size in bytes before it is saved; throwing
    // std::bad_alloc there is running out of memory (tests).
    void setUndoReserve(std::function<void(std::size_t)> reserve) {
        undoReserve_ = std::move(reserve);
    }
    // Puts the undo image back.
    void undo();
    // Whether there is an undo image to put back.
    bool undoAvailable() const { return undo_.available(); }
    // The next drawing goes over the undo image again and keeps it for undo (a series of
    // drawings that counts as one); false without one of the picture's size.
    bool drawOverUndoImage();
    // What the drawing about to start goes over: the undo image right after
    // saveUndoForDrawing() or drawOverUndoImage(), otherwise nothing (the canvas itself).
    // Asked once. Going over the undo image again, the canvas gets memory of its own and
    // the picture on it is held (std::bad_alloc when the memory is not there).
    const Canvas* takeDrawingBase();
    // Before a drawing over the canvas itself: a copy of the picture, held until the
    // drawing is settled (std::bad_alloc when the memory is not there).
    const Canvas& holdPicture();
    // After the drawing: it stands (completed or stopped), and what was held for taking it
    // back is let go; or it failed, and the picture, the undo image and the screen are put
    // back as they were before saveUndoForDrawing(), drawOverUndoImage() or
    // holdPicture().
    // The memory held stays for the next drawing of the same drawing state (the frames
    // of an animation, a series as values change) until releaseHeld().
    void settleDrawing();
    void revertDrawing();
    void releaseHeld();
    // Shows the whole canvas again (after a change made outside a drawing).
    void refreshAll();

    // Center marker: follows the center fields' texts; shown and flashing while a center
    // field has the focus.
    void MoveshpCenter(const QString& vStrX, const QString& vStrY);
    void ShowshpCenter(bool vBool);
    QPoint shpCenterPosition() const; // in the surface's inner pixel coordinates
    bool shpCenterVisible() const;

    // The menu opened by a right click on the picture.
    void setPopupMenu(QMenu* menu) { popup_ = menu; }

    // The program is ending: a close request then really closes the window; any other
    // close request (the close box) only hides it.
    void allowClose() { closing_ = true; }

  Q_SIGNALS:
    // Ctrl+C, F1, F3 and F5 belong to the main window's menu (F5 draws and stops, so the
    // stop is at hand when a large picture covers the main window).
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);
    // The close box hid the window.
    void closedByUser();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void fitToImage();
    // Asks the test hook whether memory for the undo image is there.
    bool undoMemoryThere() const;

    Canvas canvas_;
    UndoImage undo_; // picUndo
    bool drawOverUndo_ = false; // the next drawing goes over the undo image
    Canvas held_; // the picture a drawing replaces when no undo image holds it, until settled
    bool holding_ = false; // held_ is that picture (otherwise only memory kept for the next)
    QScrollArea* scroll_;
    PictureView* picMain_;
    QTimer tmrFlashshpCenter_;
    QMenu* popup_ = nullptr;
    std::function<void(std::size_t)> undoReserve_;
    int pressedKey_ = 0; // the last key pressed in this window
    bool closing_ = false;
};

} // namespace wavory
