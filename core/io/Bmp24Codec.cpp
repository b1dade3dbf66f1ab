#include "io/Bmp24Codec.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace wavory::codec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

std::uint64_t paddedRowBytes(std::uint64_t width) {
    return (width * 3 + 3) / 4 * 4;
}

void putU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>(v >> 8));
}

void putU32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((v >> shift) & 0xff));
}

std::uint32_t getU32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

std::uint16_t getU16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

} // namespace

std::optional<std::string> encodeBmp24(const Canvas& canvas) {
    const std::uint64_t stride = paddedRowBytes(static_cast<std::uint64_t>(canvas.width()));
    const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(canvas.height());
    if (imageBytes + kHeadersSize > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;

    std::string out;
    out.reserve(static_cast<std::size_t>(imageBytes + kHeadersSize));
    out += "BM";
    putU32(out, static_cast<std::uint32_t>(imageBytes + kHeadersSize));
    putU32(out, 0); // reserved
    putU32(out, kHeadersSize);
    putU32(out, kInfoHeaderSize);
    putU32(out, static_cast<std::uint32_t>(canvas.width()));
    putU32(out, static_cast<std::uint32_t>(canvas.height())); // positive: bottom-up
    putU16(out, 1);                                           // planes
    putU16(out, 24);                                          // bits per pixel
    putU32(out, 0);                                           // uncompressed
    putU32(out, static_cast<std::uint32_t>(imageBytes));
    putU32(out, 0); // horizontal resolution: unspecified
    putU32(out, 0); // vertical resolution
    putU32(out, 0); // palette entries
    putU32(out, 0); // important colors
    const std::size_t padding = static_cast<std::size_t>(stride) - canvas.rowBytes();
    for (int y = canvas.height() - 1; y >= 0; --y) {
        const std::uint8_t* p = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes();
        for (int x = 0; x < canvas.width(); ++x, p += 3) {
            out.push_back(static_cast<char>(p[2]));
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
        }
        out.append(padding, '\0');
    }
    return out;
}

std::optional<Canvas> decodeBmp24(std::string_view bytes) {
    if (bytes.size() < kHeadersSize || bytes.substr(0, 2) != "BM")
        return std::nullopt;
    const std::uint32_t pixelOffset = getU32(bytes, 10);
    const std::uint32_t infoSize = getU32(bytes, 14);
    const auto width = static_cast<std::int32_t>(getU32(bytes, 18));
    const auto rawHeight = static_cast<std::int32_t>(getU32(bytes, 22));
    if (infoSize < kInfoHeaderSize || getU16(bytes, 26) != 1 || getU16(bytes, 28) != 24 ||
        getU32(bytes, 30) != 0)
        return std::nullopt;
    if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    const bool bottomUp = rawHeight > 0;
    const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
    const std::uint64_t stride = paddedRowBytes(static_cast<std::uint64_t>(width));
    if (pixelOffset < kFileHeaderSize + infoSize ||
        pixelOffset + stride * static_cast<std::uint64_t>(height) > bytes.size())
        return std::nullopt;

    Canvas canvas(width, height);
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t y = bottomUp ? height - 1 - row : row;
        const char* src = bytes.data() + pixelOffset + static_cast<std::size_t>(row) * stride;
        std::uint8_t* dst = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes();
        for (std::int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = static_cast<std::uint8_t>(src[2]);
            dst[1] = static_cast<std::uint8_t>(src[1]);
            dst[2] = static_cast<std::uint8_t>(src[0]);
        }
    }
    return canvas;
}

} // namespace wavory::codec
