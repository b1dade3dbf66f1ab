#pragma once
// Names of a numbered frame series: base name + number of at least d digits + ".bmp".

#include "common/UiText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wavory {

inline constexpr std::string_view kDigitsTooFewMessage = UiText::trNoop("連番の桁数が足りません。");
// The digit counts offered: 1 to 8.
inline constexpr int kMaxFrameDigits = 8;

// `number` with at least `digits` digits, zero-padded on the left; a longer number is
// written in full.
std::string frameNumberText(std::int64_t number, int digits);
// base + frameNumberText(number, digits) + ".bmp"
std::string frameFileName(std::string_view base, std::int64_t number, int digits);
// False when the last number, start + frames - 1, needs more than `digits` digits
// (10^digits - start < frames).
bool frameDigitsSuffice(std::int64_t start, std::int64_t frames, int digits);
// The index into the digit-count list (0 = 1 digit) offered after a refusal:
// floor(log10(frames + start)), at most 7 (8 digits).
int fittingDigitIndex(std::int64_t start, std::int64_t frames);

} // namespace wavory
