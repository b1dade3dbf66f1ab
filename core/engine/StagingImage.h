#pragma once
// The drawn colors of a drawing before they go onto the canvas: W x H packed colors
// (R | G << 8 | B << 16), column-major, so that a thread computing a column writes one
// contiguous run. Columns reach the canvas only when the drawing is allowed to show them.
//
// The memory of the last drawing is kept for the next one: fresh memory has to be cleared
// by the system page by page, which costs as much as a good part of a drawing, and
// drawings (the animation above all) usually follow each other at the same size. A
// drawing of another size frees what was kept and takes memory of its own size.

#include "image/Canvas.h"
#include "params/ParamFields.h"

#include <cstddef>
#include <cstdint>

namespace wavory {

class StagingImage {
  public:
    // The contents are left undefined: every element is written before it is read.
    StagingImage(int width, int height);
    ~StagingImage();
    StagingImage(const StagingImage&) = delete;
    StagingImage& operator=(const StagingImage&) = delete;

    std::uint32_t* data() { return data_; }

    // Puts the rows [y0, y1) of the columns [x0, x1) onto the canvas with the draw mode.
    void commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const;

    // Bytes kept for the next drawing of the same size: those of the last drawing.
    static std::size_t keptBytes();

  private:
    int height_;
    std::uint32_t* data_ = nullptr;
    std::size_t bytes_ = 0;
};

} // namespace wavory
