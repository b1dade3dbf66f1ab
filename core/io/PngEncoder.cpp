#include "io/PngEncoder.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include <png.h>
#include <zlib.h>

namespace wavory::codec {

namespace {

struct PngWriteContext {
    std::FILE* out;
    bool writeFailed;
    char message[256];
};

// Keeps libpng's text and jumps back to the encoder (libpng's own handler would also
// print to stderr).
extern "C" void keepPngError(png_structp png, png_const_charp text) {
    auto* context = static_cast<PngWriteContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "libpng: %s", text ? text : "");
    png_longjmp(png, 1);
}

extern "C" void ignorePngWarning(png_structp, png_const_charp) {}

// Our own writer, so that a short write (full disk) is told apart from an encoder error.
extern "C" void writePngBytes(png_structp png, png_bytep data, size_t length) {
    auto* context = static_cast<PngWriteContext*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, context->out) != length) {
        context->writeFailed = true;
        png_error(png, std::strerror(errno));
    }
}

extern "C" void flushPngBytes(png_structp png) {
    auto* context = static_cast<PngWriteContext*>(png_get_io_ptr(png));
    if (std::fflush(context->out) != 0) {
        context->writeFailed = true;
        png_error(png, std::strerror(errno));
    }
}

// What the raw writer needs, in plain data only.
struct PngLayout {
    png_uint_32 width;
    png_uint_32 height;
    int bitDepth;
    int colorType;
    int zlibLevel;
    png_bytepp rows;
    const png_color* palette; // palette images only
    int paletteSize;
};

// Only trivially destructible objects live in this frame: a longjmp out of libpng
// lands here and must not skip any destructor.
bool writeRaw(PngWriteContext& context, const PngLayout& layout) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, keepPngError, ignorePngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &context, writePngBytes, flushPngBytes);
    // The canvas decides the size; libpng's default limit of one million is for readers.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_compression_level(png, layout.zlibLevel);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, layout.palette, layout.paletteSize);
    png_write_info(png, info);
    // Palette indices come one per byte; libpng packs them into the smaller depths.
    if (layout.bitDepth < 8)
        png_set_packing(png);
    png_write_image(png, layout.rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

EncodeOutcome runWriter(std::FILE* out, const PngLayout& layout) {
    PngWriteContext context{out, false, {}};
    if (writeRaw(context, layout))
        return {};
    if (context.writeFailed)
        return {EncodeOutcome::Status::WriteFailed, context.message};
    const char* text = context.message[0] ? context.message : kOutOfMemoryText;
    return {EncodeOutcome::Status::EncoderFailed, text};
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

} // namespace

EncodeOutcome encodePngRgb(std::FILE* out, const Canvas& canvas, int zlibLevel) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(canvas.height()));
    // libpng takes rows as non-const but only reads them.
    auto* pixels = const_cast<std::uint8_t*>(canvas.data());
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = pixels + y * canvas.rowBytes();
    const PngLayout layout{static_cast<png_uint_32>(canvas.width()),
                           static_cast<png_uint_32>(canvas.height()),
                           8,
                           PNG_COLOR_TYPE_RGB,
                           zlibLevel,
                           rows.data(),
                           nullptr,
                           0};
    return runWriter(out, layout);
}

EncodeOutcome encodePngPalette(std::FILE* out, const IndexedImage& image) {
    std::vector<png_color> palette;
    palette.reserve(image.palette.size());
    for (const Rgb& c : image.palette)
        palette.push_back(png_color{c.r, c.g, c.b});
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    auto* indices = const_cast<std::uint8_t*>(image.indices.data());
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = indices + y * static_cast<std::size_t>(image.width);
    const PngLayout layout{static_cast<png_uint_32>(image.width),
                           static_cast<png_uint_32>(image.height),
                           paletteBitDepth(palette.size()),
                           PNG_COLOR_TYPE_PALETTE,
                           Z_BEST_COMPRESSION,
                           rows.data(),
                           palette.data(),
                           static_cast<int>(palette.size())};
    return runWriter(out, layout);
}

Result savePngFile(const Canvas& canvas, const std::filesystem::path& target, PngMode mode) {
    switch (mode) {
    case PngMode::Standard:
        return writeEncodedFile(target, [&](std::FILE* out) {
            return encodePngRgb(out, canvas, Z_DEFAULT_COMPRESSION);
        });
    case PngMode::Fastest:
        return writeEncodedFile(
            target, [&](std::FILE* out) { return encodePngRgb(out, canvas, Z_BEST_SPEED); });
    case PngMode::Lossy:
        break;
    }
    // Quantize before the target folder is touched: a failure here leaves no trace.
    QuantizeResult quantized;
    try {
        quantized = quantizeCanvas(canvas);
    } catch (const std::bad_alloc&) {
        return {kInternalError, kOutOfMemoryText};
    }
    if (!quantized.ok)
        return {kInternalError, quantized.error};
    return writeEncodedFile(target,
                            [&](std::FILE* out) { return encodePngPalette(out, quantized.image); });
}

} // namespace wavory::codec
