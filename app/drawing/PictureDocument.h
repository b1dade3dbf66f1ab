#pragma once
// PictureDocument: the picture the program works on, outside every window. It owns the
// canvas every drawing renders into and everything else reads (Save, Copy, the history,
// the variations, the animation's frames), the one-level undo image, and what a drawing
// in progress needs to be taken back: the picture it goes over and the picture it
// replaces. Views follow it through its signals; only the draw session runs the drawing
// protocol (keep → base → settle or revert).

#include "engine/UndoImage.h"
#include "image/Canvas.h"

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace wavory {

class PictureDocument : public QObject {
    Q_OBJECT
  public:
    explicit PictureDocument(QObject* parent = nullptr);

    const Canvas& canvas() const { return canvas_; }
    // Writable for the drawing's worker and for changes made outside a drawing (call
    // refreshAll() afterwards).
    Canvas& canvas() { return canvas_; }
    int width() const { return canvas_.width(); }
    int height() const { return canvas_.height(); }

    // A new image size; the canvas keeps what still fits, the rest black.
    void setImageSize(int width, int height);
    // Clears the picture to black.
    void clear();
    // Tells the views that the whole canvas changed (after a change made outside a drawing).
    void refreshAll();
    // Changes whenever the picture does (a drawing settled or taken back, undo, a clear, a
    // new size, refreshAll()): equal numbers, the same picture.
    std::uint64_t pictureVersion() const { return version_; }

    // Puts the undo image back.
    void undo();
    // Whether there is an undo image to put back.
    bool undoAvailable() const { return undo_.available(); }
    // The undo image, or null without one (a series of drawings goes over it again).
    const Canvas* undoPicture() const { return undo_.picture(); }
    // Called with the undo image's size in bytes before it is kept; throwing
    // std::bad_alloc there is running out of memory (tests).
    void setUndoReserve(std::function<void(std::size_t)> reserve) {
        undoReserve_ = std::move(reserve);
    }

    // The drawing protocol, run by the draw session alone.
    // Before a drawing: the picture becomes the undo image, which the next drawing goes
    // over, and the canvas gets memory of its own for that drawing, its pixels undefined
    // until the drawing writes them (the picture is shown from the undo image until the
    // drawing starts). False when memory runs out; nothing changes then.
    bool keepForDrawing();
    // The next drawing goes over the undo image again and keeps it for undo (a series of
    // drawings that counts as one); false without one of the picture's size.
    bool drawOverUndoImage();
    // What the drawing about to start goes over: the undo image right after
    // keepForDrawing() or drawOverUndoImage(), otherwise nothing (the canvas itself).
    // Asked once. Going over the undo image again, the canvas gets memory of its own and
    // the picture on it is held (std::bad_alloc when the memory is not there).
    const Canvas* takeDrawingBase();
    // Before a drawing over the canvas itself: a copy of the picture, held until the
    // drawing is settled (std::bad_alloc when the memory is not there).
    const Canvas& holdPicture();
    // After the drawing: it stands (completed or stopped), and what was held for taking it
    // back is let go; or it failed, and the picture and the undo image are put back as
    // they were before keepForDrawing(), drawOverUndoImage() or holdPicture(), and the
    // views shown it whole.
    // The memory held stays for the next drawing of the same drawing state (the frames
    // of an animation, a series as values change) until releaseHeld().
    void settleDrawing();
    void revertDrawing();
    void releaseHeld();

  Q_SIGNALS:
    // Undo, a clear or a new size is about to change the picture.
    void aboutToChange();
    // The image has a new size; replaced() follows.
    void resized(int width, int height);
    // The whole canvas is to be shown again (it may have other memory by now).
    void replaced(const Canvas& canvas);
    // The picture shown moved, unchanged, into `kept`'s memory (kept for undo).
    void moved(const Canvas& kept);

  private:
    // Asks the test hook whether memory for the undo image is there.
    bool undoMemoryThere() const;

    Canvas canvas_;
    UndoImage undo_; // picUndo
    bool drawOverUndo_ = false; // the next drawing goes over the undo image
    Canvas held_; // the picture a drawing replaces when no undo image holds it, until settled
    bool holding_ = false; // held_ is that picture (otherwise only memory kept for the next)
    std::function<void(std::size_t)> undoReserve_;
    std::uint64_t version_ = 0;
};

} // namespace wavory
