#pragma once
// Reduces a canvas to at most 256 colors with libimagequant (best quality it can
// reach, full dithering), for the lossy PNG mode. The palette holds only the colors
// the image uses.

#include "image/Canvas.h"

#include <cstdint>
#include <memory>
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

// maxColors: 2..256, the most colors the palette may hold.
QuantizeResult quantizeCanvas(const Canvas& canvas, int maxColors = 256);

// One palette of at most 256 colors for a whole sequence of pictures (the frames of an
// animation), each picture then mapped onto it with the same dithering. Every picture
// is given twice: once to build the palette, once to be mapped. One quantization runs
// at a time in the program; a second object waits until the first is gone.
class SharedPaletteQuantizer {
  public:
    SharedPaletteQuantizer();
    ~SharedPaletteQuantizer();
    SharedPaletteQuantizer(const SharedPaletteQuantizer&) = delete;
    SharedPaletteQuantizer& operator=(const SharedPaletteQuantizer&) = delete;

    // Pass 1. An empty text, or what went wrong.
    std::string add(const Canvas& picture);
    // Ends pass 1: the palette (1..256 entries) every mapped picture uses.
    std::string makePalette(std::vector<Rgb>& palette);
    // Pass 2: the picture's indices into that palette, rows top to bottom.
    std::string map(const Canvas& picture, std::vector<std::uint8_t>& indices);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Drops palette entries no pixel uses and renumbers the pixels, keeping the order of
// the entries that remain.
void trimUnusedColors(IndexedImage& image);

} // namespace wavory::codec
