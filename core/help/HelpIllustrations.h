#pragma once
// The easy help window's illustrations, drawn by the program's own engine: each is a
// small drawing of a fixed parameter set. Pictures 1..8 show one component alone; the
// others come in pairs that differ only in the parameter their topic explains, set to
// the two values the range labels name, or in the values before and after a command
// (periods or amplitudes doubled or halved).

#include "colorsets/GColor.h"
#include "image/Canvas.h"
#include "params/ParamFields.h"

namespace wavory {

inline constexpr int kIllustrationSide = 96;

struct IllustrationParams {
    ParamFields fields;
    GColor colorSet;
};

// The parameters of illustration 1..kIllustrationCount; an index outside that range
// throws std::out_of_range.
IllustrationParams illustrationParams(int index);

// Draws illustration `index` (kIllustrationSide square). The noise of the bleed pictures
// has a fixed key, so every call gives the same pixels.
Canvas drawIllustration(int index);

} // namespace wavory
