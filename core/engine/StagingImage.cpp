#include "engine/StagingImage.h"

#include "engine/ColorLookup.h"
#include "engine/DrawModes.h"

#include <cstdlib>
#include <mutex>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wavory {

namespace {

// Large pages spare the system thousands of page faults on a big image.
constexpr std::size_t kLargePage = 2u << 20;

struct KeptBlock {
    std::mutex mutex;
    void* memory = nullptr;
    std::size_t bytes = 0;
};

KeptBlock& kept() {
    static KeptBlock block;
    return block;
}

void* allocate(std::size_t bytes) {
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    if (rounded < kLargePage)
        return std::malloc(bytes > 0 ? bytes : 1);
    void* p = std::aligned_alloc(kLargePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (p)
        madvise(p, rounded, MADV_HUGEPAGE); // only a hint
#endif
    return p;
}

} // namespace

StagingImage::StagingImage(int width, int height) : height_(height) {
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(std::uint32_t);
    void* memory = nullptr;
    void* stale = nullptr;
    {
        KeptBlock& k = kept();
        std::lock_guard lock(k.mutex);
        // Memory of another size goes: a smaller picture must not hold on to the memory of
        // a big one (36 MB for 3000 x 3000).
        if (k.bytes == bytes)
            memory = k.memory;
        else
            stale = k.memory;
        k.memory = nullptr;
        k.bytes = 0;
    }
    std::free(stale);
    if (!memory) {
        memory = allocate(bytes);
        if (!memory)
            throw std::bad_alloc();
    }
    bytes_ = bytes;
    data_ = static_cast<std::uint32_t*>(memory);
}

StagingImage::~StagingImage() {
    void* release = nullptr;
    {
        KeptBlock& k = kept();
        std::lock_guard lock(k.mutex);
        release = k.memory;
        k.memory = data_;
        k.bytes = bytes_;
    }
    std::free(release);
}

std::size_t StagingImage::keptBytes() {
    KeptBlock& k = kept();
    std::lock_guard lock(k.mutex);
    return k.memory ? k.bytes : 0;
}

void StagingImage::commit(Canvas& canvas, DrawMode mode, int x0, int x1, int y0, int y1) const {
    const bool combining = isCombiningMode(mode);
    const auto h = static_cast<std::size_t>(height_);
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* p = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes() +
                          static_cast<std::size_t>(x0) * 3;
        const std::uint32_t* source = data_ + static_cast<std::size_t>(x0) * h + y;
        for (int x = x0; x < x1; ++x, p += 3, source += h) {
            Rgb c = unpackRgb(*source);
            if (combining)
                c = combinePixel(mode, {p[0], p[1], p[2]}, c);
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
}

} // namespace wavory
