#pragma once
// JPEG through libjpeg-turbo: quality 1..100, baseline or progressive. Quality 90
// and above keeps full-resolution chroma (4:4:4): subsampled chroma smears the
// saturated gradients this program draws. Below 90 the chroma is 4:2:0.

#include "image/Canvas.h"
#include "io/CodecResult.h"
#include "io/EncodedFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace wavory::codec {

inline constexpr int kJpegFullChromaQuality = 90;

// Encodes a non-empty canvas into an open stream. quality must be 1..100.
EncodeOutcome encodeJpeg(std::FILE* out, const Canvas& canvas, int quality, bool progressive);

// Writes the canvas atomically as a JPEG file.
Result saveJpegFile(const Canvas& canvas, const std::filesystem::path& target, int quality,
                    bool progressive);

} // namespace wavory::codec
