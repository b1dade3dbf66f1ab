#pragma once
// "画像から色セットを作る": a color set of N points (2..12) from the dominant colours of a
// picture, found by libimagequant and ordered from dark to light.

#include "colorsets/GColor.h"
#include "common/Result.h"
#include "image/Canvas.h"

namespace wavory {

inline constexpr int kMinColorPoints = 2;

// The set (named `name`, level exponent 8) of the picture's `count` dominant colours by
// lightness (CIE L*); fewer points when the picture holds fewer colours, two equal
// points for a single colour. Fails with a message when the picture is empty or the
// quantizer fails.
Result colorSetFromPicture(const Canvas& picture, int count, const std::string& name,
                           GColor& set);

// CIE L* (0..100) of an sRGB colour.
double lightness(const Rgb& color);

} // namespace wavory
