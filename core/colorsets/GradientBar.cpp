#include "colorsets/GradientBar.h"

#include "colorsets/ColorTable.h"
#include "common/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace wavory {

namespace {

double mix(double fraction, std::int16_t from, std::int16_t to) {
    return (1 - fraction) * from + fraction * to;
}

} // namespace

std::vector<Rgb> gradBarColors(const GColor& set, int width, int phase) {
    std::vector<Rgb> columns;
    if (!set.drawable() || width <= 0)
        return columns;

    const std::int64_t g = width;
    const int n = set.colorCount;
    const int step = levelStep(set.colorLevelCount);
    const double segmentWidth = static_cast<double>(g) / (n - 1);
    // The remainder of a negative shift is brought back onto the bar.
    std::int64_t shift = (g * phase / 100) % g;
    if (shift < 0)
        shift += g;

    columns.reserve(static_cast<std::size_t>(width));
    for (std::int64_t x = 0; x < g; ++x) {
        const std::int64_t pos = (x + shift) % g;
        // pos < g keeps the segment below n - 1 in exact arithmetic; the clamp only guards
        // against a rounding of pos / w that would weight a point past the last.
        const std::int64_t t = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(std::floor(pos / segmentWidth)), 0, n - 2);
        const double f = (pos - static_cast<double>(g * t) / (n - 1)) / segmentWidth;
        const std::int64_t level = std::clamp<std::int64_t>(roundToInt64(f * 256), 0, 256);
        const double quantized = static_cast<double>(step * (level / step)) / 256;
        const auto i = static_cast<std::size_t>(t);
        columns.push_back({channelByte(mix(quantized, set.r[i], set.r[i + 1])),
                           channelByte(mix(quantized, set.g[i], set.g[i + 1])),
                           channelByte(mix(quantized, set.b[i], set.b[i + 1]))});
    }
    return columns;
}

} // namespace wavory
