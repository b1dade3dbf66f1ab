#pragma once
// "継ぎ目なしにする": changes the parameters so that the drawn image tiles without a seam.
// With the center at (0,0) every component except the diagonal is mirror-symmetric about
// the image center, so the column after the last equals the first (and the row after the
// last the first) on an even side. Each period is then moved to the nearest value whose
// waves reach an extremum exactly at the edges, so the tiled pattern also runs on
// smoothly: the vertical and horizontal waves and the circle's two waves repeat a whole
// number of times across their side, the rectangle and the plus fit both sides at once.
// The diagonal, the ribbon and the ripple can never tile and are switched off, as is any
// component whose sides leave no period; so is the border frame, which marks every edge.

#include "common/Result.h"
#include "params/ParamModel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wavory {

// The period slot nearest to `slot` whose divisor P = slot / 3 + 0.5 is closest to some
// side / (angle × m), m = 1, 2, …: the periods at which a wave of `angle` radians per
// side length ends on an extremum. Nothing when even m = 1 gives a period below the
// smallest slot's.
std::optional<std::int32_t> seamlessPeriodSlot(std::int32_t slot, int side, double angle);

struct SeamlessChange {
    std::vector<int> switchedOff; // components that were on and are off now, in order
    bool frameSwitchedOff = false;
    bool oddSide = false; // an odd width or height: the edges can only nearly match
};

// Applies the rule to the model (its values are shown again) and tells what it did.
SeamlessChange makeSeamless(ParamModel& model);

// What the user is told about the change: nothing when only periods and the center moved.
Result seamlessChangeReport(const SeamlessChange& change);

} // namespace wavory
