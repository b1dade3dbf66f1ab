#include "colorsets/ColorEditing.h"

#include "common/UiText.h"

#include "colorsets/ColorSetCollection.h"
#include "common/ColorValue.h"
#include "common/Numbers.h"
#include "common/RandomSource.h"
#include "io/TextCodec.h"

#include <algorithm>
#include <utility>

namespace wavory {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte length of the UTF-8 character starting at `pos` (an invalid byte counts as one).
std::size_t characterLength(std::string_view text, std::size_t pos) {
    std::size_t end = pos + 1;
    while (end < text.size() && isContinuationByte(text[end]))
        ++end;
    return end - pos;
}

int roundedChannel(double value) {
    return static_cast<int>(roundToInt32(value));
}

} // namespace

std::int32_t randomColorValue(double r) {
    const std::int64_t v = roundToInt64(r * 16777216.0);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, kWhiteColorValue));
}

void randomizeColors(std::span<std::int32_t> points, RandomSource& random) {
    for (std::int32_t& c : points)
        c = randomColorValue(random.next());
}

std::int32_t negativeColor(std::int32_t c) {
    return kWhiteColorValue & ~c;
}

void negateColors(std::span<std::int32_t> points) {
    for (std::int32_t& c : points)
        c = negativeColor(c);
}

std::int32_t hueRotated120(std::int32_t c) {
    return (c % 256) * 65536 + c / 256;
}

void rotateHues(std::span<std::int32_t> points) {
    for (std::int32_t& c : points)
        c = hueRotated120(c);
}

int luminance(std::int32_t c) {
    return roundedChannel(0.3 * redOf(c) + 0.59 * greenOf(c) + 0.11 * blueOf(c));
}

void tintColors(std::span<std::int32_t> points, std::int32_t chosen) {
    int brightest = 0;
    for (std::int32_t c : points)
        brightest = std::max(brightest, luminance(c));
    // One over the brightest luminance in single precision; all black leaves 1.
    const float k = 1.0f / static_cast<float>(std::clamp(brightest, 1, 255));
    const double scale = k;
    const int rc = redOf(chosen);
    const int gc = greenOf(chosen);
    const int bc = blueOf(chosen);
    for (std::int32_t& c : points) {
        const int y = luminance(c);
        c = rgbValue(roundedChannel(scale * rc * y), roundedChannel(scale * gc * y),
                     roundedChannel(scale * bc * y));
    }
}

std::int32_t brightenedColor(std::int32_t kept, int offset) {
    return rgbValue(redOf(kept) + offset, greenOf(kept) + offset, blueOf(kept) + offset);
}

void applyBrightness(std::span<const std::int32_t> kept, std::span<std::int32_t> points,
                     int visibleCount, int offset) {
    const std::size_t n = std::min(kept.size(), points.size());
    for (std::size_t i = 0; i < n; ++i) {
        points[i] = std::cmp_less(i, visibleCount) ? brightenedColor(kept[i], offset) : kept[i];
    }
}

void matchEdges(std::span<std::int32_t> points) {
    if (!points.empty())
        points.back() = points.front();
}

void matchEdgesAfterChange(std::span<std::int32_t> points, std::size_t changed) {
    if (points.empty())
        return;
    if (changed == 0)
        points.back() = points.front();
    else if (changed == points.size() - 1)
        points.front() = points.back();
}

std::string swatchToolTip(std::int32_t c) {
    std::string tip = " R=";
    tip += signPositionForm(redOf(c));
    tip += " G=";
    tip += signPositionForm(greenOf(c));
    tip += " B=";
    tip += signPositionForm(blueOf(c));
    return tip;
}

std::string brightnessLabel(int offset) {
    std::string label = offset < 0 ? "" : "+";
    label += std::to_string(offset);
    return label;
}

std::string fitCp932Bytes(std::string_view text, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = characterLength(text, pos);
        const std::size_t bytes = textcodec::cp932ByteLength(text.substr(pos, len));
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        pos += len;
    }
    return std::string(text.substr(0, pos));
}

LimitedEdit limitEdit(std::string_view before, std::string_view after, std::size_t maxBytes) {
    // The unchanged head and tail, on character boundaries.
    std::size_t head = 0;
    const std::size_t shorter = std::min(before.size(), after.size());
    while (head < shorter && before[head] == after[head])
        ++head;
    while (head > 0 && head < after.size() && isContinuationByte(after[head]))
        --head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    while (tail > 0 && isContinuationByte(after[after.size() - tail]))
        --tail;

    const std::string_view inserted = after.substr(head, after.size() - head - tail);
    if (textcodec::cp932ByteLength(after) <= maxBytes)
        return {std::string(after), head + inserted.size(), false};

    const std::string_view prefix = after.substr(0, head);
    const std::string_view suffix = after.substr(after.size() - tail);
    const std::size_t keptBytes =
        textcodec::cp932ByteLength(prefix) + textcodec::cp932ByteLength(suffix);
    const std::string fitted =
        fitCp932Bytes(inserted, maxBytes > keptBytes ? maxBytes - keptBytes : 0);
    LimitedEdit result;
    result.text = std::string(prefix) + fitted + std::string(suffix);
    result.caret = head + fitted.size();
    result.cut = fitted.size() < inserted.size();
    return result;
}

Result checkFieldNotEmpty(std::string_view text, std::string_view itemName) {
    static constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
        } else if (text.substr(pos, kFullWidthBlank.size()) == kFullWidthBlank) {
            pos += kFullWidthBlank.size();
        } else {
            return {};
        }
    }
    return Result::failure(MessageIcon::Critical,
                           fillText(UiText::tr("'%1' を入力してください。"), {itemName}));
}

Result checkEditedName(const ColorSetCollection& collection, int editIndex, std::string_view name) {
    if (Result empty = checkFieldNotEmpty(name, UiText::tr("名前")); !empty.ok())
        return empty;
    if (collection.indexOfName(name, editIndex) >= 0)
        return Result::failure(duplicateSetNameMessage());
    return {};
}

UserMessage duplicateSetNameMessage() {
    return {MessageIcon::Critical, UiText::tr("この名前の色セットが他に存在しています。")};
}

GColor editedSet(std::string_view name, int level, std::span<const std::int32_t> points) {
    GColor set;
    set.name = std::string(name);
    set.colorLevelCount = static_cast<std::int16_t>(level);
    const std::size_t n = std::min<std::size_t>(points.size(), kMaxColorPoints);
    set.colorCount = static_cast<std::int16_t>(n);
    for (std::size_t i = 0; i < n; ++i) {
        set.r[i] = static_cast<std::int16_t>(redOf(points[i]));
        set.g[i] = static_cast<std::int16_t>(greenOf(points[i]));
        set.b[i] = static_cast<std::int16_t>(blueOf(points[i]));
    }
    return set;
}

bool writeEditedSet(ColorSetCollection& collection, int index, std::string_view name, int level,
                    std::span<const std::int32_t> points) {
    if (index < 0 || index >= collection.colorSetCount() || points.size() > kMaxColorPoints)
        return false;
    GColor& set = collection.at(index);
    set.colorCount = 0;
    set.colorLevelCount = static_cast<std::int16_t>(level);
    for (std::int32_t c : points)
        collection.addColorPoint(index, redOf(c), greenOf(c), blueOf(c));
    set.name = textcodec::decodeFileText(name);
    return true;
}

} // namespace wavory
