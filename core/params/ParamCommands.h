#pragma once
// The whole-set commands on the value array (periods and amplitudes doubled or halved),
// the per-field up-down steps, the bleed up-down texts and the range check a value
// field applies before each typed key.

#include "params/ValueSlots.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavory::params {

// 1..999999: a value of 0 or less becomes 1. Also writes the result back.
std::int32_t ClampPositive(std::int64_t& n);
std::int32_t ClampPositive(std::int64_t&& n);
// 0..999999: a negative value becomes 0. Also writes the result back.
std::int32_t ClampNonNegative(std::int64_t& n);
std::int32_t ClampNonNegative(std::int64_t&& n);

// 周期２倍 / 周期半分 / 振幅２倍 / 振幅半分: every period (or amplitude) slot, whether its
// component is on or not; doubling by the integer product, halving by real division
// rounded half to even; the power is never touched.
void doublePeriods(ValueSlots& slots);
void halvePeriods(ValueSlots& slots);
void doubleAmplitudes(ValueSlots& slots);
void halveAmplitudes(ValueSlots& slots);

// The up-down control of one value field: doubles, or halves by truncating division.
void slotUp(ValueSlots& slots, int slot);
void slotDown(ValueSlots& slots, int slot);

// Before every draw: a slot below 1 draws as 1.
void raiseSlotsToOne(ValueSlots& slots);

// The bleed up-down control: the new text of the bleed field for its current text.
std::string bleedUpText(std::string_view bleedText);
std::string bleedDownText(std::string_view bleedText);

// The range check of a numeric field: a text whose leading number is above upper
// becomes upper, then one below lower (when given) becomes lower. Nothing when the
// text stays as it is.
std::optional<std::string> checkTextRange(std::string_view text, double upper,
                                          std::optional<double> lower = std::nullopt);

// The phase label: "位相のずれ : 25 %".
std::string phaseLabelText(int phase);

} // namespace wavory::params
