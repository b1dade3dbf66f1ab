#include "anim/FrameSeriesNames.h"

#include <algorithm>

namespace wavory {

namespace {

std::int64_t powerOfTen(int digits) {
    std::int64_t p = 1;
    for (int i = 0; i < digits; ++i)
        p *= 10;
    return p;
}

// Digits of a non-negative number (1 for 0).
int digitCount(std::uint64_t n) {
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

} // namespace

std::string frameNumberText(std::int64_t number, int digits) {
    const bool negative = number < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::string text = std::to_string(magnitude);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return negative ? "-" + text : text;
}

std::string frameFileName(std::string_view base, std::int64_t number, int digits) {
    std::string name(base);
    name += frameNumberText(number, digits);
    name += ".bmp";
    return name;
}

bool frameDigitsSuffice(std::int64_t start, std::int64_t frames, int digits) {
    digits = std::clamp(digits, 1, 18);
    return powerOfTen(digits) - start >= frames;
}

int fittingDigitIndex(std::int64_t start, std::int64_t frames) {
    const std::int64_t sum = std::max<std::int64_t>(frames + start, 1);
    return std::min(digitCount(static_cast<std::uint64_t>(sum)) - 1, kMaxFrameDigits - 1);
}

} // namespace wavory
