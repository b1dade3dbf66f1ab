#include "engine/StagingImage.h"

#include "engine/ColorLookup.h"
#include "engine/DrawModes.h"

#include <cstdlib>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wavory {

namespace {
// Large pages spare the kernel thousands of page faults on a big image.
constexpr std::size_t kLargePage = 2u << 20;
} // namespace

void StagingImage::Free::operator()(std::uint32_t* p) const { std::free(p); }

StagingImage::StagingImage(int width, int height) : height_(height) {
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(std::uint32_t);
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* p = rounded >= kLargePage ? std::aligned_alloc(kLargePage, rounded)
                                    : std::malloc(bytes > 0 ? bytes : 1);
    if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (rounded >= kLargePage) madvise(p, rounded, MADV_HUGEPAGE); // only a hint
#endif
    data_.reset(static_cast<std::uint32_t*>(p));
}

void StagingImage::commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const {
    const bool combining = mode == DrawMode::And || mode == DrawMode::Or || mode == DrawMode::Xor;
    const auto h = static_cast<std::size_t>(height_);
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* p = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes() +
                          static_cast<std::size_t>(x0) * 3;
        const std::uint32_t* source = data_.get() + static_cast<std::size_t>(x0) * h + y;
        for (int x = x0; x < x1; ++x, p += 3, source += h) {
            Rgb c = unpackRgb(*source);
            if (combining) c = combinePixel(mode, {p[0], p[1], p[2]}, c);
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
}

} // namespace wavory
