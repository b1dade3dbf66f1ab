#include "io/BmpWriter.h"

#include "common/WorkPool.h"
#include "io/AtomicFile.h"

#include <algorithm>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif
#include <limits>
#include <memory>
#include <system_error>

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

// Pixels [from, count) of a row: red, green, blue turned into blue, green, red.
void swapRedBlue(const std::uint8_t* __restrict src, std::uint8_t* __restrict out,
                 std::size_t from, std::size_t count) {
    for (std::size_t x = from; x < count; ++x) {
        out[3 * x] = src[3 * x + 2];
        out[3 * x + 1] = src[3 * x + 1];
        out[3 * x + 2] = src[3 * x];
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Five pixels (15 bytes) per byte shuffle; the 16-byte loads stay inside the row.
__attribute__((target("ssse3"))) std::size_t swapRedBlueShuffled(const std::uint8_t* src,
                                                                 std::uint8_t* out,
                                                                 std::size_t count) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    std::size_t x = 0;
    for (; x + 6 <= count; x += 5) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm_shuffle_epi8(v, order));
    }
    return x; // byte 15 of the last store is rewritten by the scalar rest
}
#endif

// Row y of the picture as stored: blue, green, red per pixel, then the zero padding.
void encodeRow(const Canvas& c, int y, std::uint8_t* __restrict out, std::size_t stride) {
    const std::uint8_t* src = c.data() + static_cast<std::size_t>(y) * c.rowBytes();
    const auto pixels = static_cast<std::size_t>(c.width());
    std::size_t done = 0;
#if defined(__x86_64__) || defined(__i386__)
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    if (shuffles)
        done = swapRedBlueShuffled(src, out, pixels);
#endif
    swapRedBlue(src, out, done, pixels);
    for (std::size_t i = pixels * 3; i < stride; ++i)
        out[i] = 0;
}

// Writes the stored rows [first, last) (row r of the file is row H - 1 - r of the
// picture) in blocks of about 1 MiB, each in one system call.
std::error_code writeRows(AtomicFileWriter& writer, const Canvas& canvas, int first, int last) {
    constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
    const std::size_t stride = bmpRowStride(canvas.width());
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockBytes / stride);
    const auto rows = static_cast<std::size_t>(last - first);
    // Every byte of the block is written before it goes out.
    const std::unique_ptr<std::uint8_t[]> block(
        new std::uint8_t[std::min(rowsPerBlock, rows) * stride]);
    for (int r = first; r < last;) {
        const int end = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(last),
                                                                r + rowsPerBlock));
        std::size_t used = 0;
        for (int row = r; row < end; ++row, used += stride)
            encodeRow(canvas, canvas.height() - 1 - row, block.get() + used, stride);
        const std::uint64_t at = kBmpHeaderBytes + static_cast<std::uint64_t>(r) * stride;
        if (auto ec = writer.writeAt(at, {reinterpret_cast<const char*>(block.get()), used}))
            return ec;
        r = end;
    }
    return {};
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
    if (auto ec = writer.writeAt(0, header(canvas)))
        return ec;
    // A large picture is written in two halves at once, straight from the canvas: the
    // encoding and the copy into the file are both work for a core.
    constexpr std::uint64_t kSplitBytes = std::uint64_t{4} << 20;
    const int H = canvas.height();
    const std::size_t halves = imageBytes(canvas) >= kSplitBytes ? 2 : 1;
    const int bounds[] = {0, halves == 2 ? H / 2 : H, H};
    std::error_code failed[2];
    WorkPool::shared().forEach(halves, [&](std::size_t i) {
        failed[i] = writeRows(writer, canvas, bounds[i], bounds[i + 1]);
    });
    for (const std::error_code& ec : failed)
        if (ec)
            return ec;
    return writer.commit();
}

} // namespace wavory
