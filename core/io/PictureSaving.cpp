#include "io/PictureSaving.h"

#include "common/UiText.h"

#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/CodecResult.h"
#include "io/JpegEncoder.h"
#include "io/PictureCodec.h"
#include "io/PngMode.h"

#include <algorithm>

namespace wavory {

namespace {

Result codecOutcome(ImageFileFormat format,
                    const std::function<std::int16_t(const MessageSink&, std::string*)>& save) {
    Result outcome;
    std::string cause;
    const std::int16_t code = save([&outcome](const UserMessage& m) { outcome.warn(m); }, &cause);
    if (code != codec::kWritten)
        outcome.fail(codecSaveFailureMessage(format, code, cause));
    return outcome;
}

} // namespace

Result saveBmpPicture(const std::string& path, const Canvas& picture) {
    if (const std::error_code ec = writeBmp(path, picture))
        return Result::failure(imageSaveFailureMessage(systemErrorText(ec)));
    return {};
}

Result saveJpegPicture(const Canvas& picture, const std::filesystem::path& path,
                       std::uint8_t quality, bool progressive) {
    return codecOutcome(ImageFileFormat::Jpeg, [&](const MessageSink& sink, std::string* cause) {
        return PictureCodec().saveJpeg(picture, path, quality, progressive, sink, cause);
    });
}

Result savePngPicture(const Canvas& picture, const std::filesystem::path& path, std::uint8_t mode) {
    return codecOutcome(ImageFileFormat::Png, [&](const MessageSink& sink, std::string* cause) {
        return PictureCodec().savePng(picture, path, mode, sink, cause);
    });
}

std::uint64_t pictureSavingBytes(ImageFileFormat format, int width, int height,
                                 std::uint8_t quality, bool progressive, std::uint8_t pngMode) {
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(std::max(width, 0)) * static_cast<std::uint64_t>(std::max(height, 0));
    // A few rows and blocks of a megabyte or so.
    const std::uint64_t rows = std::uint64_t{4} << 20;
    switch (format) {
    case ImageFileFormat::Bmp:
        return rows;
    case ImageFileFormat::Jpeg:
        if (!progressive)
            return rows;
        return rows + pixels * (quality >= codec::kJpegFullChromaQuality ? 13 : 7) / 2;
    case ImageFileFormat::Png:
        return rows + pixels * (static_cast<PngMode>(pngMode) == PngMode::Lossy ? 6 : 10);
    }
    return rows;
}

UserMessage imageSaveFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical, fillText(UiText::tr("%1\r\n保存に失敗しました。"), {errorText})};
}

UserMessage codecSaveFailureMessage(ImageFileFormat format, std::int16_t code,
                                    std::string_view cause) {
    const char* sentence = format == ImageFileFormat::Png
                               ? UiText::trNoop("PNG保存時のエラーです。")
                               : UiText::trNoop("Jpeg保存時のエラーです。");
    std::string text;
    if (!cause.empty()) { // first, as BMP saving puts it
        text.append(cause);
        text += "\r\n";
    }
    text += UiText::tr(sentence) + "\r\n" + PictureCodec().errorMessage(code);
    return {MessageIcon::Critical, std::move(text)};
}

} // namespace wavory
