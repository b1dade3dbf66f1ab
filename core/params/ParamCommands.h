#pragma once
// The whole-set commands on the value array (periods and amplitudes doubled or halved),
// the per-field up-down steps and the bleed up-down texts. Every result is held to
// 1..999999 (bleed 0..999999) by the common clamps.

#include "params/ValueSlots.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wavory::params {

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

// A wheel notch or an up or down key over a field, `direction` +1 or -1. A fine step
// moves the number by one unit of its second digit (1 below 100, 10 up to 999, 100 up to
// 9999 ...; going down, the unit of the number below, so 1000 steps to 990), held to the
// field's typed range; a coarse step (Shift) is the field's up-down: doubling or halving
// for a value field and the bleed, ten pixels for a center offset.
std::int32_t fineStepUnit(std::int64_t from, int direction);
std::int32_t slotStepped(std::int32_t slot, int direction);            // fine; 1..999999
std::string bleedSteppedText(std::string_view bleedText, int direction); // fine; 0..999999
// The center offsets: -9999..99999, what their five typed characters can hold.
std::string centerSteppedText(std::string_view centerText, int direction, bool coarse);
inline constexpr std::int32_t kCenterMin = -9999;
inline constexpr std::int32_t kCenterMax = 99999;

// The phase label: "位相のずれ : 25 %".
std::string phaseLabelText(int phase);

} // namespace wavory::params
