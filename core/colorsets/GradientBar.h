#pragma once
// The colors of the gradient bars: one color per pixel column, for the main window's bar
// (turned by the phase scroll bar) and the editor's preview (never turned).

#include "colorsets/GColor.h"
#include "image/Canvas.h"

#include <vector>

namespace wavory {

// Column colors of a bar `width` pixels wide for `set`, the gradient turned by `phase`
// percent of the width (0 to 99). Empty when the set has fewer than 2 points (or more than
// 12) or the width is not positive. A phase outside 0..99 still wraps onto the bar.
std::vector<Rgb> gradBarColors(const GColor& set, int width, int phase);

// The editor's preview: the same column rule with no phase shift.
inline std::vector<Rgb> gradPreviewColors(const GColor& set, int width) {
    return gradBarColors(set, width, 0);
}

} // namespace wavory
