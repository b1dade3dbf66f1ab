#pragma once
// What one run of wavory-render needs in memory, worked out before it draws so that a
// picture too large for the machine is refused with both numbers instead of ending in
// the system's out-of-memory killer half-way. Measured on the first workload and on
// large thin pictures; each part is an upper estimate.

#include "RenderOptions.h"

#include "params/DrawParams.h"

#include <cstdint>
#include <optional>

namespace wavory::cli {

// What the run may count on: the bytes given in WAVORY_MEMORY_AVAILABLE (a whole number),
// otherwise what the system has available now; nothing when neither is known.
std::optional<std::uint64_t> availableForRendering();

// One drawing onto the canvas and the picture's saving in the output's format.
// `watched`: the progress is shown (a watched AND, OR or XOR drawing stages its columns).
std::uint64_t stillPictureBytes(const DrawParams& params, const RenderOptions& options,
                                bool watched);

// The frames of --anim: the canvas, one drawing, the pattern a recoloured animation
// keeps, and the writer: frame copies queued for a BMP series, the encoder of an animated
// file. The compressed frames of an animated file keep to a quarter of the memory
// available and go to a spill file beyond it: not counted.
std::uint64_t animationBytes(const DrawParams& params, const RenderOptions& options,
                             bool watched);

} // namespace wavory::cli
