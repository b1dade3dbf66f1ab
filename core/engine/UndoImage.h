#pragma once
// The one-level undo of drawing: the picture as it was just before a drawing started,
// put back on request. It restores pixels only, never parameters.
//
// For a drawing nothing is copied: keeping the picture takes the canvas's memory, and the
// canvas gets the memory of the picture kept before, for the drawing to write every pixel
// of (a drawing reads the kept picture as the one it goes over). Undo swaps the two back.

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
    bool keep(Canvas& canvas) noexcept {
        Canvas spare;
        if (image_.width() == canvas.width() && image_.height() == canvas.height()) {
            spare = std::move(image_);
        } else {
            try {
                spare.resizeForOverwrite(canvas.width(), canvas.height());
            } catch (const std::bad_alloc&) {
                return false;
            }
        }
        image_ = std::move(canvas);
        canvas = std::move(spare);
        available_ = true;
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
        available_ = false;
    }

  private:
    Canvas image_;
    bool available_ = false;
};

} // namespace wavory
