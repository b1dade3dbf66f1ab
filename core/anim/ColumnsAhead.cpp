#include "anim/ColumnsAhead.h"

#include <algorithm>

namespace wavory {

ColumnsAhead::ColumnsAhead(const PhasePattern::Painter& painter, Canvas& canvas, int blockWidth,
                           unsigned threads)
    : width_(canvas.width()), blockWidth_(std::max(blockWidth, 1)),
      blocks_(
          WorkPool::shared(), static_cast<std::size_t>((width_ + blockWidth_ - 1) / blockWidth_),
          [&painter, &canvas, width = width_, step = blockWidth_](std::size_t block) {
              const int x0 = static_cast<int>(block) * step;
              painter.paint(canvas, x0, std::min(x0 + step, width));
              return true;
          },
          static_cast<std::size_t>((width_ + blockWidth_ - 1) / blockWidth_),
          threads > 0 ? threads - 1 : 0) {}

void ColumnsAhead::waitFor(int, int x1) {
    while (painted_ < std::min(x1, width_)) {
        blocks_.take();
        painted_ = std::min(painted_ + blockWidth_, width_);
    }
}

} // namespace wavory
