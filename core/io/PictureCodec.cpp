#include "io/PictureCodec.h"

#include "common/UiText.h"

#include "io/EncodedFile.h"
#include "io/JpegEncoder.h"
#include "io/PngEncoder.h"

#include <cstdlib>
#include <new>
#include <optional>
#include <system_error>

namespace wavory {

namespace {

constexpr const char* kEmptyPictureText = UiText::trNoop("保存する画像がありません。");

bool qualityInRange(std::uint8_t quality) {
    return quality >= 1 && quality <= 100;
}

// A 255 result is the only one the wrapper shows itself; the caller shows the others,
// with the reason handed back for a file that could not be opened or written.
std::int16_t reported(const codec::Result& result, const char* failureText, const MessageSink& sink,
                      std::string* cause = nullptr) {
    if (cause && (result.code == codec::kCannotOpen || result.code == codec::kCannotWrite))
        *cause = result.detail;
    if (result.code == codec::kInternalError && sink) {
        std::string text = UiText::tr(failureText);
        text += "\r\n";
        text += result.detail;
        sink(UserMessage{MessageIcon::Critical, std::move(text)});
    }
    return result.code;
}

} // namespace

std::int16_t PictureCodec::saveJpeg(const Canvas& picture, const std::filesystem::path& fileName,
                                   std::uint8_t quality, bool progressive, const MessageSink& sink,
                                   std::string* cause) const {
    if (!qualityInRange(quality))
        return codec::kBadParameter;
    if (picture.empty())
        return reported({codec::kInternalError, UiText::tr(kEmptyPictureText)}, kJpegFailureText,
                        sink);
    return reported(codec::saveJpegFile(picture, fileName, quality, progressive), kJpegFailureText,
                    sink, cause);
}

std::int16_t PictureCodec::savePng(const Canvas& picture, const std::filesystem::path& fileName,
                                  std::uint8_t mode, const MessageSink& sink,
                                  std::string* cause) const {
    if (mode >= kPngModeCount)
        return codec::kBadParameter;
    if (picture.empty())
        return reported({codec::kInternalError, UiText::tr(kEmptyPictureText)}, kPngFailureText,
                        sink);
    return reported(codec::savePngFile(picture, fileName, static_cast<PngMode>(mode)),
                    kPngFailureText, sink, cause);
}

std::string PictureCodec::errorMessage(std::int16_t code) const {
    switch (code) {
    case codec::kWritten:
        return UiText::tr("成功しました。");
    case codec::kCannotOpen:
        return UiText::tr("ファイルがオープンできません。");
    case codec::kCannotWrite:
        return UiText::tr("ファイルに書きこめません。");
    case codec::kFormatError:
        return UiText::tr("ファイルのフォーマットエラーです。");
    case codec::kStackOverflow:
        return UiText::tr("スタックオーバーフローです。");
    case codec::kBadParameter:
        return UiText::tr("保存品質の指定が間違っています。");
    default:
        return fillText(UiText::tr("clsTransG内部エラー : %1"), {std::to_string(code)});
    }
}

} // namespace wavory
