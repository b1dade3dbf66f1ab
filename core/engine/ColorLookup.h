#pragma once
// The color of a pattern value for the pixel loop: the table entry at
// round(|v| + phase / 100 x L) mod L, packed as R | G << 8 | B << 16. The colors of the
// values a drawing can reach are computed once; larger values are computed on demand.

#include "colorsets/ColorTable.h"
#include "engine/PixelRounding.h"
#include "image/Canvas.h"

#include <cstdint>
#include <vector>

namespace wavory {

inline std::uint32_t packRgb(Rgb c) {
    return static_cast<std::uint32_t>(c.r) | static_cast<std::uint32_t>(c.g) << 8 |
           static_cast<std::uint32_t>(c.b) << 16;
}
inline Rgb unpackRgb(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
            static_cast<std::uint8_t>(c >> 16)};
}

class ColorLookup {
  public:
    // magnitudeBound: the largest |v| expected; values above it still work, only slower.
    ColorLookup(const ColorTable& table, int phase, std::uint64_t magnitudeBound);

    // The packed color of a pattern value of magnitude |v|.
    std::uint32_t packed(std::uint64_t magnitude) const {
        if (magnitude < cache_.size())
            return cache_[magnitude];
        return compute(magnitude);
    }

    // The same lookup with the table held in local variables, for the pixel loop.
    class Reader {
      public:
        explicit Reader(const ColorLookup& lookup)
            : lookup_(lookup), cache_(lookup.cache_.data()), size_(lookup.cache_.size()) {}
        std::uint32_t packed(std::uint64_t magnitude) const {
            if (magnitude < size_)
                return cache_[magnitude];
            return lookup_.compute(magnitude);
        }

      private:
        const ColorLookup& lookup_;
        const std::uint32_t* cache_;
        std::size_t size_;
    };

  private:
    std::uint32_t compute(std::uint64_t magnitude) const {
        // Same arithmetic as ColorTable::indexFor.
        const double x = static_cast<double>(magnitude) + offset_;
        const auto k = static_cast<std::uint64_t>(roundEvenFast(x));
        const auto index = static_cast<int>(k % static_cast<std::uint64_t>(table_.length()));
        return packRgb(table_.entry(index));
    }

    const ColorTable& table_;
    double offset_;
    std::vector<std::uint32_t> cache_;
};

} // namespace wavory
