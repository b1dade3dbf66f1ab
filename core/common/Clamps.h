#pragma once
// Range clamps of entered values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

// 0 when the value is below 0, otherwise the value.
template <typename T> constexpr T atLeastZero(T vVal) {
    return vVal < T{0} ? T{0} : vVal;
}

// vMax above the range, vMin below it, otherwise the value (vMax is tested first).
template <typename T> constexpr T clampToRange(T vVal, T vMin, T vMax) {
    if (vVal > vMax)
        return vMax;
    if (vVal < vMin)
        return vMin;
    return vVal;
}

inline constexpr std::int32_t kMaxFieldValue = 999999;

// 1 … 999999 (values of 0 and below become 1).
constexpr std::int32_t clampPositive(std::int32_t n) {
    return clampToRange<std::int32_t>(n, 1, kMaxFieldValue);
}

// 0 … 999999 (negative values become 0).
constexpr std::int32_t clampNonNegative(std::int32_t n) {
    return clampToRange<std::int32_t>(n, 0, kMaxFieldValue);
}

// The text of a field after its range check: when its leading number is above `upper`
// the text becomes `upper`; then, when `lower` is given and the leading number is below
// it, the text becomes `lower`. Otherwise the text is returned unchanged.
std::string clampFieldText(std::string_view text, double upper,
                           std::optional<double> lower = std::nullopt);

} // namespace wavory
