#include "io/PngRowFilter.h"

#include <cstring>

namespace wavory::codec {

namespace {

// Each filter below is one branch-free pass over the row that the compiler turns into
// vector code; the first pixel, without a left neighbour, is done apart.

std::uint64_t magnitude(const std::uint8_t* out, std::size_t bytes) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        const int v = static_cast<std::int8_t>(out[i]);
        sum += static_cast<std::uint64_t>(v < 0 ? -v : v);
    }
    return sum;
}

void filterNone(const std::uint8_t* x, const std::uint8_t*, std::size_t n, std::size_t,
                std::uint8_t* out) {
    std::memcpy(out, x, n);
}

void filterSub(const std::uint8_t* x, const std::uint8_t*, std::size_t n, std::size_t bpp,
               std::uint8_t* out) {
    for (std::size_t i = 0; i < bpp && i < n; ++i)
        out[i] = x[i];
    for (std::size_t i = bpp; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(x[i] - x[i - bpp]);
}

void filterUp(const std::uint8_t* x, const std::uint8_t* up, std::size_t n, std::size_t,
              std::uint8_t* out) {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(x[i] - up[i]);
}

void filterAverage(const std::uint8_t* x, const std::uint8_t* up, std::size_t n, std::size_t bpp,
                   std::uint8_t* out) {
    for (std::size_t i = 0; i < bpp && i < n; ++i)
        out[i] = static_cast<std::uint8_t>(x[i] - (up[i] >> 1));
    for (std::size_t i = bpp; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(x[i] - ((x[i - bpp] + up[i]) >> 1));
}

void filterPaeth(const std::uint8_t* x, const std::uint8_t* up, std::size_t n, std::size_t bpp,
                 std::uint8_t* out) {
    // Without a left neighbour a = c = 0, and the predictor is always b.
    for (std::size_t i = 0; i < bpp && i < n; ++i)
        out[i] = static_cast<std::uint8_t>(x[i] - up[i]);
    for (std::size_t i = bpp; i < n; ++i) {
        const std::int16_t a = x[i - bpp], b = up[i], c = up[i - bpp];
        // |p - a|, |p - b|, |p - c| for p = a + b - c.
        const std::int16_t pa = static_cast<std::int16_t>(b > c ? b - c : c - b);
        const std::int16_t pb = static_cast<std::int16_t>(a > c ? a - c : c - a);
        const std::int16_t s = static_cast<std::int16_t>(a + b - 2 * c);
        const std::int16_t pc = static_cast<std::int16_t>(s < 0 ? -s : s);
        const std::int16_t predictor = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        out[i] = static_cast<std::uint8_t>(x[i] - predictor);
    }
}

// In the order of the PNG filter types 0 (none) .. 4 (Paeth).
using FilterFunction = void (*)(const std::uint8_t*, const std::uint8_t*, std::size_t, std::size_t,
                                std::uint8_t*);

constexpr FilterFunction kFilters[] = {filterNone, filterSub, filterUp, filterAverage, filterPaeth};

} // namespace

void filterRowAdaptive(const std::uint8_t* row, const std::uint8_t* prior, std::size_t bytes,
                       int bpp, std::uint8_t* out, std::uint8_t* scratch) {
    // The winner so far lives in `best`; each new candidate goes to a free buffer among
    // the output row and the scratch rows, so nothing is copied until the end.
    std::uint8_t* buffers[5] = {out + 1, scratch, scratch + bytes, scratch + 2 * bytes,
                                scratch + 3 * bytes};
    int bestFilter = 0;
    std::uint8_t* best = nullptr;
    std::uint64_t bestSum = 0;
    int nextFree = 0;
    for (int f = 0; f < 5; ++f) {
        std::uint8_t* candidate = buffers[nextFree];
        kFilters[f](row, prior, bytes, static_cast<std::size_t>(bpp), candidate);
        const std::uint64_t sum = magnitude(candidate, bytes);
        if (!best || sum < bestSum) {
            best = candidate;
            bestSum = sum;
            bestFilter = f;
            ++nextFree;
        }
    }
    out[0] = static_cast<std::uint8_t>(bestFilter);
    if (best != out + 1)
        std::memcpy(out + 1, best, bytes);
}

} // namespace wavory::codec
