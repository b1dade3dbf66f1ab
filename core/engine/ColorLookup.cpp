#include "engine/ColorLookup.h"

#include <algorithm>

namespace wavory {

namespace {
// Beyond this many entries the table would cost more to fill than it saves.
constexpr std::uint64_t kMaxCachedMagnitudes = 1u << 18;
} // namespace

ColorLookup::ColorLookup(const ColorTable& table, int phase, std::uint64_t magnitudeBound)
    : table_(table), offset_(static_cast<double>(phase) / 100.0 * table.length()) {
    const std::uint64_t count = std::min(magnitudeBound, kMaxCachedMagnitudes - 1) + 1;
    cache_.resize(static_cast<std::size_t>(count));
    for (std::uint64_t v = 0; v < count; ++v) cache_[static_cast<std::size_t>(v)] = compute(v);
}

} // namespace wavory
