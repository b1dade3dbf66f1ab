#pragma once
// What saving and copying the picture need besides the codec layer: the picture as a
// QImage and the messages of a failed save.

#include "common/UserMessage.h"
#include "image/Canvas.h"
#include "io/OutputNames.h"

#include <QImage>

#include <cstdint>
#include <string>

namespace wavory {

// A copy of the picture (for the clipboard).
QImage canvasImage(const Canvas& canvas);

// The system's error text + CR LF + "保存に失敗しました。".
UserMessage imageSaveFailureMessage(const std::string& errorText);

// "Jpeg保存時のエラーです。" or "PNG保存時のエラーです。" + CR LF + the codec's text for the
// code.
UserMessage codecSaveFailureMessage(ImageFileFormat format, std::int16_t code);

} // namespace wavory
