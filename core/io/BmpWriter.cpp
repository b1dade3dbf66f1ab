#include "io/BmpWriter.h"

#include "io/AtomicFile.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace wavory {

namespace {

// 96 pixels per inch, the screen the picture was drawn for.
constexpr std::uint32_t kPixelsPerMeter = 3780;

void putU16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void putU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint64_t imageBytes(const Canvas& c) {
    return static_cast<std::uint64_t>(bmpRowStride(c.width())) *
           static_cast<std::uint64_t>(c.height());
}

std::error_code checkSize(const Canvas& c) {
    if (c.empty())
        return std::make_error_code(std::errc::invalid_argument);
    if (imageBytes(c) + kBmpHeaderBytes > std::numeric_limits<std::uint32_t>::max())
        return std::make_error_code(std::errc::file_too_large);
    return {};
}

std::string header(const Canvas& c) {
    const auto image = static_cast<std::uint32_t>(imageBytes(c));
    std::string h;
    h.reserve(kBmpHeaderBytes);
    // BITMAPFILEHEADER
    h += "BM";
    putU32(h, static_cast<std::uint32_t>(kBmpHeaderBytes) + image);
    putU16(h, 0);
    putU16(h, 0);
    putU32(h, static_cast<std::uint32_t>(kBmpHeaderBytes));
    // BITMAPINFOHEADER: positive height = rows bottom-up, uncompressed.
    putU32(h, 40);
    putU32(h, static_cast<std::uint32_t>(c.width()));
    putU32(h, static_cast<std::uint32_t>(c.height()));
    putU16(h, 1);  // planes
    putU16(h, 24); // bits per pixel
    putU32(h, 0);  // BI_RGB
    putU32(h, image);
    putU32(h, kPixelsPerMeter);
    putU32(h, kPixelsPerMeter);
    putU32(h, 0); // colors used
    putU32(h, 0); // important colors
    return h;
}

// Row y of the picture as stored: blue, green, red per pixel, zero padding.
void encodeRow(const Canvas& c, int y, std::string& row) {
    row.assign(bmpRowStride(c.width()), '\0');
    const std::uint8_t* src = c.data() + static_cast<std::size_t>(y) * c.rowBytes();
    for (int x = 0; x < c.width(); ++x, src += 3) {
        row[3 * static_cast<std::size_t>(x)] = static_cast<char>(src[2]);
        row[3 * static_cast<std::size_t>(x) + 1] = static_cast<char>(src[1]);
        row[3 * static_cast<std::size_t>(x) + 2] = static_cast<char>(src[0]);
    }
}

} // namespace

std::size_t bmpRowStride(int width) {
    const std::size_t raw = static_cast<std::size_t>(width > 0 ? width : 0) * 3;
    return (raw + 3) / 4 * 4;
}

std::error_code writeBmp(const std::string& path, const Canvas& canvas) {
    if (auto ec = checkSize(canvas))
        return ec;
    AtomicFileWriter writer(path);
    if (auto ec = writer.open())
        return ec;
    if (auto ec = writer.write(header(canvas)))
        return ec;
    // Rows go out in blocks of about 1 MiB: one system call each instead of one per
    // stream buffer.
    constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
    const std::size_t stride = bmpRowStride(canvas.width());
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockBytes / stride);
    std::string row, block;
    block.reserve(rowsPerBlock * stride);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        encodeRow(canvas, y, row);
        block += row;
        if (block.size() >= rowsPerBlock * stride || y == 0) {
            if (auto ec = writer.write(block))
                return ec;
            block.clear();
        }
    }
    return writer.commit();
}

} // namespace wavory
