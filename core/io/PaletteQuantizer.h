#pragma once
// Reduces a canvas to at most 256 colors with libimagequant (best quality it can
// reach, full dithering), for the lossy PNG mode. The palette holds only the colors
// the image uses.

#include "image/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wavory::codec {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;          // 1..256 entries, each used at least once
    std::vector<std::uint8_t> indices; // width x height, rows top to bottom
};

struct QuantizeResult {
    bool ok = false;
    std::string error; // set when !ok
    IndexedImage image;
};

QuantizeResult quantizeCanvas(const Canvas& canvas);

// Drops palette entries no pixel uses and renumbers the pixels, keeping the order of
// the entries that remain.
void trimUnusedColors(IndexedImage& image);

} // namespace wavory::codec
