#pragma once
// The one-level undo of drawing: a hidden copy of the canvas taken just before a drawing
// starts, put back on request. It restores pixels only, never parameters.

#include "image/Canvas.h"

#include <algorithm>
#include <cstddef>

namespace wavory {

class UndoImage {
  public:
    // Keeps a copy of the canvas (in the memory of the previous copy when the size is the
    // same). False when there is not enough memory for it; the previous undo image then
    // stays as it was and the caller should not draw.
    bool save(const Canvas& canvas) noexcept {
        try {
            image_ = canvas;
            available_ = true;
            return true;
        } catch (...) {
            return false;
        }
    }

    // Puts the saved picture back onto the canvas, as far as it fits when the canvas has
    // another size by now; afterwards there is nothing to undo until the next save. False
    // (canvas untouched) when nothing is saved.
    bool restore(Canvas& canvas) noexcept {
        if (!copyTo(canvas))
            return false;
        available_ = false;
        return true;
    }

    // Puts the saved picture onto the canvas like restore(), but keeps it saved: a series
    // of drawings that counts as one starts each of them from the same picture.
    bool copyTo(Canvas& canvas) const noexcept {
        if (!available_)
            return false;
        if (canvas.width() == image_.width() && canvas.height() == image_.height()) {
            std::copy_n(image_.data(), image_.rowBytes() * image_.height(), canvas.data());
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

    // Forgets the saved picture (after a change of the image size).
    void discard() noexcept {
        image_ = Canvas();
        available_ = false;
    }

  private:
    Canvas image_;
    bool available_ = false;
};

} // namespace wavory
