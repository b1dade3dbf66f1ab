#pragma once
// Paints a recoloured frame onto the canvas on the work pool, block of columns by block,
// ahead of the caller, who waits for the columns it hands over next. Nobody reads columns
// before they are handed over; the caller clears the ones painted ahead if it stops.

#include "anim/PhasePattern.h"
#include "common/OrderedAhead.h"
#include "image/Canvas.h"

namespace wavory {

class ColumnsAhead {
  public:
    // Columns in blocks of `blockWidth`, on `threads` threads counting the caller's.
    ColumnsAhead(const PhasePattern::Painter& painter, Canvas& canvas, int blockWidth,
                 unsigned threads);
    // Going away stops the painting ahead and waits for the blocks begun.

    // Returns once the columns [x0, x1) are painted, painting blocks itself meanwhile.
    // The columns are asked for in order.
    void waitFor(int x0, int x1);

  private:
    int width_;
    int blockWidth_;
    int painted_ = 0; // columns [0, painted_) are painted
    OrderedAhead<bool> blocks_;
};

} // namespace wavory
