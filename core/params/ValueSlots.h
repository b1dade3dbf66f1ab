#pragma once
// The eighteen-slot value array beside the value field texts: periods, amplitudes and
// the power as the engine reads them. A slot follows its field's text when that text
// changes; commands change slots directly and then write them all back.

#include "params/ParamFields.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavory {

using ValueSlots = std::array<std::int32_t, kValueSlotCount>;

// Every period slot (the circle's second one included) and every amplitude slot, in
// ascending order, the order the commands walk them. The power slot is in neither.
inline constexpr std::array<int, kComponentCount + 1> kPeriodSlots = [] {
    std::array<int, kComponentCount + 1> slots{};
    std::copy(kPeriodSlot.begin(), kPeriodSlot.end(), slots.begin());
    slots.back() = kCircleYPeriodSlot;
    std::sort(slots.begin(), slots.end());
    return slots;
}();
inline constexpr std::array<int, kComponentCount> kAmplitudeSlots = kAmplitudeSlot;

// Slots as they are right after start-up: every slot 0 except the power, whose field
// start-up sets to "1". A field whose text was never changed keeps its slot at 0.
ValueSlots startupValueSlots();

// The slot value a field text stands for: its leading number, rounded half to even
// (0 when the text holds no number). No clamping.
std::int32_t slotValueOfText(std::string_view text);

// The value fields (and up-down controls) that belong to component k (0..7): its
// period and amplitude, and for the circle (3) the second period 8 as well.
std::vector<int> componentFields(int component);

} // namespace wavory
