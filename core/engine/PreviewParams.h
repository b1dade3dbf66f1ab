#pragma once
// A quick look at a drawing while its values are still changing: the same values drawn
// at 1/k of the size, one pixel for every k-th column and row, shown k times larger. The
// periods, the center and the frame shrink with the picture, so the pattern keeps its
// look; its pixels only come close to the full drawing's (the center and the frame fall
// on the smaller grid, and the ripple, a term of single pixels, shows a grain of its own).

#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cstdint>

namespace wavory {

// The reduction for a drawing of width x height: 1 (draw it in full, no preview) when it
// has at most maxPixels pixels, otherwise the smallest k >= 2 whose preview has at most
// maxPixels.
int previewFactor(int width, int height, std::int64_t maxPixels);

// The snapshot of the preview of `params` reduced by factor (>= 2): ceil(W / k) x
// ceil(H / k) pixels, pixel (i, j) standing for (i k, j k) of the drawing.
DrawParams previewParams(const DrawParams& params, int factor);

// Whether a drawing of `next` finds the tables a drawing of `previous` kept (DrawMain keeps
// them while the size, the center, the power and the plus, ribbon and ripple components
// stay the same). A preview drawn in between would take their memory.
bool sameTableInputs(const DrawParams& previous, const DrawParams& next);
// Whether a drawing of `next` only colours the pattern values a drawing of `previous`
// kept: the same table inputs and every component's period and amplitude (the phase, the
// color set, the mode, the frame and the bleed may differ).
bool sameValueInputs(const DrawParams& previous, const DrawParams& next);

// Every factor-th pixel of `picture` in both directions, into `preview` (resized to the
// preview's size): what a preview in the AND, OR and XOR modes combines with.
void samplePicture(const Canvas& picture, int factor, Canvas& preview);

} // namespace wavory
