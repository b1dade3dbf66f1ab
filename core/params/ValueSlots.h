#pragma once
// The eighteen-slot value array beside the value field texts: periods, amplitudes and
// the power as the engine reads them. A slot follows its field's text when that text
// changes; commands change slots directly and then write them all back.

#include "engine/ParamFields.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavory {

using ValueSlots = std::array<std::int32_t, kValueSlotCount>;

// Period slots 0, 2, ..., 16 and amplitude slots 1, 3, 5, 7, 11, 13, 15, 17, in the
// order the commands walk them. Slot 9 (the power) is in neither.
inline constexpr std::array<int, 9> kPeriodSlots{0, 2, 4, 6, 8, 10, 12, 14, 16};
inline constexpr std::array<int, 8> kAmplitudeSlots{1, 3, 5, 7, 11, 13, 15, 17};

// Slots as they are right after start-up: every slot 0 except the power, whose field
// start-up sets to "1". A field whose text was never changed keeps its slot at 0.
ValueSlots startupValueSlots();

// The slot value a field text stands for: its leading number, rounded half to even
// (0 when the text holds no number). No clamping.
std::int32_t slotValueOfText(std::string_view text);

// The value fields (and up-down controls) that belong to component k (0..7): its
// period and amplitude, and for the circle (3) the second period 8 as well.
std::vector<int> componentFields(int component);

// The component that owns value field i, or -1 for the power field (9).
int componentOfField(int field);

} // namespace wavory
