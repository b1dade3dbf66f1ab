#pragma once
// The program's one uniform random source on [0, 1). It is seeded once at start-up
// from the time of day; every drawing, the random parameter setting and the editor's
// random colors continue its sequence. Tests and the renderer seed it with a number.

#include <array>
#include <cstdint>

namespace wavory {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0) { reseed(seed); }

    // The same seed always gives the same sequence.
    void reseed(std::uint64_t seed);

    // Uniform on [0, 1) in single precision (24 random bits, so 1 is never reached).
    float next();

    // 64 random bits, for example the noise key of one drawing.
    std::uint64_t nextBits();

private:
    std::array<std::uint64_t, 4> state_{};
};

// The instance the whole program shares (used on the user-interface thread only).
RandomSource& programRandom();

// The local time of day in hundredths of a second since midnight: the start-up seed.
std::uint64_t hundredthsOfSecondToday();

} // namespace wavory
