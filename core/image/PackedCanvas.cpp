#include "image/PackedCanvas.h"

#include "common/WorkPool.h"

#include <zstd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace wavory {

namespace {

constexpr std::size_t kPixel = 3;

struct CCtxDeleter {
    void operator()(ZSTD_CCtx* c) const { ZSTD_freeCCtx(c); }
};

// d = p - left - up + upLeft, byte-wise modulo 256; a missing neighbour counts as 0.
void differences(const std::uint8_t* p, const std::uint8_t* up, std::size_t n, std::uint8_t* d) {
    const std::size_t first = std::min(kPixel, n);
    for (std::size_t i = 0; i < first; ++i)
        d[i] = static_cast<std::uint8_t>(p[i] - (up ? up[i] : 0));
    if (up) {
        for (std::size_t i = first; i < n; ++i)
            d[i] = static_cast<std::uint8_t>(p[i] - p[i - kPixel] - up[i] + up[i - kPixel]);
    } else {
        for (std::size_t i = first; i < n; ++i)
            d[i] = static_cast<std::uint8_t>(p[i] - p[i - kPixel]);
    }
}

// The inverse, in place: row holds the differences and becomes the pixels.
void undoDifferences(std::uint8_t* row, const std::uint8_t* up, std::size_t n) {
    const std::size_t first = std::min(kPixel, n);
    for (std::size_t i = 0; i < first; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + (up ? up[i] : 0));
    if (up) {
        for (std::size_t i = first; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - kPixel] + up[i] - up[i - kPixel]);
    } else {
        for (std::size_t i = first; i < n; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - kPixel]);
    }
}

// Bands of at least this many rows: fewer would cost compression for no speed.
constexpr int kBandRows = 512;
constexpr int kMostBands = 8;

} // namespace

bool PackedCanvas::packBand(const Canvas& picture, Band& band) {
    const std::unique_ptr<ZSTD_CCtx, CCtxDeleter> ctx(ZSTD_createCCtx());
    if (!ctx)
        return false;
    ZSTD_CCtx_setParameter(ctx.get(), ZSTD_c_compressionLevel, 1);
    // The differences of a detailed pattern are mostly literals: a small match table
    // and longer matches find the few repeats 1.6 times as fast, the output as small (a
    // smooth pattern's repeats are long and found all the same, within 1 %).
    ZSTD_CCtx_setParameter(ctx.get(), ZSTD_c_hashLog, 10);
    ZSTD_CCtx_setParameter(ctx.get(), ZSTD_c_minMatch, 7);
    const std::size_t rowBytes = picture.rowBytes();
    const int first = band.firstRow;
    const std::size_t bound =
        ZSTD_compressBound(rowBytes * static_cast<std::size_t>(band.rows));
    std::vector<std::uint8_t> row(rowBytes);
    // Only the pages the compressed bytes reach are ever mapped; realloc below gives the
    // rest back without copying.
    std::unique_ptr<char[], Free> out(static_cast<char*>(std::malloc(bound)));
    if (!out)
        return false;
    ZSTD_outBuffer output{out.get(), bound, 0};
    bool ok = true;
    for (int y = first; ok && y < first + band.rows; ++y) {
        const std::uint8_t* p = picture.data() + static_cast<std::size_t>(y) * rowBytes;
        differences(p, y > first ? p - rowBytes : nullptr, rowBytes, row.data());
        ZSTD_inBuffer input{row.data(), rowBytes, 0};
        while (ok && input.pos < input.size)
            ok = !ZSTD_isError(ZSTD_compressStream2(ctx.get(), &output, &input, ZSTD_e_continue));
    }
    ZSTD_inBuffer none{nullptr, 0, 0};
    for (std::size_t left = 1; ok && left != 0;) {
        left = ZSTD_compressStream2(ctx.get(), &output, &none, ZSTD_e_end);
        ok = !ZSTD_isError(left);
    }
    if (!ok)
        return false;
    if (char* exact = static_cast<char*>(std::realloc(out.get(), output.pos))) {
        (void)out.release();
        out.reset(exact);
    }
    band.data = std::move(out);
    band.size = output.pos;
    return true;
}

void PackedCanvas::Free::operator()(char* p) const {
    std::free(p);
}

std::size_t PackedCanvas::bytes() const {
    std::size_t total = 0;
    for (const Band& band : bands_)
        total += band.size;
    return total;
}

std::shared_ptr<const PackedCanvas> PackedCanvas::pack(const Canvas& picture) {
    try {
        auto packed = std::make_shared<PackedCanvas>();
        packed->width_ = picture.width();
        packed->height_ = picture.height();
        const int count = std::clamp(picture.height() / kBandRows, 1, kMostBands);
        packed->bands_.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            Band& band = packed->bands_[static_cast<std::size_t>(i)];
            band.firstRow =
                static_cast<int>(static_cast<std::int64_t>(picture.height()) * i / count);
            band.rows =
                static_cast<int>(static_cast<std::int64_t>(picture.height()) * (i + 1) / count) -
                band.firstRow;
        }
        std::atomic<bool> failed{false};
        WorkPool::shared().forEach(packed->bands_.size(), [&](std::size_t i) {
            if (!packBand(picture, packed->bands_[i]))
                failed = true;
        });
        return failed ? nullptr : packed;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool PackedCanvas::unpackInto(Canvas& canvas) const {
    canvas.resizeForOverwrite(width_, height_);
    const std::size_t rowBytes = canvas.rowBytes();
    std::atomic<bool> failed{false};
    WorkPool::shared().forEach(bands_.size(), [&](std::size_t i) {
        const Band& band = bands_[i];
        std::uint8_t* first = canvas.data() + static_cast<std::size_t>(band.firstRow) * rowBytes;
        const std::size_t raw = rowBytes * static_cast<std::size_t>(band.rows);
        const std::size_t n = ZSTD_decompress(first, raw, band.data.get(), band.size);
        if (ZSTD_isError(n) || n != raw) {
            failed = true;
            return;
        }
        for (int y = 0; y < band.rows; ++y) {
            std::uint8_t* row = first + static_cast<std::size_t>(y) * rowBytes;
            undoDifferences(row, y > 0 ? row - rowBytes : nullptr, rowBytes);
        }
    });
    return !failed;
}

} // namespace wavory
