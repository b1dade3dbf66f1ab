#pragma once
// A picture held compressed: each byte stored as its difference from the neighbours to
// the left, above and above-left (exactly reversible), then zstd at level 1. The smooth
// gradients patterns make shrink to a small part of their size (a 3000 x 3000 drawing of
// 27 MB to about 2 MB), so a few drawings can be kept without holding full canvases.

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
    std::size_t bytes() const { return data_.size(); }

    // The picture back, into `canvas` (resized); false when the bytes do not give it.
    bool unpackInto(Canvas& canvas) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<char> data_;
};

} // namespace wavory
