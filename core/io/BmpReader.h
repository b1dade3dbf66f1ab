#pragma once
// Reads back the bitmaps this program writes: uncompressed 24 bits per pixel with a
// BITMAPINFOHEADER (or a larger header), rows bottom-up or top-down.

#include "image/Canvas.h"

#include <optional>
#include <string_view>

namespace wavory {

// Nothing when the bytes are not such a bitmap or are cut short.
std::optional<Canvas> decodeBmp(std::string_view bytes);

} // namespace wavory
