#include "engine/ObservedColumns.h"

#include <algorithm>

namespace wavory {

ObservedColumns::ObservedColumns(DrawObserver& observer, int width)
    : observer_(observer), width_(width), progressStep_(progressStep(width)),
      handOverStep_(refreshStep(width)) {}

int ObservedColumns::stretchEnd(int drawn) const {
    const int g = (drawn + progressStep_ - 1) / progressStep_ * progressStep_;
    const int f = (drawn + handOverStep_ - 1) / handOverStep_ * handOverStep_;
    return std::min(std::min(g, f), width_ - 1);
}

bool ObservedColumns::reached(int last) {
    if (last % progressStep_ == 0) {
        observer_.progress(last + 1, width_);
        if (observer_.stopRequested())
            return false;
    }
    if (last % handOverStep_ == 0) {
        observer_.columnsReady(handedOver_, last + 1);
        handedOver_ = last + 1;
    }
    return true;
}

DrawResult ObservedColumns::finish(int drawn, bool stopped) {
    if (handedOver_ < drawn)
        observer_.columnsReady(handedOver_, drawn);
    const DrawOutcome outcome = stopped ? DrawOutcome::Stopped : DrawOutcome::Completed;
    observer_.finished(outcome);
    return {outcome, drawn, {}};
}

void blackenFrom(Canvas& canvas, int x0) {
    if (x0 >= canvas.width())
        return;
    const std::size_t from = static_cast<std::size_t>(x0) * 3;
    for (int y = 0; y < canvas.height(); ++y) {
        std::uint8_t* row = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes();
        std::fill(row + from, row + canvas.rowBytes(), std::uint8_t{0});
    }
}

void copyColumnsFrom(const Canvas& from, Canvas& canvas, int x0) {
    if (x0 >= canvas.width())
        return;
    const std::size_t at = static_cast<std::size_t>(x0) * 3;
    const std::size_t bytes = canvas.rowBytes() - at;
    for (int y = 0; y < canvas.height(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * canvas.rowBytes();
        std::copy_n(from.data() + row + at, bytes, canvas.data() + row + at);
    }
}

} // namespace wavory
