#pragma once
// A frame's pixels compressed losslessly with zstd, and back. Each thread keeps its own
// compression and decompression context, made with its first frame, so frames compress
// side by side on the work pool without sharing a context or taking a lock.

#include "common/Result.h"
#include "image/Canvas.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace wavory {

using PackedFrame = std::shared_ptr<const std::vector<char>>;

// The out-of-memory failure every frame operation reports.
Result frameMemoryFailure();

// `frame` compressed into `packed` (exactly its size). Fails when memory runs out (a
// context or a buffer) or zstd refuses; never throws.
Result compressFrame(const Canvas& frame, PackedFrame& packed);

// `size` bytes at `src` back into a width x height frame in `out`; false when they are
// not exactly such a frame or memory runs out. Never throws.
bool decompressFrame(const char* src, std::size_t size, int width, int height, Canvas& out);

} // namespace wavory
