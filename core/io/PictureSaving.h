#pragma once
// Saving the picture under the name the user chose, as one outcome to show: BMP is
// written here, JPEG and PNG through the codec layer, whose result codes become the
// messages the user sees. The windows and the command-line renderer both save this way.

#include "common/Result.h"
#include "image/Canvas.h"
#include "io/OutputNames.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wavory {

// Fails with imageSaveFailureMessage when the file cannot be written.
Result saveBmpPicture(const std::string& path, const Canvas& picture);

// quality 1..100, mode 0..2 (PngMode). A failure inside the codec layer is shown first
// (a warning), then the failure for the result code.
Result saveJpegPicture(const Canvas& picture, const std::filesystem::path& path,
                       std::uint8_t quality, bool progressive);
Result savePngPicture(const Canvas& picture, const std::filesystem::path& path, std::uint8_t mode);

// The memory saving a picture of this size takes beside the picture itself, as far as it
// is known before the picture is drawn (measured, with some room): PNG filters every row
// into a copy (3 bytes a pixel), compresses it in parts whose buffers have the size of
// their bound and joins them (3 more each; a picture of noise compresses to the size of
// its rows); mode 2 quantizes a copy first; a progressive JPEG keeps every coefficient
// (2 bytes each: 6 bytes a pixel in full color resolution, 3 with halved chroma); BMP and
// a baseline JPEG go out a few rows at a time.
std::uint64_t pictureSavingBytes(ImageFileFormat format, int width, int height,
                                 std::uint8_t quality, bool progressive, std::uint8_t pngMode);

// The system's error text + CR LF + "保存に失敗しました。".
UserMessage imageSaveFailureMessage(const std::string& errorText);

// "Jpeg保存時のエラーです。" or "PNG保存時のエラーです。" + CR LF + the codec's text for the
// code; a file that could not be opened or written has the system's reason (`cause`)
// + CR LF before it, as a BMP file's failure has.
UserMessage codecSaveFailureMessage(ImageFileFormat format, std::int16_t code,
                                    std::string_view cause = {});

} // namespace wavory
