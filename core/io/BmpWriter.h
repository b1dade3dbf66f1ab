#pragma once
// The picture as a Windows bitmap file: 24 bits per pixel, BITMAPINFOHEADER, rows
// bottom-up, each row padded to a multiple of 4 bytes.

#include "image/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

namespace wavory {

inline constexpr std::size_t kBmpHeaderBytes = 14 + 40;

// Bytes of one stored row (3 bytes a pixel, padded to 4).
std::size_t bmpRowStride(int width);

// Writes the file atomically. An empty canvas, or one too large for the format's 32-bit
// sizes, gives std::errc::invalid_argument / std::errc::file_too_large; other errors are
// the system's. The caller shows systemErrorText(ec).
std::error_code writeBmp(const std::string& path, const Canvas& canvas);

} // namespace wavory
