#pragma once
// The drawn colors of a combining-mode drawing that the picture window watches, before
// they go onto the canvas: W x H packed colors (R | G << 8 | B << 16), column-major, so
// that a thread computing a column writes one contiguous run. AND, OR and XOR read the
// old picture, so a column may reach the canvas only when the drawing gets there: a stop
// leaves the old picture in the later columns.

#include "engine/KeptMemory.h"
#include "image/Canvas.h"
#include "params/ParamFields.h"

#include <cstdint>

namespace wavory {

class StagingImage {
  public:
    // The contents are left undefined: every element is written before it is read.
    StagingImage(int width, int height);

    std::uint32_t* data() { return static_cast<std::uint32_t*>(memory_.data()); }

    // Puts the rows [y0, y1) of the columns [x0, x1) onto the canvas with the draw mode.
    void commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const;

  private:
    int height_;
    KeptMemory memory_;
};

} // namespace wavory
