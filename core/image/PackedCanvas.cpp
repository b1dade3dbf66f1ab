#include "image/PackedCanvas.h"

#include <zstd.h>

#include <algorithm>
#include <cstdint>
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

} // namespace

std::shared_ptr<const PackedCanvas> PackedCanvas::pack(const Canvas& picture) {
    try {
        const std::unique_ptr<ZSTD_CCtx, CCtxDeleter> ctx(ZSTD_createCCtx());
        if (!ctx)
            return nullptr;
        // One thread: zstd's workers would save a fifth of the time for three times the
        // working memory, and this runs after the drawing is on screen.
        ZSTD_CCtx_setParameter(ctx.get(), ZSTD_c_compressionLevel, 1);
        const std::size_t rowBytes = picture.rowBytes();
        const std::size_t raw = rowBytes * static_cast<std::size_t>(picture.height());
        const std::size_t bound = ZSTD_compressBound(raw);
        // Left uninitialised: only the pages the compressed bytes reach are ever mapped.
        const std::unique_ptr<char[]> out(new char[bound]);
        ZSTD_outBuffer output{out.get(), bound, 0};
        std::vector<std::uint8_t> row(rowBytes);
        for (int y = 0; y < picture.height(); ++y) {
            const std::uint8_t* p = picture.data() + static_cast<std::size_t>(y) * rowBytes;
            differences(p, y > 0 ? p - rowBytes : nullptr, rowBytes, row.data());
            ZSTD_inBuffer input{row.data(), rowBytes, 0};
            while (input.pos < input.size) {
                if (ZSTD_isError(ZSTD_compressStream2(ctx.get(), &output, &input, ZSTD_e_continue)))
                    return nullptr;
            }
        }
        ZSTD_inBuffer none{nullptr, 0, 0};
        for (;;) {
            const std::size_t left = ZSTD_compressStream2(ctx.get(), &output, &none, ZSTD_e_end);
            if (ZSTD_isError(left))
                return nullptr;
            if (left == 0)
                break;
        }
        auto packed = std::make_shared<PackedCanvas>();
        packed->width_ = picture.width();
        packed->height_ = picture.height();
        packed->data_.assign(out.get(), out.get() + output.pos);
        return packed;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool PackedCanvas::unpackInto(Canvas& canvas) const {
    canvas.resizeForOverwrite(width_, height_);
    const std::size_t rowBytes = canvas.rowBytes();
    const std::size_t raw = rowBytes * static_cast<std::size_t>(height_);
    const std::size_t n = ZSTD_decompress(canvas.data(), raw, data_.data(), data_.size());
    if (ZSTD_isError(n) || n != raw)
        return false;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = canvas.data() + static_cast<std::size_t>(y) * rowBytes;
        undoDifferences(row, y > 0 ? row - rowBytes : nullptr, rowBytes);
    }
    return true;
}

} // namespace wavory
