#pragma once
// The phase shift of each frame of an animation.

namespace wavory {

// An animation has 1 to this many frames.
inline constexpr int kMaxAnimFrames = 999;

// Phase of frame i (1-based) of `frames` from `from` towards `to`:
// round-half-even((to - from) / frames x (i - 1) + from) in double precision. The first
// frame is at `from`; `to` itself is never reached, the last frame lies one step short.
int animFramePhase(double from, double to, int frames, int i);

} // namespace wavory
