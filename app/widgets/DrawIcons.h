#pragma once
// The two images of the draw button: 0 draw, 1 stop.

#include <QIcon>

namespace wavory {

QIcon drawButtonImage();
QIcon stopButtonImage();

} // namespace wavory
