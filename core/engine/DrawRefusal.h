#pragma once
// The tests before a drawing: whether a component is switched on at all, and whether
// the snapshot can be drawn soundly. A refused drawing changes nothing.

#include "colorsets/GColor.h"
#include "common/Result.h"
#include "common/UiText.h"
#include "params/DrawParams.h"
#include "params/ParamFields.h"

#include <string_view>

namespace wavory {

inline constexpr std::string_view kNoComponentMessage =
    UiText::trNoop("成分が一つも選択されていません。");
inline constexpr std::string_view kColorSetTooSmallMessage =
    UiText::trNoop("色セットの色数が足りないため描画できません。");
inline constexpr std::string_view kColorSetTooLargeMessage =
    UiText::trNoop("色セットの色数が多すぎるため描画できません。");
inline constexpr std::string_view kFrameSizeMessage =
    UiText::trNoop("枠の横幅と縦幅は1以上にして下さい。");
inline constexpr std::string_view kImageSizeMessage =
    UiText::trNoop("画像の幅と高さは1以上にして下さい。");
inline constexpr std::string_view kImageTooLargeMessage =
    UiText::trNoop("画像サイズが大きすぎるため描画できません。");

// Widest and highest image the synthesis accepts. Up to this size every integer
// expression of the components stays exact in 64 bits whatever the center offsets.
inline constexpr int kMaxDrawSide = 1 << 20;

// The draw command's first test: success when at least one component switch is on,
// otherwise a failure with the message to show (critical icon); the command then does
// nothing more.
Result checkComponents(const ParamFields& fields);

// Success when the snapshot can be drawn with this color set; otherwise why not
// (a set with fewer than 2 or more than 12 points, a frame narrower or lower than one
// pixel, an empty image or one larger than kMaxDrawSide).
Result drawRefusal(const DrawParams& params, const GColor& colorSet);

} // namespace wavory
