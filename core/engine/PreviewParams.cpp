#include "engine/PreviewParams.h"

#include <algorithm>
#include <cmath>

namespace wavory {

namespace {

int reduced(int length, int factor) {
    return (length + factor - 1) / factor;
}

// Nearest whole pixel of the reduced grid; offsets may be anything a field holds.
std::int64_t reducedOffset(std::int64_t offset, int factor) {
    return static_cast<std::int64_t>(std::llround(static_cast<double>(offset) / factor));
}

std::int32_t reducedFrameSide(std::int32_t side, int factor) {
    if (side < 1)
        return side; // refused by the full drawing as well
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(
                                         static_cast<double>(side) / factor)));
}

} // namespace

int previewFactor(int width, int height, std::int64_t maxPixels) {
    const auto pixels = [&](int k) {
        return static_cast<std::int64_t>(reduced(width, k)) * reduced(height, k);
    };
    if (width < 1 || height < 1 || pixels(1) <= maxPixels)
        return 1;
    int k = 2;
    while (pixels(k) > maxPixels && k < std::max(width, height))
        ++k;
    return k;
}

DrawParams previewParams(const DrawParams& params, int factor) {
    DrawParams p = params;
    const auto k = static_cast<float>(factor);
    p.width = reduced(params.width, factor);
    p.height = reduced(params.height, factor);
    // Pixel (i, j) stands for (i k, j k): an offset d becomes d / k, so every term whose
    // argument is linear in the offsets keeps it with the period divided by k; the plus
    // term's dx dy with k squared; the ribbon's angle does not change.
    for (int c : {0, 1, 2, 3, 4})
        p.period[static_cast<std::size_t>(c)] = params.period[static_cast<std::size_t>(c)] / k;
    p.circlePeriodY = params.circlePeriodY / k;
    p.period[5] = params.period[5] / (k * k);
    p.cx = reducedOffset(params.cx, factor);
    p.cy = reducedOffset(params.cy, factor);
    FrameParams& f = p.frame;
    f.fx = reducedFrameSide(params.frame.fx, factor);
    f.fy = reducedFrameSide(params.frame.fy, factor);
    f.slope = f.fx != 0 ? static_cast<float>(static_cast<double>(f.fy) / f.fx) : 0.0f;
    f.xr = static_cast<std::int64_t>(p.width) - f.fx - 1;
    f.yb = static_cast<std::int64_t>(p.height) - f.fy - 1;
    return p;
}

bool sameTableInputs(const DrawParams& previous, const DrawParams& next) {
    if (previous.width != next.width || previous.height != next.height ||
        previous.cx != next.cx || previous.cy != next.cy || previous.power != next.power)
        return false;
    for (std::size_t c : {5u, 6u, 7u}) {
        if (previous.amplitude[c] != next.amplitude[c] || previous.period[c] != next.period[c])
            return false;
    }
    return true;
}

bool sameValueInputs(const DrawParams& previous, const DrawParams& next) {
    return sameTableInputs(previous, next) && previous.period == next.period &&
           previous.amplitude == next.amplitude &&
           previous.circlePeriodY == next.circlePeriodY;
}

void samplePicture(const Canvas& picture, int factor, Canvas& preview) {
    const int w = reduced(picture.width(), factor);
    const int h = reduced(picture.height(), factor);
    if (preview.width() != w || preview.height() != h)
        preview.resizeForOverwrite(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            preview.setPixel(i, j, picture.pixel(i * factor, j * factor));
}

} // namespace wavory
