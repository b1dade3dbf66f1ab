#pragma once
// GIMP gradient files (.ggr), which GIMP, Krita and Inkscape share: the line
// "GIMP Gradient", an optional "Name: " line, the number of segments, then one line per
// segment: left, middle and right position (0..1), the left and the right colour as red,
// green, blue and alpha (0..1), the blending function and the colouring (RGB or HSV), and
// optionally the two end points' colour kinds.

#include "colorsets/GColor.h"
#include "colorsets/GradientFit.h"

#include <string>
#include <string_view>
#include <vector>

namespace wavory {

struct GimpSegment {
    double left = 0, middle = 0.5, right = 1;
    RealRgb leftColor{}, rightColor{}; // 0..1
    int blending = 0; // 0 linear, 1 curved, 2 sine, 3 sphere increasing, 4 decreasing, 5 step
    int coloring = 0; // 0 RGB, 1 HSV counter-clockwise, 2 HSV clockwise
};

struct GimpGradient {
    std::string name;
    std::vector<GimpSegment> segments;
    // The colour at position 0..1 as GIMP blends it, each channel 0..255.
    RealRgb colorAt(double position) const;
};

// Reads the text of a .ggr file. On failure returns false and puts the reason, a
// complete sentence for the user, into `error`.
bool parseGimpGradient(std::string_view text, GimpGradient& gradient, std::string& error);

// The text of a .ggr file that draws the set exactly as the program does: one linear
// segment between neighbouring points (smooth sets), or one flat segment per level step.
std::string gimpGradientText(const GColor& set);

} // namespace wavory
