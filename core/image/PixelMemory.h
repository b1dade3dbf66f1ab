#pragma once
// Memory for large pixel buffers: elements are left uninitialised (whoever makes the
// buffer says what it holds), and blocks of a few megabytes and more are blocks of their
// own from the system, aligned to and marked for its large pages, which spares thousands
// of page faults when a big picture is touched for the first time and keeps a column
// written down a picture within a few pages.

#include <cstddef>
#include <new>

namespace wavory {

// Raw blocks: never null, std::bad_alloc when the memory is not there.
void* allocatePixelMemory(std::size_t bytes);
// `bytes` as allocated.
void freePixelMemory(void* p, std::size_t bytes) noexcept;
// Tests: the `nth` allocation from now (1: the next one) throws std::bad_alloc as if the
// memory were not there; 0 turns this off.
void failPixelMemoryAt(int nth) noexcept;

template <typename T> class PixelAllocator {
  public:
    using value_type = T;
    PixelAllocator() = default;
    template <typename U> PixelAllocator(const PixelAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        return static_cast<T*>(allocatePixelMemory(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { freePixelMemory(p, n * sizeof(T)); }

    // resize() leaves new elements uninitialised; assign() and value construction still
    // give the value asked for.
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }

    friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};

} // namespace wavory
