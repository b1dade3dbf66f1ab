#pragma once
// The wrapper around the image codec layer: checks the save parameters, calls the
// codec and turns its failures into result codes and the user's messages.
//
// Result codes (codec::k*): 0 written; 1 the file cannot be opened (folder missing or
// unwritable, the name is a folder); 2 it cannot be written (write, flush, sync or
// rename failed, e.g. a full disk); 252 quality 0 or above 100, or a PNG mode above 2,
// found before anything touches the disk; 255 a failure inside the layer (an encoder
// error, out of memory, an empty picture), which is also shown through the sink as
// "JPEG保存時にエラーが発生しました。" / "PNG保存時にエラーが発生しました。" + CR LF + why.
// An empty picture gives 255 rather than 252, whose text speaks of the quality.
// Whatever fails, no partial or temporary file is left and an existing target keeps
// its old content. For 1 and 2 the system's reason is handed back through `cause`.

#include "common/UiText.h"
#include "common/UserMessage.h"
#include "image/Canvas.h"
#include "io/CodecResult.h"
#include "io/PngMode.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace wavory {

class PictureCodec {
  public:
    static constexpr const char* kJpegFailureText =
        UiText::trNoop("JPEG保存時にエラーが発生しました。");
    static constexpr const char* kPngFailureText =
        UiText::trNoop("PNG保存時にエラーが発生しました。");

    // Encodes the picture's pixels directly. quality 1..100.
    std::int16_t saveJpeg(const Canvas& picture, const std::filesystem::path& fileName,
                            std::uint8_t quality, bool progressive, const MessageSink& sink = {},
                            std::string* cause = nullptr) const;

    // mode 0..2, see PngMode.
    std::int16_t savePng(const Canvas& picture, const std::filesystem::path& fileName,
                           std::uint8_t mode, const MessageSink& sink = {},
                           std::string* cause = nullptr) const;

    // The user's text for a result code.
    std::string errorMessage(std::int16_t code) const;
};

} // namespace wavory
