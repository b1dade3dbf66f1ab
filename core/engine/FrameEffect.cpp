#include "engine/FrameEffect.h"

#include <algorithm>

namespace wavory {

std::vector<double> FrameShading::carryIn() const {
    std::vector<double> carry(static_cast<std::size_t>(std::max<std::int64_t>(w_, 0)));
    double q = 0.0; // before the first pixel of a drawing
    for (std::int64_t x = 0; x < w_; ++x) {
        carry[static_cast<std::size_t>(x)] = q;
        for (std::int64_t y = h_ - 1; y >= 0; --y) {
            const FrameWeights w = at(x, y, q);
            if (!w.inherited) {
                q = w.q;
                break;
            }
        }
    }
    return carry;
}

} // namespace wavory
