#include "image/PixelMemory.h"

#include <cstdlib>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wavory {

namespace {
constexpr std::size_t kLargePage = std::size_t{2} << 20;
} // namespace

void* allocatePixelMemory(std::size_t bytes) {
    void* p = nullptr;
    if (bytes < kLargePage) {
        p = std::malloc(bytes > 0 ? bytes : 1);
    } else {
        const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        p = std::aligned_alloc(kLargePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (p)
            madvise(p, rounded, MADV_HUGEPAGE); // only a hint
#endif
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

void freePixelMemory(void* p) noexcept {
    std::free(p);
}

} // namespace wavory
