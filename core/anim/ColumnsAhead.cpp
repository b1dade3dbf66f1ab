#include "anim/ColumnsAhead.h"

#include <algorithm>
#include <system_error>

namespace wavory {

ColumnsAhead::ColumnsAhead(const PhasePattern::Painter& painter, Canvas& canvas, int blockWidth,
                           unsigned threads)
    : painter_(painter), canvas_(canvas), width_(canvas.width()),
      blockWidth_(std::max(blockWidth, 1)), blocks_((width_ + blockWidth_ - 1) / blockWidth_),
      ready_(static_cast<std::size_t>(blocks_), 0) {
    const unsigned helpers =
        std::min<unsigned>(threads > 0 ? threads - 1 : 0, static_cast<unsigned>(blocks_));
    for (unsigned i = 0; i < helpers; ++i) {
        try {
            helpers_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
}

ColumnsAhead::~ColumnsAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    for (auto& t : helpers_)
        t.join();
}

// Paints the next block not yet handed out; false when none is left.
bool ColumnsAhead::paintNext() {
    int block;
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || next_ >= blocks_)
            return false;
        block = next_++;
    }
    const int x0 = block * blockWidth_;
    painter_.paint(canvas_, x0, std::min(x0 + blockWidth_, width_));
    {
        std::lock_guard lock(mutex_);
        ready_[static_cast<std::size_t>(block)] = 1;
    }
    done_.notify_all();
    return true;
}

void ColumnsAhead::work() {
    while (paintNext()) {
    }
}

void ColumnsAhead::waitFor(int x0, int x1) {
    if (x0 >= x1)
        return;
    const auto first = ready_.begin() + x0 / blockWidth_;
    const auto last = ready_.begin() + (x1 - 1) / blockWidth_ + 1;
    auto painted = [&] { return std::all_of(first, last, [](char r) { return r != 0; }); };
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (painted())
                break;
        }
        if (paintNext())
            continue;
        // Every block is handed out: the helpers are finishing the ones still missing.
        std::unique_lock lock(mutex_);
        done_.wait(lock, painted);
        break;
    }
}

} // namespace wavory
