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

// The phase label: "位相のずれ : 25 %".
std::string phaseLabelText(int phase);

} // namespace wavory::params
