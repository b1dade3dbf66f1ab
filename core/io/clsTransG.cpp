#include "io/clsTransG.h"

#include "common/ProgramFolder.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/EncodedFile.h"
#include "io/JpegEncoder.h"
#include "io/JpegFromBmp.h"
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

// Removes the temporary picture on every way out, once it has been written.
class TempFileRemover {
  public:
    explicit TempFileRemover(std::filesystem::path path) : path_(std::move(path)) {}
    ~TempFileRemover() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFileRemover(const TempFileRemover&) = delete;
    TempFileRemover& operator=(const TempFileRemover&) = delete;

  private:
    std::filesystem::path path_;
};

codec::Result jpegThroughBmpFile(const Canvas& picture, const std::filesystem::path& target,
                                 int quality, bool progressive) {
    const std::filesystem::path temp = std::filesystem::path(GetPath()) / clsTransG::kTempBmpName;
    if (auto ec = writeBmp(temp.string(), picture))
        return {codec::kInternalError, systemErrorText(ec)};
    TempFileRemover remover(temp);
    return codec::saveJpegFromBmpFile(temp, target, quality, progressive);
}

} // namespace

bool clsTransG::ChkDLL() const {
    return true;
}

std::int16_t clsTransG::SaveJpeg(const Canvas& rPicture, const std::filesystem::path& rFilename,
                                 std::uint8_t vQuality, bool blnProgressive,
                                 const MessageSink& sink) const {
    if (!qualityInRange(vQuality))
        return codec::kBadParameter;
    if (rPicture.empty())
        return reported({codec::kInternalError, kEmptyPictureText}, kJpegFailureText, sink);
    codec::Result result;
    try {
        result = jpegThroughBmpFile(rPicture, rFilename, vQuality, blnProgressive);
    } catch (const std::bad_alloc&) {
        result = {codec::kInternalError, codec::kOutOfMemoryText};
    }
    return reported(result, kJpegFailureText, sink);
}

std::int16_t clsTransG::DCSaveJpeg(const Canvas& rPicture, const std::filesystem::path& rFilename,
                                   std::uint8_t vQuality, bool blnProgressive,
                                   const MessageSink& sink) const {
    if (!qualityInRange(vQuality))
        return codec::kBadParameter;
    if (rPicture.empty())
        return reported({codec::kInternalError, kEmptyPictureText}, kJpegFailureText, sink);
    return reported(codec::saveJpegFile(rPicture, rFilename, vQuality, blnProgressive),
                    kJpegFailureText, sink);
}

std::int16_t clsTransG::DCSavePNG(const Canvas& rPicture, const std::filesystem::path& rFilename,
                                  std::uint8_t vMode, const MessageSink& sink) const {
    if (vMode >= kPngModeCount)
        return codec::kBadParameter;
    if (rPicture.empty())
        return reported({codec::kInternalError, kEmptyPictureText}, kPngFailureText, sink);
    return reported(codec::savePngFile(rPicture, rFilename, static_cast<PngMode>(vMode)),
                    kPngFailureText, sink);
}

std::string clsTransG::ErrMes(std::int16_t vCode) const {
    switch (vCode) {
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
        return "clsTransG内部エラー : " + std::to_string(vCode);
    }
}

} // namespace wavory
