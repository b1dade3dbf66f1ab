#include "engine/StagingImage.h"

#include "engine/ColorLookup.h"
#include "engine/DrawModes.h"

namespace wavory {

StagingImage::StagingImage(int width, int height)
    : height_(height),
      memory_(KeptMemory::Slot::Staging,
              static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                  sizeof(std::uint32_t)) {}

void StagingImage::commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const {
    const auto h = static_cast<std::size_t>(height_);
    const auto* staged = static_cast<const std::uint32_t*>(memory_.data());
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* p = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes() +
                          static_cast<std::size_t>(x0) * 3;
        const std::uint32_t* source = staged + static_cast<std::size_t>(x0) * h + y;
        for (int x = x0; x < x1; ++x, p += 3, source += h) {
            const Rgb c = combinePixel(mode, {p[0], p[1], p[2]}, unpackRgb(*source));
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
}

} // namespace wavory
