#include "engine/DrawingMemory.h"

#include "engine/PairTable.h"
#include "engine/ParallelWork.h"

#include <algorithm>
#include <cstdlib>

namespace wavory {

namespace {

// Smallest and largest |d| for d = 0 - center ... (size - 1) - center.
void magnitudeRange(std::int64_t size, std::int64_t center, std::int64_t& lo, std::int64_t& hi) {
    const std::int64_t a = -center;
    const std::int64_t b = size - 1 - center;
    hi = std::max(std::llabs(a), std::llabs(b));
    lo = (a <= 0 && b >= 0) ? 0 : std::min(std::llabs(a), std::llabs(b));
}

// The plus and ripple tables, as prepare() makes them: the pairs whose m and b can both
// be |dx| or |dy|.
std::uint64_t pairTableBytes(const DrawParams& p, std::int64_t loX, std::int64_t hiX,
                             std::int64_t loY, std::int64_t hiY) {
    const int count = (p.componentActive(5) ? 1 : 0) + (p.componentActive(7) ? 1 : 0);
    const std::int64_t first = std::max(loX, loY);
    const std::int64_t n = std::min(hiX, hiY) - first + 1;
    if (count == 0 || n < 2)
        return 0;
    return PairTable::entries(pairTableExtent(n, count, p.width, p.height)) * sizeof(double) *
           static_cast<std::uint64_t>(count);
}

std::uint64_t ribbonTableBytes(const DrawParams& p, std::int64_t loX, std::int64_t hiX,
                               std::int64_t loY, std::int64_t hiY) {
    if (!p.componentActive(6) || loX != 0 || loY != 0 || hiX < 2 || hiY < 2)
        return 0;
    return static_cast<std::uint64_t>(hiX / 2 + 1) * static_cast<std::uint64_t>(hiY / 2 + 1) *
           sizeof(double);
}

} // namespace

std::int64_t pairTableExtent(std::int64_t pairs, int tables, int width, int height) {
    const double budget = 3.5 * width * height;
    while (pairs > 1 && static_cast<double>(PairTable::entries(pairs)) * 8.0 * tables > budget)
        pairs = pairs * 9 / 10;
    return pairs;
}

std::uint64_t drawingWorkingBytes(const DrawParams& params, unsigned threads, bool staged) {
    if (params.width < 1 || params.height < 1)
        return 0;
    const auto W = static_cast<std::uint64_t>(params.width);
    const auto H = static_cast<std::uint64_t>(params.height);
    std::int64_t loX = 0, hiX = 0, loY = 0, hiY = 0;
    magnitudeRange(params.width, params.cx, loX, hiX);
    magnitudeRange(params.height, params.cy, loY, hiY);
    // Terms by column, row, x + y, square ring and |dy|, the frame's carry by column.
    const std::uint64_t lines = (W + H + (W + H) + std::max(W, H) + H + W) * sizeof(double);
    // Per thread: five terms and the sum by row, and a band's colors (16 columns).
    const std::uint64_t scratch = H * (6 * sizeof(double) + 1 + 16 * sizeof(std::uint32_t));
    return lines + resolveThreadCount(threads) * scratch +
           pairTableBytes(params, loX, hiX, loY, hiY) +
           ribbonTableBytes(params, loX, hiX, loY, hiY) +
           (staged ? W * H * sizeof(std::uint32_t) : 0);
}

} // namespace wavory
