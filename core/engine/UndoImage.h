#pragma once
// The one-level undo of drawing: a hidden copy of the canvas taken just before a drawing
// starts, put back on request. It restores pixels only, never parameters.

#include "engine/Canvas.h"

namespace wavory {

class UndoImage {
public:
    // Keeps a copy of the canvas. False when there is not enough memory for it; the
    // previous undo image then stays as it was and the caller should not draw.
    bool save(const Canvas& canvas) noexcept {
        try {
            Canvas copy = canvas;
            image_ = std::move(copy);
            available_ = true;
            return true;
        } catch (...) {
            return false;
        }
    }

    // Puts the saved picture back onto the canvas; afterwards there is nothing to undo
    // until the next save. False (canvas untouched) when nothing is saved.
    bool restore(Canvas& canvas) noexcept {
        if (!available_) return false;
        std::swap(canvas, image_);
        image_ = Canvas();
        available_ = false;
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
