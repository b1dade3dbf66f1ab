#include "io/PngEncoder.h"

#include "common/UiText.h"
#include "common/WorkPool.h"

#include "io/EncodedFile.h"
#include "io/PaletteQuantizer.h"
#include "io/PngContainer.h"
#include "io/PngRowFilter.h"
#include "io/ZlibStream.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

namespace wavory::codec {

namespace {

constexpr std::uint8_t kColorTypeRgb = 2;
constexpr std::uint8_t kColorTypePalette = 3;

// Rows filtered per task: enough to keep a core busy, few enough to share the work.
constexpr std::size_t kRowsPerTask = 64;

// Every row as PNG stores it: a filter type byte, then the filtered bytes.
std::vector<std::uint8_t> filteredRgbRows(const Canvas& canvas) {
    const std::size_t rowBytes = canvas.rowBytes();
    const std::size_t rows = static_cast<std::size_t>(canvas.height());
    std::vector<std::uint8_t> filtered(rows * (rowBytes + 1));
    const std::vector<std::uint8_t> zeroRow(rowBytes, 0);
    const std::size_t tasks = (rows + kRowsPerTask - 1) / kRowsPerTask;
    WorkPool::shared().forEach(tasks, [&](std::size_t task) {
        std::vector<std::uint8_t> scratch(4 * rowBytes);
        const std::size_t end = std::min(rows, (task + 1) * kRowsPerTask);
        for (std::size_t y = task * kRowsPerTask; y < end; ++y) {
            const std::uint8_t* row = canvas.data() + y * rowBytes;
            const std::uint8_t* prior = y > 0 ? row - rowBytes : zeroRow.data();
            filterRowAdaptive(row, prior, rowBytes, 3, filtered.data() + y * (rowBytes + 1),
                              scratch.data());
        }
    });
    return filtered;
}

int paletteBitDepth(std::size_t colors) {
    if (colors <= 2)
        return 1;
    if (colors <= 4)
        return 2;
    if (colors <= 16)
        return 4;
    return 8;
}

// Palette rows unfiltered (filters rarely help palette indices), the indices packed
// from the most significant bit down when the depth is below 8.
std::vector<std::uint8_t> packedPaletteRows(const IndexedImage& image, int bitDepth) {
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t perByte = static_cast<std::size_t>(8 / bitDepth);
    const std::size_t rowBytes = (width + perByte - 1) / perByte;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(image.height) * (rowBytes + 1), 0);
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
        std::uint8_t* out = rows.data() + y * (rowBytes + 1) + 1; // filter byte 0: none
        const std::uint8_t* in = image.indices.data() + y * width;
        if (bitDepth == 8) {
            std::copy(in, in + width, out);
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const int shift = 8 - bitDepth * static_cast<int>(x % perByte + 1);
            out[x / perByte] |= static_cast<std::uint8_t>(in[x] << shift);
        }
    }
    return rows;
}

Result writePng(const std::filesystem::path& target, const PngHeader& header,
                const std::vector<Rgb>& palette, const std::vector<std::uint8_t>& zlibStream) {
    return writeEncodedFile(target, [&](std::FILE* out) {
        return writePngContainer(out, header, palette, zlibStream);
    });
}

Result saveRgb(const Canvas& canvas, const std::filesystem::path& target, DeflateEffort effort) {
    std::vector<std::uint8_t> stream;
    {
        const std::vector<std::uint8_t> rows = filteredRgbRows(canvas);
        stream = compressZlib(rows, effort);
    }
    const PngHeader header{static_cast<std::uint32_t>(canvas.width()),
                           static_cast<std::uint32_t>(canvas.height()), 8, kColorTypeRgb};
    return writePng(target, header, {}, stream);
}

Result savePalette(const Canvas& canvas, const std::filesystem::path& target) {
    QuantizeResult quantized = quantizeCanvas(canvas);
    if (!quantized.ok)
        return {kInternalError, quantized.error};
    const IndexedImage& image = quantized.image;
    const int bitDepth = paletteBitDepth(image.palette.size());
    std::vector<std::uint8_t> stream;
    {
        const std::vector<std::uint8_t> rows = packedPaletteRows(image, bitDepth);
        stream = compressZlib(rows, DeflateEffort::Smallest);
    }
    const PngHeader header{static_cast<std::uint32_t>(image.width),
                           static_cast<std::uint32_t>(image.height),
                           static_cast<std::uint8_t>(bitDepth), kColorTypePalette};
    return writePng(target, header, image.palette, stream);
}

} // namespace

Result savePngFile(const Canvas& canvas, const std::filesystem::path& target, PngMode mode) {
    // Everything is encoded before the target folder is touched: a failure there leaves
    // no trace.
    try {
        switch (mode) {
        case PngMode::Standard:
            return saveRgb(canvas, target, DeflateEffort::Standard);
        case PngMode::Fastest:
            return saveRgb(canvas, target, DeflateEffort::Fastest);
        case PngMode::Lossy:
            break;
        }
        return savePalette(canvas, target);
    } catch (const std::bad_alloc&) {
        return {kInternalError, UiText::tr(kOutOfMemoryText)};
    } catch (const std::runtime_error& e) {
        return {kInternalError, e.what()};
    }
}

} // namespace wavory::codec
