#pragma once
// A small copy of a picture for lists and previews: the picture shrunk so that its longer
// side is at most a given length, each small pixel the average of the pixels it covers.

#include "image/Canvas.h"

namespace wavory {

// The size of the thumbnail of a width x height picture: the longer side `longSide`
// (never more than the picture's own), the other in proportion, at least 1.
struct ThumbnailSize {
    int width = 0;
    int height = 0;
};
ThumbnailSize thumbnailSize(int width, int height, int longSide);

// The picture shrunk by area averaging (a picture already small enough is copied).
Canvas makeThumbnail(const Canvas& picture, int longSide);

} // namespace wavory
