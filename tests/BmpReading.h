#pragma once
// Reads back the bitmaps the program writes, so tests can compare them with a canvas:
// uncompressed 24 bits per pixel with a BITMAPINFOHEADER (or a larger header), rows
// bottom-up or top-down. Nothing when the bytes are not such a bitmap or are cut short.

#include "image/Canvas.h"
#include "io/BmpWriter.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavory {

namespace bmpdetail {

inline std::uint32_t u32(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}
inline std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

// Larger than any picture this program draws, small enough to keep the arithmetic safe.
constexpr std::int64_t kMaxSide = 1 << 16;

} // namespace bmpdetail

inline std::optional<Canvas> decodeBmp(std::string_view b) {
    if (b.size() < kBmpHeaderBytes || b.substr(0, 2) != "BM")
        return std::nullopt;
    const std::uint32_t offset = bmpdetail::u32(b, 10);
    const std::uint32_t infoSize = bmpdetail::u32(b, 14);
    if (infoSize < 40 || 14 + static_cast<std::uint64_t>(infoSize) > b.size())
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(bmpdetail::u32(b, 18));
    const auto rawHeight = static_cast<std::int32_t>(bmpdetail::u32(b, 22));
    if (bmpdetail::u16(b, 26) != 1 || bmpdetail::u16(b, 28) != 24 || bmpdetail::u32(b, 30) != 0)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > bmpdetail::kMaxSide || height > bmpdetail::kMaxSide)
        return std::nullopt;

    const std::size_t stride = bmpRowStride(width);
    if (offset > b.size() || (b.size() - offset) / stride < static_cast<std::uint64_t>(height))
        return std::nullopt;

    Canvas c(width, static_cast<int>(height));
    for (int row = 0; row < c.height(); ++row) {
        const int y = topDown ? row : c.height() - 1 - row;
        const std::size_t base = offset + static_cast<std::size_t>(row) * stride;
        for (int x = 0; x < width; ++x) {
            const std::size_t p = base + 3 * static_cast<std::size_t>(x);
            c.setPixel(x, y,
                       {static_cast<std::uint8_t>(b[p + 2]), static_cast<std::uint8_t>(b[p + 1]),
                        static_cast<std::uint8_t>(b[p])});
        }
    }
    return c;
}

} // namespace wavory
