#include "params/ParamCommands.h"

#include "common/Numbers.h"

namespace wavory::params {

namespace {

std::int64_t clampTo(std::int64_t n, std::int64_t low, std::int64_t high) {
    return n < low ? low : (n > high ? high : n);
}

// The half of a slot rounded half to even, as the commands halve.
std::int64_t roundedHalf(std::int32_t value) {
    return roundToInt64(static_cast<double>(value) / 2.0);
}

void doubleSlots(ValueSlots& slots, const auto& which) {
    for (int s : which) slots[s] = ClampPositive(static_cast<std::int64_t>(slots[s]) * 2);
}

void halveSlots(ValueSlots& slots, const auto& which) {
    for (int s : which) slots[s] = ClampPositive(roundedHalf(slots[s]));
}

} // namespace

std::int32_t ClampPositive(std::int64_t& n) {
    n = n <= 0 ? 1 : clampTo(n, 1, kValueMax);
    return static_cast<std::int32_t>(n);
}
std::int32_t ClampPositive(std::int64_t&& n) { return ClampPositive(n); }

std::int32_t ClampNonNegative(std::int64_t& n) {
    n = clampTo(n, 0, kValueMax);
    return static_cast<std::int32_t>(n);
}
std::int32_t ClampNonNegative(std::int64_t&& n) { return ClampNonNegative(n); }

void doublePeriods(ValueSlots& slots) { doubleSlots(slots, kPeriodSlots); }
void halvePeriods(ValueSlots& slots) { halveSlots(slots, kPeriodSlots); }
void doubleAmplitudes(ValueSlots& slots) { doubleSlots(slots, kAmplitudeSlots); }
void halveAmplitudes(ValueSlots& slots) { halveSlots(slots, kAmplitudeSlots); }

void slotUp(ValueSlots& slots, int slot) {
    slots[slot] = ClampPositive(static_cast<std::int64_t>(slots[slot]) * 2);
}

void slotDown(ValueSlots& slots, int slot) {
    slots[slot] = ClampPositive(static_cast<std::int64_t>(slots[slot] / 2));
}

void raiseSlotsToOne(ValueSlots& slots) {
    for (auto& s : slots) {
        if (s < 1) s = 1;
    }
}

std::string bleedUpText(std::string_view bleedText) {
    const double v = leadingNumber(bleedText);
    if (v == 0) return plainDecimal(std::int64_t{1});
    return plainDecimal(std::int64_t{ClampNonNegative(roundToInt64(2.0 * v))});
}

std::string bleedDownText(std::string_view bleedText) {
    const std::int64_t v = roundToInt64(leadingNumber(bleedText));
    return plainDecimal(std::int64_t{ClampNonNegative(v / 2)});
}

std::optional<std::string> checkTextRange(std::string_view text, double upper,
                                          std::optional<double> lower) {
    std::string result(text);
    if (leadingNumber(result) > upper) result = plainDecimal(upper);
    if (lower && leadingNumber(result) < *lower) result = plainDecimal(*lower);
    if (result == text) return std::nullopt;
    return result;
}

std::string phaseLabelText(int phase) {
    return "位相のずれ : " + plainDecimal(phase) + " %";
}

} // namespace wavory::params
