#pragma once
// Writing a finished frame as a file of a numbered series, and the failure that ends a
// save of frames.

#include "common/Result.h"
#include "common/UiText.h"
#include "image/Canvas.h"

#include <string>
#include <string_view>

namespace wavory {

inline constexpr std::string_view kFrameSaveStoppedSentence =
    UiText::trNoop("保存を中止しました。");
inline constexpr std::string_view kBadFrameFileNameCause = UiText::trNoop("ﾌｧｲﾙ名が不正です。");

// The critical message of a failed frame save: cause + CR LF + "保存を中止しました。".
Result frameSaveFailure(std::string_view cause);

// A numbered series that stopped at a file it could not write, after the files of
// `firstWritten` .. `lastWritten` were: frameSaveFailure(cause) + CR LF + a line that
// names them and `firstMissing`, so that nobody takes the series for complete. Without
// written files (`firstWritten` empty) just frameSaveFailure(cause). Names are shown
// without their folder.
Result frameSeriesFailure(std::string_view cause, const std::string& firstWritten,
                          const std::string& lastWritten, const std::string& firstMissing);

// Writes the frame as a BMP file (the single-image BMP format) through the atomic writer.
// A failure carries frameSaveFailure(the system's error text).
Result writeFrameBmp(const std::string& path, const Canvas& frame);

} // namespace wavory
