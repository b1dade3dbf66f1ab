#include "common/Numbers.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>

namespace wavory {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

template <typename Int> Int saturatingRound(double value) {
    if (std::isnan(value)) return 0;
    const double r = roundHalfEven(value);
    if (r <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (r >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(r);
}

// Length of the number that starts at text[pos], 0 when there is none.
// A number is: optional sign, digits with at most one point (at least one digit),
// then optionally e/E, an optional sign and at least one digit.
std::size_t numberLength(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return i - pos;
}

double parseNumber(std::string_view number) {
    // from_chars rejects a leading '+'.
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: saturate the large ones, flush the tiny ones.
        const bool negative = !number.empty() && number.front() == '-';
        const auto e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        if (tiny) return 0.0;
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return value;
}

} // namespace

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; do not rely on that.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (previous != FE_TONEAREST) std::fesetround(previous);
    return r;
}

std::int64_t roundToInt64(double value) { return saturatingRound<std::int64_t>(value); }
std::int32_t roundToInt32(double value) { return saturatingRound<std::int32_t>(value); }

double leadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    const std::size_t len = numberLength(text, pos);
    if (len == 0) return 0.0;
    return parseNumber(text.substr(pos, len));
}

std::int32_t leadingInt32(std::string_view text) { return roundToInt32(leadingNumber(text)); }

std::optional<double> strictNumber(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin == end) return std::nullopt;
    const std::size_t len = numberLength(text, begin);
    if (len == 0 || begin + len != end) return std::nullopt;
    const double value = parseNumber(text.substr(begin, len));
    if (std::isinf(value) || std::fabs(value) == std::numeric_limits<double>::max())
        return std::nullopt;
    return value;
}

namespace {
template <typename Int> std::optional<Int> strictInt(std::string_view text) {
    const auto number = strictNumber(text);
    if (!number) return std::nullopt;
    const double r = roundHalfEven(*number);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(r);
}
} // namespace

std::optional<std::int32_t> strictInt32(std::string_view text) { return strictInt<std::int32_t>(text); }

std::string plainDecimal(std::int64_t value) { return std::to_string(value); }

std::string plainDecimal(double value) {
    if (std::isnan(value)) return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    char buffer[64];
    // Up to 15 significant digits, the precision the files have always held; to_chars
    // ignores the locale, so the decimal separator is always ".".
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    const auto e = text.find('E');
    if (e == std::string::npos) return text;
    // "1.5E+020" style exponents are written with at least two digits: "1.5E+20".
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const char sign = exponent.empty() ? '+' : exponent[0];
    std::string digits = exponent.substr(1);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}

std::string signPositionForm(std::int64_t value) {
    if (value < 0) return std::to_string(value);
    std::string text = " ";
    text += std::to_string(value);
    return text;
}

} // namespace wavory
