#include "anim/AnimPhases.h"

#include "common/Numbers.h"

namespace wavory {

int animFramePhase(double from, double to, int frames, int i) {
    const double phase = (to - from) / frames * (i - 1) + from;
    return static_cast<int>(roundToInt32(phase));
}

} // namespace wavory
