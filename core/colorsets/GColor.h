#pragma once
// One color set: a name and 2 to 12 color points spread evenly along a gradient, with
// a level exponent n (each segment between neighbouring points shows 2^n colors).

#include <array>
#include <cstdint>
#include <string>

namespace wavory {

inline constexpr int kMaxColorPoints = 12;

struct GColor {
    std::string name;
    std::int16_t colorCount = 0;      // points in use; 2..12 for a set that can be drawn
    std::int16_t colorLevelCount = 8; // level exponent 0..8
    std::array<std::int16_t, kMaxColorPoints> r{};
    std::array<std::int16_t, kMaxColorPoints> g{};
    std::array<std::int16_t, kMaxColorPoints> b{};

    bool drawable() const { return colorCount >= 2 && colorCount <= kMaxColorPoints; }
};

// Same points and level exponent; names are not compared.
bool sameColors(const GColor& a, const GColor& b);

} // namespace wavory
