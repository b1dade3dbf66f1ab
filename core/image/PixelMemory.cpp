#include "image/PixelMemory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wavory {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

// Allocations left until the one that fails (failPixelMemoryAt); 0: none fails.
std::atomic<int> allocationsToFailure{0};

bool failureDue() noexcept {
    int left = allocationsToFailure.load(std::memory_order_relaxed);
    while (left > 0 && !allocationsToFailure.compare_exchange_weak(left, left - 1))
        ;
    return left == 1;
}

#if defined(__linux__)
constexpr std::size_t kPage = 4096;

std::size_t mappedLength(std::size_t bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}

// A block of its own from the system, starting on a large-page boundary. Through malloc
// a block this size comes from its heap once a few big blocks have been freed (the
// threshold for blocks of their own grows with them), in small pages used before, and a
// drawing writing a column down 3000 rows then touches 3000 pages instead of a handful.
void* mapLargeBlock(std::size_t bytes) {
    const std::size_t length = mappedLength(bytes);
    if (length < bytes || length > SIZE_MAX - kLargePage)
        return nullptr;
    void* base = ::mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        return nullptr;
    const auto from = reinterpret_cast<std::uintptr_t>(base);
    const std::uintptr_t start = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = from + length + kLargePage;
    if (start > from)
        ::munmap(base, start - from);
    if (end > start + length)
        ::munmap(reinterpret_cast<void*>(start + length), end - (start + length));
    // Large pages for the whole ones only: one at the end would hold up to 2 MiB more
    // than the block needs.
#if defined(MADV_HUGEPAGE)
    ::madvise(reinterpret_cast<void*>(start), bytes / kLargePage * kLargePage, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(start);
}
#endif

} // namespace

void failPixelMemoryAt(int nth) noexcept {
    allocationsToFailure.store(nth > 0 ? nth : 0);
}

void* allocatePixelMemory(std::size_t bytes) {
    if (failureDue())
        throw std::bad_alloc();
    void* p = nullptr;
    if (bytes < kLargePage) {
        p = std::malloc(bytes > 0 ? bytes : 1);
    } else {
#if defined(__linux__)
        p = mapLargeBlock(bytes);
#else
        if (::posix_memalign(&p, kLargePage, bytes) != 0)
            p = nullptr;
#endif
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

void freePixelMemory(void* p, std::size_t bytes) noexcept {
    if (!p)
        return;
#if defined(__linux__)
    if (bytes >= kLargePage) {
        ::munmap(p, mappedLength(bytes));
        return;
    }
#else
    (void)bytes;
#endif
    std::free(p);
}

} // namespace wavory
