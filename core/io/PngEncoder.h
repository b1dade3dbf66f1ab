#pragma once
// PNG in the three save modes. Modes 0 and 1 are lossless 8-bit RGB, each row with the
// filter that suits it, compressed with a balanced and with the fastest effort (see
// ZlibStream); mode 2 quantizes to a palette (PaletteQuantizer), stores the indices
// unfiltered at the bit depth the palette size allows, and compresses hardest. The
// whole file is encoded in memory first and then written in large pieces.

#include "image/Canvas.h"
#include "io/CodecResult.h"
#include "io/PngMode.h"

#include <filesystem>

namespace wavory::codec {

// Writes a non-empty canvas atomically as a PNG file in the given mode.
Result savePngFile(const Canvas& canvas, const std::filesystem::path& target, PngMode mode);

} // namespace wavory::codec
