#pragma once
// A picture held compressed: each byte stored as its difference from the neighbours to
// the left, above and above-left (exactly reversible), then zstd at level 1. The smooth
// gradients patterns make shrink to a small part of their size (a 3000 x 3000 drawing of
// 27 MB to about 2 MB), so a few drawings can be kept without holding full canvases.
// A tall picture is cut into bands of rows packed on their own, on every core at once.

#include "image/Canvas.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace wavory {

class PackedCanvas {
  public:
    // The picture compressed; nullptr when it cannot be (out of memory, compressor
    // failure).
    static std::shared_ptr<const PackedCanvas> pack(const Canvas& picture);

    int width() const { return width_; }
    int height() const { return height_; }
    // The memory the compressed picture takes.
    std::size_t bytes() const;

    // The picture back, into `canvas` (resized); false when the bytes do not give it.
    bool unpackInto(Canvas& canvas) const;

  private:
    struct Free {
        void operator()(char* p) const;
    };
    // Rows [firstRow, firstRow + rows), compressed on their own (the first row without
    // the one above).
    struct Band {
        int firstRow = 0;
        int rows = 0;
        std::unique_ptr<char[], Free> data;
        std::size_t size = 0;
    };
    // Compresses the band's rows of the picture into a block of exactly the compressed
    // size; false when memory or the compressor fails.
    static bool packBand(const Canvas& picture, Band& band);

    int width_ = 0;
    int height_ = 0;
    std::vector<Band> bands_;
};

} // namespace wavory
