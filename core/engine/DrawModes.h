#pragma once
// How a drawn pixel meets the pixel already on the canvas in each draw mode.

#include "image/Canvas.h"
#include "params/ParamFields.h"

#include <array>
#include <string_view>

namespace wavory {

// The names of the mode list, by index.
inline constexpr std::array<std::string_view, 4> kDrawModeNames{"通常", "AND", "OR", "XOR"};

// Normal replaces the old pixel; AND, OR and XOR combine it bit by bit per channel.
inline Rgb combinePixel(DrawMode mode, Rgb old, Rgb drawn) {
    switch (mode) {
    case DrawMode::And:
        return {static_cast<std::uint8_t>(old.r & drawn.r),
                static_cast<std::uint8_t>(old.g & drawn.g),
                static_cast<std::uint8_t>(old.b & drawn.b)};
    case DrawMode::Or:
        return {static_cast<std::uint8_t>(old.r | drawn.r),
                static_cast<std::uint8_t>(old.g | drawn.g),
                static_cast<std::uint8_t>(old.b | drawn.b)};
    case DrawMode::Xor:
        return {static_cast<std::uint8_t>(old.r ^ drawn.r),
                static_cast<std::uint8_t>(old.g ^ drawn.g),
                static_cast<std::uint8_t>(old.b ^ drawn.b)};
    case DrawMode::Normal:
        break;
    }
    return drawn;
}

} // namespace wavory
