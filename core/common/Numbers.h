#pragma once
// Number reading and writing shared by every subsystem: the tolerant reading of
// typed texts, the strict conversions of the file readers, round-half-to-even,
// and the two number-to-text forms (plain decimal and sign-position).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

// Nearest integer, ties to even (the rule for every real-to-integer conversion).
double roundHalfEven(double value);

// Rounded half to even and saturated to the target's range, so that a hand-edited
// huge number never wraps around.
std::int64_t roundToInt64(double value);
std::int32_t roundToInt32(double value);

// Tolerant reading: leading blanks are skipped, reading stops at the first character
// that does not belong to a number, no digits gives 0. Accepts a sign, digits, one
// decimal point and an exponent ("1.5e3").
double leadingNumber(std::string_view text);

// The leading number of a text rounded half to even into a 32-bit slot (saturating).
std::int32_t leadingInt32(std::string_view text);

// Strict conversion: the whole text, blanks around it allowed, must be one number.
// Nothing is returned for an empty text, a non-number or a value outside the range.
std::optional<double> strictNumber(std::string_view text);
std::optional<std::int32_t> strictInt32(std::string_view text);

// Plain decimal form: the shortest text that reads back as the value ("640", "4.5",
// "-3", "1E+20"); no leading blank.
std::string plainDecimal(double value);
std::string plainDecimal(std::int64_t value);
inline std::string plainDecimal(int value) { return plainDecimal(static_cast<std::int64_t>(value)); }

// Sign-position form: one blank before a non-negative number, the minus sign before a
// negative one (" 3", "-3"). Part of section and key names in the program's files.
std::string signPositionForm(std::int64_t value);

} // namespace wavory
