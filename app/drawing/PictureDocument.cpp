#include "PictureDocument.h"

#include <algorithm>
#include <new>

namespace wavory {

namespace {

bool sameSize(const Canvas& a, const Canvas& b) {
    return !a.empty() && a.width() == b.width() && a.height() == b.height();
}

} // namespace

PictureDocument::PictureDocument(QObject* parent) : QObject(parent) {}

void PictureDocument::setImageSize(int width, int height) {
    Q_EMIT aboutToChange();
    Canvas next(width, height);
    const int w = std::min(width, canvas_.width());
    const int h = std::min(height, canvas_.height());
    for (int y = 0; y < h; ++y) {
        std::copy_n(canvas_.data() + y * canvas_.rowBytes(), static_cast<std::size_t>(w) * 3,
                    next.data() + y * next.rowBytes());
    }
    canvas_ = std::move(next);
    drawOverUndo_ = false;
    Q_EMIT resized(width, height);
    refreshAll();
}

void PictureDocument::clear() {
    Q_EMIT aboutToChange();
    canvas_.clear();
    refreshAll();
}

void PictureDocument::refreshAll() {
    ++version_;
    Q_EMIT replaced(canvas_);
}

bool PictureDocument::undoMemoryThere() const {
    if (!undoReserve_)
        return true;
    try {
        undoReserve_(canvas_.rowBytes() * static_cast<std::size_t>(canvas_.height()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void PictureDocument::undo() {
    Q_EMIT aboutToChange();
    drawOverUndo_ = false;
    undo_.restore(canvas_);
    refreshAll();
}

bool PictureDocument::keepForDrawing() {
    if (!undoMemoryThere() || !undo_.keep(canvas_))
        return false;
    drawOverUndo_ = true;
    Q_EMIT moved(*undo_.picture());
    return true;
}

bool PictureDocument::drawOverUndoImage() {
    const Canvas* kept = undo_.picture();
    drawOverUndo_ = kept && kept->width() == canvas_.width() && kept->height() == canvas_.height();
    return drawOverUndo_;
}

const Canvas* PictureDocument::takeDrawingBase() {
    const bool over = drawOverUndo_;
    drawOverUndo_ = false;
    if (!over)
        return nullptr;
    if (!undo_.pending()) {
        Canvas target;
        if (sameSize(held_, canvas_))
            target = std::move(held_);
        else
            target.resizeForOverwrite(canvas_.width(), canvas_.height());
        held_ = std::move(canvas_);
        canvas_ = std::move(target);
        holding_ = true;
    }
    return undo_.picture();
}

const Canvas& PictureDocument::holdPicture() {
    if (sameSize(held_, canvas_)) {
        std::copy_n(canvas_.data(), canvas_.rowBytes() * static_cast<std::size_t>(canvas_.height()),
                    held_.data());
    } else {
        Canvas copy = canvas_;
        held_ = std::move(copy);
    }
    holding_ = true;
    return held_;
}

void PictureDocument::settleDrawing() {
    ++version_;
    undo_.settle();
    holding_ = false;
}

void PictureDocument::revertDrawing() {
    drawOverUndo_ = false;
    if (!undo_.revert(canvas_) && holding_)
        canvas_ = std::move(held_);
    held_ = Canvas();
    holding_ = false;
    refreshAll();
}

void PictureDocument::releaseHeld() {
    if (!holding_)
        held_ = Canvas();
}

} // namespace wavory
