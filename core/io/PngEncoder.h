#pragma once
// PNG through libpng. Modes 0 and 1 are lossless RGB at zlib's default and fastest
// levels; mode 2 quantizes to a palette (PaletteQuantizer) and writes it at the
// highest level, with the bit depth the palette size allows.

#include "image/Canvas.h"
#include "io/CodecResult.h"
#include "io/EncodedFile.h"
#include "io/PaletteQuantizer.h"
#include "io/PngMode.h"

#include <cstdio>
#include <filesystem>

namespace wavory::codec {

EncodeOutcome encodePngRgb(std::FILE* out, const Canvas& canvas, int zlibLevel);
EncodeOutcome encodePngPalette(std::FILE* out, const IndexedImage& image);

// Writes a non-empty canvas atomically as a PNG file in the given mode.
Result savePngFile(const Canvas& canvas, const std::filesystem::path& target, PngMode mode);

} // namespace wavory::codec
