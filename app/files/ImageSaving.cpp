#include "ImageSaving.h"

namespace wavory {

QImage canvasImage(const Canvas& canvas) {
    if (canvas.empty())
        return {};
    const QImage view(canvas.data(), canvas.width(), canvas.height(),
                      static_cast<qsizetype>(canvas.rowBytes()), QImage::Format_RGB888);
    return view.copy();
}

} // namespace wavory
