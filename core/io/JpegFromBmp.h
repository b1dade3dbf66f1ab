#pragma once
// The codec's file-to-file JPEG call: reads a 24-bit BMP file and writes it as JPEG.

#include "io/CodecResult.h"

#include <filesystem>

namespace wavory::codec {

// 1 when the BMP cannot be read, 3 when it is not a 24-bit BMP, otherwise as
// saveJpegFile. quality must be 1..100.
Result saveJpegFromBmpFile(const std::filesystem::path& bmpFile,
                           const std::filesystem::path& target, int quality, bool progressive);

} // namespace wavory::codec
