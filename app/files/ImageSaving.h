#pragma once
// The picture as a QImage, for the clipboard and the thumbnails.

#include "image/Canvas.h"

#include <QImage>

namespace wavory {

// A copy of the picture.
QImage canvasImage(const Canvas& canvas);

} // namespace wavory
