#include "anim/FrameFileWriting.h"

#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

namespace wavory {

Result frameSaveFailure(std::string_view cause) {
    std::string text(cause);
    text += "\r\n";
    text += UiText::tr(kFrameSaveStoppedSentence);
    return Result::failure(MessageIcon::Critical, std::move(text));
}

Result writeFrameBmp(const std::string& path, const Canvas& frame) {
    if (const std::error_code ec = writeBmp(path, frame))
        return frameSaveFailure(systemErrorText(ec));
    return {};
}

} // namespace wavory
