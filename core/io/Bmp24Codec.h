#pragma once
// The codec layer's own 24-bit BMP, for the file-based JPEG route (picture -> BMP
// file -> JPEG file): uncompressed, rows bottom-up, each row padded to 4 bytes.

#include "engine/Canvas.h"

#include <optional>
#include <string>
#include <string_view>

namespace wavory::codec {

// The whole file; nothing when the picture is too large for a BMP's 32-bit sizes.
std::optional<std::string> encodeBmp24(const Canvas& canvas);

// Reads an uncompressed 24-bit BMP (bottom-up or top-down); nothing when the bytes
// are not one.
std::optional<Canvas> decodeBmp24(std::string_view bytes);

} // namespace wavory::codec
