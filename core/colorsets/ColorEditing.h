#pragma once
// The color operations of the color set editor on its points, each a 24-bit color value
// R + 256·G + 65536·B, and the checks and the write-back of its OK button. The editor
// window only shows what these compute.

#include "colorsets/GColor.h"
#include "common/Result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wavory {

class ColorSetCollection;
class RandomSource;

inline constexpr std::int32_t kWhiteColorValue = 16777215;

// --- Point colors -------------------------------------------------------------------

// NearestEven(r × 16777216) for r in [0, 1). A result of 16777216 (r within 2^-25 of 1)
// is taken as white, the nearest color there is; values outside [0, 1) are held to the
// color range the same way.
std::int32_t randomColorValue(double r);

// Every point a uniformly random color, one draw from `random` per point in order.
void randomizeColors(std::span<std::int32_t> points, RandomSource& random);

// Each channel becomes 255 minus itself.
std::int32_t negativeColor(std::int32_t c);
void negateColors(std::span<std::int32_t> points);

// New red = old green, new green = old blue, new blue = old red.
std::int32_t hueRotated120(std::int32_t c);
void rotateHues(std::span<std::int32_t> points);

// NearestEven(0.3·R + 0.59·G + 0.11·B).
int luminance(std::int32_t c);

// One-color tint: every point becomes a shade of `chosen` in proportion to its luminance,
// the brightest point becomes `chosen` itself, black stays black.
void tintColors(std::span<std::int32_t> points, std::int32_t chosen);

// `kept` with `offset` added to each channel, every channel held to 0..255.
std::int32_t brightenedColor(std::int32_t kept, int offset);

// The brightness dialog: the first `visibleCount` points are `kept` brightened by
// `offset`, the others are `kept` as they are. Both spans have the same length.
void applyBrightness(std::span<const std::int32_t> kept, std::span<std::int32_t> points,
                     int visibleCount, int offset);

// Edge matching: the last point takes the color of the first.
void matchEdges(std::span<std::int32_t> points);
// After point `changed` was given a new color with edge matching on: a new first color
// goes to the last point, a new last color to the first.
void matchEdgesAfterChange(std::span<std::int32_t> points, std::size_t changed);

// --- Texts --------------------------------------------------------------------------

// The swatch tooltip: " R= 255 G= 0 B= 0" for pure red.
std::string swatchToolTip(std::int32_t c);

// The brightness label: the offset with its sign always shown ("+0", "+25", "-10").
std::string brightnessLabel(int offset);

// --- Name ---------------------------------------------------------------------------

// A set's name holds at most 24 bytes in CP932: 12 full-width or 24 half-width characters.
inline constexpr std::size_t kMaxSetNameBytes = 24;

// The longest run of whole leading characters of `text` that fits `maxBytes` CP932 bytes.
std::string fitCp932Bytes(std::string_view text, std::size_t maxBytes = kMaxSetNameBytes);

// An edit of a limited field: `before` became `after` by typing, pasting or deleting.
// Whatever was inserted is cut so that the whole text fits `maxBytes` CP932 bytes (the
// rest of the text is never touched). `caret` is the byte offset just after the insertion.
struct LimitedEdit {
    std::string text;
    std::size_t caret = 0;
    bool cut = false; // part of the insertion did not fit
};
LimitedEdit limitEdit(std::string_view before, std::string_view after,
                      std::size_t maxBytes = kMaxSetNameBytes);

// The common empty-field check: success when `text` holds more than blanks (half- or
// full-width), else "'" + itemName + "' を入力してください。" with the critical icon.
Result checkFieldNotEmpty(std::string_view text, std::string_view itemName);

// The OK checks of the editor on the name typed for the set at `editIndex`: not empty,
// and no other set of the collection bears it. Success when the name is acceptable.
Result checkEditedName(const ColorSetCollection& collection, int editIndex, std::string_view name);

// "この名前の色セットが他に存在しています。"
UserMessage duplicateSetNameMessage();

// --- Write-back ---------------------------------------------------------------------

// The set the editor's points make: for the preview, and what OK stores.
GColor editedSet(std::string_view name, int level, std::span<const std::int32_t> points);

// OK: the set at `index` takes the edited points (ColorCount 0, then one addColorPoint per
// point), the level exponent and the name. False when `index` is not a slot of the
// collection or there are more than 12 points.
bool writeEditedSet(ColorSetCollection& collection, int index, std::string_view name, int level,
                    std::span<const std::int32_t> points);

} // namespace wavory
