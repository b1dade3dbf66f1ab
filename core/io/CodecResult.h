#pragma once
// Result codes of the image codec layer. 0..4 are the codec's own answers; 252 and
// 255 come from the PictureCodec wrapper around it.

#include <cstdint>
#include <string>

namespace wavory::codec {

inline constexpr std::int16_t kWritten = 0;
inline constexpr std::int16_t kCannotOpen = 1;  // folder missing or unwritable, name is a folder
inline constexpr std::int16_t kCannotWrite = 2; // write, flush, sync or rename failed (full disk)
inline constexpr std::int16_t kFormatError = 3; // a source file the codec cannot read
inline constexpr std::int16_t kStackOverflow = 4;
inline constexpr std::int16_t kBadParameter = 252;  // quality or mode out of range
inline constexpr std::int16_t kInternalError = 255; // encoder failure, out of memory

struct Result {
    std::int16_t code = kWritten;
    std::string detail; // why it failed, for the wrapper's message; empty on success
    bool ok() const { return code == kWritten; }
};

} // namespace wavory::codec
