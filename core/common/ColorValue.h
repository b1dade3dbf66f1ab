#pragma once
// 24-bit color values R + 256·G + 65536·B held in a 32-bit integer, red in the low byte.

#include <algorithm>
#include <cstdint>

namespace wavory {

constexpr int redOf(std::int32_t c) {
    return c & 255;
}
constexpr int greenOf(std::int32_t c) {
    return (c / 256) & 255;
}
constexpr int blueOf(std::int32_t c) {
    return (c / 65536) & 255;
}

// The color value of three channels, each held to 0..255.
constexpr std::int32_t rgbValue(int r, int g, int b) {
    return std::clamp(r, 0, 255) + 256 * std::clamp(g, 0, 255) + 65536 * std::clamp(b, 0, 255);
}

} // namespace wavory
