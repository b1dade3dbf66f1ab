#pragma once
// The three PNG save modes, in the order the PNG option dialog lists them; the index
// is the mode passed to the codec and stored as PNGSaveQ.

#include "common/UiText.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace wavory {

enum class PngMode : std::uint8_t {
    Standard = 0, // lossless RGB, balanced compression
    Fastest = 1,  // lossless RGB, fastest compression
    Lossy = 2,    // quantized to a palette of at most 256 colors, hardest compression
};

inline constexpr std::uint8_t kPngModeCount = 3;

inline constexpr std::string_view kPngCaptionStandard = UiText::trNoop("標準");
inline constexpr std::string_view kPngCaptionFastest = UiText::trNoop("圧縮速度優先（低圧縮率）");
inline constexpr std::string_view kPngCaptionLossy = UiText::trNoop("圧縮率優先(不可逆圧縮、低速)");

inline constexpr std::array<std::string_view, kPngModeCount> kPngModeCaptions = {
    kPngCaptionStandard, kPngCaptionFastest, kPngCaptionLossy};

} // namespace wavory
