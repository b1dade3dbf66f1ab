#include "common/RandomSource.h"

#include <chrono>
#include <ctime>

namespace wavory {

namespace {

std::uint64_t splitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

} // namespace

void RandomSource::reseed(std::uint64_t seed) {
    // SplitMix64 spreads any seed, 0 included, over the whole xoshiro state.
    for (auto& word : state_) word = splitMix64(seed);
}

std::uint64_t RandomSource::nextBits() {
    // xoshiro256**
    const std::uint64_t result = rotateLeft(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotateLeft(state_[3], 45);
    return result;
}

float RandomSource::next() {
    return static_cast<float>(nextBits() >> 40) * (1.0f / 16777216.0f);
}

RandomSource& programRandom() {
    static RandomSource instance;
    return instance;
}

std::uint64_t hundredthsOfSecondToday() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = now.time_since_epoch();
    const auto hundredths =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000 / 10;
    return (static_cast<std::uint64_t>(local.tm_hour) * 3600 + local.tm_min * 60 + local.tm_sec) *
               100 +
           static_cast<std::uint64_t>(hundredths);
}

} // namespace wavory
