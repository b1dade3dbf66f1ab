#pragma once
// The bleed noise of one pixel, drawn from a generator keyed by the drawing and the
// pixel. Every pixel gets the same number whatever thread computes it and in whatever
// order, and each drawing takes a fresh key from the program's random source.

#include <cstdint>

namespace wavory {

// Uniform on [0, 1) in single precision (24 bits), from the drawing's key and (x, y).
inline float bleedNoise(std::uint64_t drawingKey, std::int64_t x, std::int64_t y) {
    auto mix = [](std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    const std::uint64_t pixel =
        (static_cast<std::uint64_t>(x) << 32) ^ (static_cast<std::uint64_t>(y) & 0xFFFFFFFFull);
    const std::uint64_t h = mix(drawingKey + 0x9E3779B97F4A7C15ull * (mix(pixel) + 1));
    return static_cast<float>(h >> 40) * (1.0f / 16777216.0f);
}

} // namespace wavory
