#pragma once
// The one-level undo of drawing: the picture as it was just before a drawing started,
// put back on request. It restores pixels only, never parameters.
//
// For a drawing nothing is copied: keeping the picture takes the canvas's memory, and the
// canvas gets memory of its own for the drawing to write every pixel of (a drawing reads
// the kept picture as the one it goes over). Undo swaps the two back. The picture kept
// before stays until the drawing is settled, so that a drawing that fails can be taken
// back whole: the picture, and what undo gives, as they were before it.

#include "image/Canvas.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

namespace wavory {

class UndoImage {
  public:
    // Keeps a copy of the canvas (in the memory kept before when the size is the same);
    // the canvas stays as it is. False when there is not enough memory for it; nothing
    // changes then.
    bool save(const Canvas& canvas) noexcept {
        try {
            image_ = canvas;
        } catch (...) {
            return false;
        }
        available_ = true;
        return true;
    }

    // Keeps the canvas's picture without copying it: the canvas keeps its size, with
    // pixels undefined until a drawing writes them. False when there is not enough memory
    // for the second picture; nothing changes then and the caller should not draw.
    // Until settle() or revert() the picture kept before is held as well.
    bool keep(Canvas& canvas) noexcept {
        Canvas target;
        try {
            target.resizeForOverwrite(canvas.width(), canvas.height());
        } catch (const std::bad_alloc&) {
            return false;
        }
        previous_ = std::move(image_);
        previousAvailable_ = available_;
        image_ = std::move(canvas);
        canvas = std::move(target);
        available_ = true;
        pending_ = true;
        return true;
    }
    // Whether a keep() is waiting for its drawing to be settled or taken back.
    bool pending() const { return pending_; }
    // The drawing after keep() stands (completed or stopped): the picture kept before it
    // is let go.
    void settle() noexcept {
        previous_ = Canvas();
        pending_ = false;
    }
    // The drawing after keep() failed: the kept picture goes back onto the canvas and the
    // picture kept before (or none) is the undo image again. False (nothing changes)
    // without a pending keep().
    bool revert(Canvas& canvas) noexcept {
        if (!pending_)
            return false;
        canvas = std::move(image_);
        image_ = std::move(previous_);
        previous_ = Canvas();
        available_ = previousAvailable_;
        pending_ = false;
        return true;
    }

    // The kept picture, or null when there is none.
    const Canvas* picture() const { return available_ ? &image_ : nullptr; }

    // Puts the kept picture back onto the canvas, as far as it fits when the canvas has
    // another size by now (the rest black); afterwards there is nothing to undo until the
    // next keep(). False (canvas untouched) when nothing is kept.
    bool restore(Canvas& canvas) noexcept {
        if (!available_)
            return false;
        available_ = false;
        if (canvas.width() == image_.width() && canvas.height() == image_.height()) {
            std::swap(canvas, image_);
            return true;
        }
        canvas.clear();
        const int w = std::min(image_.width(), canvas.width());
        const int h = std::min(image_.height(), canvas.height());
        for (int y = 0; y < h; ++y) {
            std::copy_n(image_.data() + y * image_.rowBytes(), static_cast<std::size_t>(w) * 3,
                        canvas.data() + y * canvas.rowBytes());
        }
        return true;
    }

    bool available() const { return available_; }

    // Forgets the kept picture and its memory.
    void discard() noexcept {
        image_ = Canvas();
        previous_ = Canvas();
        available_ = false;
        pending_ = false;
    }

  private:
    Canvas image_;
    bool available_ = false;
    Canvas previous_; // what was kept before the pending keep()
    bool previousAvailable_ = false;
    bool pending_ = false;
};

} // namespace wavory
