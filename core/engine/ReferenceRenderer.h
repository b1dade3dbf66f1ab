#pragma once
// The plain way to draw: one thread, every formula evaluated for every pixel in the
// drawing order, no caches. It is the measure of the fast synthesis (DrawMain) and the
// oracle of its tests; both give the same pixels.

#include "colorsets/GColor.h"
#include "engine/DrawResult.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cstdint>

namespace wavory {

class ReferenceRenderer {
  public:
    // Draws the whole image onto the canvas with the snapshot's mode, like DrawMain
    // without an observer. noiseKey keys the bleed noise as in DrawOptions.
    static DrawResult render(const DrawParams& params, const GColor& colorSet,
                             std::uint64_t noiseKey, Canvas& canvas);

    // The pattern value v = round(s) of pixel (x, y), before the bleed.
    static std::int64_t patternValue(const DrawParams& params, int x, int y);
};

} // namespace wavory
