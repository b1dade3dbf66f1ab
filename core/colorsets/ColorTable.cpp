#include "colorsets/ColorTable.h"

#include "common/Numbers.h"

#include <algorithm>
#include <cmath>

namespace wavory {

bool sameColors(const GColor& a, const GColor& b) {
    if (a.colorCount != b.colorCount || a.colorLevelCount != b.colorLevelCount) return false;
    const int n = std::clamp<int>(a.colorCount, 0, kMaxColorPoints);
    for (int i = 0; i < n; ++i) {
        if (a.r[i] != b.r[i] || a.g[i] != b.g[i] || a.b[i] != b.b[i]) return false;
    }
    return true;
}

int levelStep(int levelExponent) {
    const int n = std::clamp(levelExponent, 0, 8);
    return static_cast<int>(roundHalfEven(std::pow(2.0, 8 - n)));
}

std::uint8_t channelByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(roundHalfEven(value), 0.0, 255.0));
}

ColorTable::ColorTable(const GColor& set) {
    if (!set.drawable()) return;
    const int count = set.colorCount;
    length_ = (count - 1) * 256;
    const int step = levelStep(set.colorLevelCount);

    // Working copy of the points with one spare entry, weighted 0 at the very end.
    std::array<double, kMaxColorPoints + 1> r{}, g{}, b{};
    for (int i = 0; i < count; ++i) {
        r[i] = set.r[i];
        g[i] = set.g[i];
        b[i] = set.b[i];
    }
    for (int i = 0; i <= length_; ++i) {
        const int a = i / 256;
        const int p = ((i % 256) / step) * step;
        const double t = p / 256.0;
        red_[i] = channelByte((1 - t) * r[a] + t * r[a + 1]);
        green_[i] = channelByte((1 - t) * g[a] + t * g[a + 1]);
        blue_[i] = channelByte((1 - t) * b[a] + t * b[a + 1]);
    }
}

int ColorTable::indexFor(std::int64_t value, int phase) const {
    const double magnitude = std::fabs(static_cast<double>(value));
    const double x = magnitude + static_cast<double>(phase) / 100.0 * length_;
    const std::int64_t k = roundToInt64(x);
    // A set without a gradient, or a phase below 0 (never set by the program), must not
    // index outside the table.
    if (length_ <= 0) return 0;
    const std::int64_t index = k % length_;
    return static_cast<int>(index < 0 ? index + length_ : index);
}

} // namespace wavory
