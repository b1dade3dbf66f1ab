#include "anim/FrameFileWriting.h"

#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <filesystem>

namespace wavory {

Result frameSaveFailure(std::string_view cause) {
    std::string text(cause);
    text += "\r\n";
    text += UiText::tr(kFrameSaveStoppedSentence);
    return Result::failure(MessageIcon::Critical, std::move(text));
}

Result frameSeriesFailure(std::string_view cause, const std::string& firstWritten,
                          const std::string& lastWritten, const std::string& firstMissing) {
    if (firstWritten.empty())
        return frameSaveFailure(cause);
    const auto nameOf = [](const std::string& path) {
        return std::filesystem::path(path).filename().string();
    };
    const std::string note =
        firstWritten == lastWritten
            ? fillText(UiText::tr("保存したのは %1 だけです。%2 から後は揃っていません。"),
                       {nameOf(firstWritten), nameOf(firstMissing)})
            : fillText(UiText::tr("保存したのは %1 から %2 までです。%3 から後は揃っていません。"),
                       {nameOf(firstWritten), nameOf(lastWritten), nameOf(firstMissing)});
    std::string text(cause);
    text += "\r\n";
    text += UiText::tr(kFrameSaveStoppedSentence);
    text += "\r\n";
    text += note;
    return Result::failure(MessageIcon::Critical, std::move(text));
}

Result writeFrameBmp(const std::string& path, const Canvas& frame) {
    if (const std::error_code ec = writeBmp(path, frame))
        return frameSaveFailure(systemErrorText(ec));
    return {};
}

} // namespace wavory
