#include "params/ParamCommands.h"

#include "common/Clamps.h"
#include "common/Numbers.h"
#include "common/UiText.h"

#include <algorithm>
#include <limits>

namespace wavory::params {

namespace {

// The clamps take 32-bit values; a product or a rounded text can be wider.
std::int32_t narrow(std::int64_t n) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(n < lo ? lo : (n > hi ? hi : n));
}

std::int32_t positive(std::int64_t n) {
    return clampPositive(narrow(n));
}
std::int32_t nonNegative(std::int64_t n) {
    return clampNonNegative(narrow(n));
}

// The half of a slot rounded half to even, as the commands halve.
std::int64_t roundedHalf(std::int32_t value) {
    return roundToInt64(static_cast<double>(value) / 2.0);
}

void doubleSlots(ValueSlots& slots, const auto& which) {
    for (int s : which)
        slots[s] = positive(static_cast<std::int64_t>(slots[s]) * 2);
}

void halveSlots(ValueSlots& slots, const auto& which) {
    for (int s : which)
        slots[s] = positive(roundedHalf(slots[s]));
}

} // namespace

void doublePeriods(ValueSlots& slots) {
    doubleSlots(slots, kPeriodSlots);
}
void halvePeriods(ValueSlots& slots) {
    halveSlots(slots, kPeriodSlots);
}
void doubleAmplitudes(ValueSlots& slots) {
    doubleSlots(slots, kAmplitudeSlots);
}
void halveAmplitudes(ValueSlots& slots) {
    halveSlots(slots, kAmplitudeSlots);
}

void slotUp(ValueSlots& slots, int slot) {
    slots[slot] = positive(static_cast<std::int64_t>(slots[slot]) * 2);
}

void slotDown(ValueSlots& slots, int slot) {
    slots[slot] = positive(static_cast<std::int64_t>(slots[slot] / 2));
}

void raiseSlotsToOne(ValueSlots& slots) {
    for (auto& s : slots) {
        if (s < 1)
            s = 1;
    }
}

std::string bleedUpText(std::string_view bleedText) {
    const double v = leadingNumber(bleedText);
    if (v == 0)
        return plainDecimal(std::int64_t{1});
    return plainDecimal(std::int64_t{nonNegative(roundToInt64(2.0 * v))});
}

std::string bleedDownText(std::string_view bleedText) {
    const std::int64_t v = roundToInt64(leadingNumber(bleedText));
    return plainDecimal(std::int64_t{nonNegative(v / 2)});
}

std::int32_t fineStepUnit(std::int64_t from, int direction) {
    std::int64_t n = direction < 0 ? from - 1 : from;
    std::int32_t unit = 1;
    for (n = n < 0 ? -n : n; n >= 100; n /= 10)
        unit *= 10;
    return unit;
}

std::int32_t slotStepped(std::int32_t slot, int direction) {
    return positive(slot + static_cast<std::int64_t>(direction) * fineStepUnit(slot, direction));
}

std::string bleedSteppedText(std::string_view bleedText, int direction) {
    const std::int64_t v = roundToInt64(leadingNumber(bleedText));
    return plainDecimal(std::int64_t{nonNegative(v + direction * fineStepUnit(v, direction))});
}

std::string centerSteppedText(std::string_view centerText, int direction, bool coarse) {
    const std::int64_t v = leadingInt32(centerText);
    const std::int64_t stepped = v + static_cast<std::int64_t>(direction) * (coarse ? 10 : 1);
    return plainDecimal(std::clamp<std::int64_t>(stepped, kCenterMin, kCenterMax));
}

std::string phaseLabelText(int phase) {
    return fillText(UiText::tr("位相のずれ : %1 %"), {plainDecimal(phase)});
}

} // namespace wavory::params
