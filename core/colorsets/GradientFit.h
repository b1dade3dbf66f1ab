#pragma once
// Turns any gradient (a color for every position 0..1) into the color set that draws it
// best: 2 to 12 evenly spread points, each point's colour the least-squares fit of the
// straight pieces between them, and of all point counts the one with the least colour
// error (the fewer points when two fit equally).

#include "colorsets/GColor.h"

#include <array>
#include <functional>

namespace wavory {

// Red, green and blue, each 0..255 (real).
using RealRgb = std::array<double, 3>;

// Fits the gradient; the result has name empty and level exponent 8.
GColor fitColorPoints(const std::function<RealRgb(double)>& gradient);

} // namespace wavory
