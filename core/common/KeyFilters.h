#pragma once
// Key filters of the numeric fields: the result replaces the typed character code, 0
// discards the key.

namespace wavory {

inline constexpr int kBackspaceKey = 8;

// Digits, ".", "-" and backspace are kept; the position of "-" is not examined.
constexpr int filterNumberKey(int vChr) {
    const bool kept =
        (vChr >= '0' && vChr <= '9') || vChr == '.' || vChr == '-' || vChr == kBackspaceKey;
    return kept ? vChr : 0;
}

// Digits and backspace are kept.
constexpr int filterDigitKey(int vChr) {
    const bool kept = (vChr >= '0' && vChr <= '9') || vChr == kBackspaceKey;
    return kept ? vChr : 0;
}

} // namespace wavory
