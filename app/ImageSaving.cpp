#include "ImageSaving.h"

#include "io/clsTransG.h"

namespace wavory {

QImage canvasImage(const Canvas& canvas) {
    if (canvas.empty())
        return {};
    const QImage view(canvas.data(), canvas.width(), canvas.height(),
                      static_cast<qsizetype>(canvas.rowBytes()), QImage::Format_RGB888);
    return view.copy();
}

UserMessage imageSaveFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical, errorText + "\r\n保存に失敗しました。"};
}

UserMessage codecSaveFailureMessage(ImageFileFormat format, std::int16_t code) {
    const char* sentence =
        format == ImageFileFormat::Png ? "PNG保存時のエラーです。" : "Jpeg保存時のエラーです。";
    return {MessageIcon::Critical, std::string(sentence) + "\r\n" + clsTransG().ErrMes(code)};
}

} // namespace wavory
