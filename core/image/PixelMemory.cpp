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
        // Large pages for the whole ones inside the block only: a large page at the end
        // would hold up to 2 MiB more than the block needs.
        // posix_memalign, unlike aligned_alloc, takes a size that is no multiple of the
        // alignment.
        const std::size_t whole = bytes / kLargePage * kLargePage;
        if (::posix_memalign(&p, kLargePage, bytes) != 0)
            p = nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (p)
            madvise(p, whole, MADV_HUGEPAGE); // only a hint
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
