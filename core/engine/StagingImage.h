#pragma once
// The drawn colors of a drawing before they go onto the canvas: W x H packed colors
// (R | G << 8 | B << 16), column-major, so that a thread computing a column writes one
// contiguous run. Columns reach the canvas only when the drawing is allowed to show them.

#include "engine/Canvas.h"
#include "engine/ParamFields.h"

#include <cstdint>
#include <memory>

namespace wavory {

class StagingImage {
public:
    // The contents are left undefined: every element is written before it is read.
    StagingImage(int width, int height);

    std::uint32_t* data() { return data_.get(); }
    std::uint32_t* column(int x) { return data_.get() + static_cast<std::size_t>(x) * height_; }

    // Puts the rows [y0, y1) of the columns [x0, x1) onto the canvas with the draw mode.
    void commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const;

private:
    struct Free {
        void operator()(std::uint32_t* p) const;
    };
    int height_;
    std::unique_ptr<std::uint32_t[], Free> data_;
};

} // namespace wavory
