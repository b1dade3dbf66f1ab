#pragma once
// The frames of one animation: the same drawing at a sequence of phases.
//
// draw(phase) gives exactly what DrawMain gives for the same parameters with that phase
// on the canvas as it stands (AND, OR and XOR combine with the previous frame); every
// frame uses options.noiseKey. When nothing but the phase changes between frames (no
// bleed, normal mode) the pattern values are computed once and each frame only looks
// its colors up again.

#include "anim/FrameStore.h"
#include "colorsets/GColor.h"
#include "common/Result.h"
#include "engine/DrawMain.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <memory>

namespace wavory {

class AnimFrameMaker {
  public:
    AnimFrameMaker(const DrawParams& params, const GColor& colorSet, const DrawOptions& options);
    ~AnimFrameMaker();
    AnimFrameMaker(const AnimFrameMaker&) = delete;
    AnimFrameMaker& operator=(const AnimFrameMaker&) = delete;

    // Same contract as DrawMain: observer calls in column order on the calling thread,
    // the stop request, the result (a refusal changes nothing).
    DrawResult draw(int phase, Canvas& canvas, DrawObserver* observer = nullptr);
    // FrameStore::reserve for `frames` frames of these parameters: recoloured frames
    // share one pattern, so only the frames drawn in full count.
    Result reserve(FrameStore& store, int frames) const;
    // Stores the frame just drawn (the canvas after draw) as frame `index`, in the
    // cheapest exact form the store offers.
    Result store(FrameStore& store, int index, const Canvas& canvas);
    // True when frames are recoloured from one computed pattern.
    bool recolours() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace wavory
