#include "io/clsTransG.h"

#include "io/EncodedFile.h"
#include "io/JpegEncoder.h"
#include "io/PngEncoder.h"

#include <cstdlib>
#include <new>
#include <optional>
#include <system_error>

namespace wavory {

namespace {

constexpr const char* kEmptyPictureText = "保存する画像がありません。";

bool qualityInRange(std::uint8_t quality) {
    return quality >= 1 && quality <= 100;
}

// A 255 result is the only one the wrapper shows itself; the caller shows the others.
std::int16_t reported(const codec::Result& result, const char* failureText,
                      const MessageSink& sink) {
    if (result.code == codec::kInternalError && sink) {
        std::string text = failureText;
        text += "\r\n";
        text += result.detail;
        sink(UserMessage{MessageIcon::Critical, std::move(text)});
    }
    return result.code;
}

} // namespace

std::int16_t clsTransG::DCSaveJpeg(const Canvas& picture, const std::filesystem::path& fileName,
                                   std::uint8_t quality, bool progressive,
                                   const MessageSink& sink) const {
    if (!qualityInRange(quality))
        return codec::kBadParameter;
    if (picture.empty())
        return reported({codec::kInternalError, kEmptyPictureText}, kJpegFailureText, sink);
    return reported(codec::saveJpegFile(picture, fileName, quality, progressive), kJpegFailureText,
                    sink);
}

std::int16_t clsTransG::DCSavePNG(const Canvas& picture, const std::filesystem::path& fileName,
                                  std::uint8_t mode, const MessageSink& sink) const {
    if (mode >= kPngModeCount)
        return codec::kBadParameter;
    if (picture.empty())
        return reported({codec::kInternalError, kEmptyPictureText}, kPngFailureText, sink);
    return reported(codec::savePngFile(picture, fileName, static_cast<PngMode>(mode)),
                    kPngFailureText, sink);
}

std::string clsTransG::ErrMes(std::int16_t code) const {
    switch (code) {
    case codec::kWritten:
        return "成功しました。";
    case codec::kCannotOpen:
        return "ファイルがオープンできません。";
    case codec::kCannotWrite:
        return "ファイルに書きこめません。";
    case codec::kFormatError:
        return "ファイルのフォーマットエラーです。";
    case codec::kStackOverflow:
        return "スタックオーバーフローです。";
    case codec::kBadParameter:
        return "保存品質の指定が間違っています。";
    default:
        return "clsTransG内部エラー : " + std::to_string(code);
    }
}

} // namespace wavory
