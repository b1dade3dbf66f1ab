#pragma once
// The gradient a drawing indexes for every pixel: (ColorCount - 1) x 256 entries
// expanded from a color set, looked up with the phase shift and a wrap-around.

#include "colorsets/GColor.h"
#include "image/Canvas.h"

#include <array>
#include <cstdint>

namespace wavory {

class ColorTable {
  public:
    static constexpr int kCapacity = kMaxColorPoints * 256 + 1; // 3073 entries

    // Expands the set; a set with fewer than 2 points gives length 0 (not drawable).
    explicit ColorTable(const GColor& set);

    // L = (ColorCount - 1) x 256.
    int length() const { return length_; }

    // round(|v| + phase / 100 x L) mod L, rounding half to even; 0 when length() is 0.
    int indexFor(std::int64_t value, int phase) const;

    Rgb entry(int index) const { return {red_[index], green_[index], blue_[index]}; }
    Rgb lookup(std::int64_t value, int phase) const { return entry(indexFor(value, phase)); }

    const std::uint8_t* red() const { return red_.data(); }
    const std::uint8_t* green() const { return green_.data(); }
    const std::uint8_t* blue() const { return blue_.data(); }

  private:
    int length_ = 0;
    std::array<std::uint8_t, kCapacity> red_{};
    std::array<std::uint8_t, kCapacity> green_{};
    std::array<std::uint8_t, kCapacity> blue_{};
};

// The level step s = 2^(8 - n), rounded; n outside 0..8 is taken at the nearer end.
int levelStep(int levelExponent);

// A channel value stored as a byte; point values outside 0..255 (possible in a damaged
// file) are held to that range instead of wrapping.
std::uint8_t channelByte(double value);

} // namespace wavory
