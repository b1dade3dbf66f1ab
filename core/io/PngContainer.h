#pragma once
// The PNG file around already compressed image data: signature, IHDR, PLTE for palette
// pictures, the zlib stream cut into IDAT chunks, IEND; every chunk with its CRC.

#include "image/Canvas.h"
#include "io/EncodedFile.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace wavory::codec {

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 8;
    std::uint8_t colorType = 2; // 2 truecolor RGB, 3 palette
};

// Writes the whole file to `out`; a short write is WriteFailed with the system's text.
EncodeOutcome writePngContainer(std::FILE* out, const PngHeader& header,
                                std::span<const Rgb> palette,
                                std::span<const std::uint8_t> zlibStream);

} // namespace wavory::codec
