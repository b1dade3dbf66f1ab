#pragma once
// Variations: nine parameter sets close to the current one, for the user to pick from.
// Each is the current set moved towards a random setting (the settings' groups and
// tendencies) by the spread: 0 keeps every value, 100 takes the random setting's values.
// Only the chosen groups change; every value stays within the random setting's ranges.

#include "params/ParamModel.h"
#include "params/RandomSetting.h"

#include <array>
#include <cstdint>

namespace wavory {

inline constexpr int kVariationCount = 9;
inline constexpr int kMaxVariationSpread = 100;
inline constexpr int kDefaultVariationSpread = 30;

using Variations = std::array<ParamModel, kVariationCount>;

// The nine sets made from `base` with the random source seeded by `seed`: the same
// inputs always give the same nine. Periods, amplitudes and the power move on a
// logarithmic scale (a period of 10 and one of 1000 move by the same factor), the center
// and the bleed in plain steps; a component switch and the color set take the random
// setting's choice with a probability of spread / 100. A spread outside 0..100 counts
// as the nearer end.
Variations makeVariations(const ParamModel& base, const RandomSettingOptions& options,
                          const RandomSettingContext& context, int spread, std::uint64_t seed);

} // namespace wavory
