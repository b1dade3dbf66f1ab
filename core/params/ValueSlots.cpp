#include "params/ValueSlots.h"

#include "common/Numbers.h"

namespace wavory {

ValueSlots startupValueSlots() {
    ValueSlots slots{};
    slots[kPowerSlot] = 1;
    return slots;
}

std::int32_t slotValueOfText(std::string_view text) {
    return leadingInt32(text);
}

std::vector<int> componentFields(int component) {
    if (component < 0 || component >= kComponentCount)
        return {};
    const auto k = static_cast<std::size_t>(component);
    if (component == kCircleComponent)
        return {kPeriodSlot[k], kAmplitudeSlot[k], kCircleYPeriodSlot};
    return {kPeriodSlot[k], kAmplitudeSlot[k]};
}

} // namespace wavory
