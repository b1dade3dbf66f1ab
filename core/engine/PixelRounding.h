#pragma once
// Round half to even for the pixel loop, inline and without touching the floating-point
// environment. It equals roundHalfEven() under the default rounding mode, which the
// drawing threads make sure of (RoundToNearestScope).

#include "common/VectorUnitState.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace wavory {

inline double roundEvenFast(double value) {
    // Adding and subtracting 2^52 leaves no fraction bits, so the FPU rounds to even.
    constexpr double kShift = 4503599627370496.0; // 2^52
    const double magnitude = std::fabs(value);
    if (!(magnitude < kShift))
        return value; // already whole (or NaN)
    // Without -ffast-math the compiler keeps (m + 2^52) - 2^52 as written.
    const double shifted = magnitude + kShift;
    return std::copysign(shifted - kShift, value);
}

// Integer value of a real known to lie well inside the 64-bit range.
inline std::int64_t roundEvenToInt64(double value) {
    return static_cast<std::int64_t>(roundEvenFast(value));
}

// Sets round-to-nearest for the lifetime of the object and restores the previous mode.
// Every stretch of pixel arithmetic runs inside one, so it also starts the stretch with
// the vector registers' upper halves cleared (clearUpperVectorState).
class RoundToNearestScope {
  public:
    RoundToNearestScope() : previous_(std::fegetround()) {
        clearUpperVectorState();
        if (previous_ != FE_TONEAREST)
            std::fesetround(FE_TONEAREST);
    }
    ~RoundToNearestScope() {
        if (previous_ != FE_TONEAREST)
            std::fesetround(previous_);
    }
    RoundToNearestScope(const RoundToNearestScope&) = delete;
    RoundToNearestScope& operator=(const RoundToNearestScope&) = delete;

  private:
    int previous_;
};

} // namespace wavory
