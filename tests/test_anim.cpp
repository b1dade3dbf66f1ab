// The animation's core: frame phases, series names, the frame store, the frame maker and
// the animated files.

#include "engine_test_support.h"

#include "anim/AnimFrameMaker.h"
#include "anim/AnimPhases.h"
#include "anim/AnimatedFile.h"
#include "anim/FrameFileWriting.h"
#include "anim/FrameSeriesNames.h"
#include "anim/FrameStore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wavory;
using namespace wavory::testing;

namespace {

std::vector<int> phases(double from, double to, int n) {
    std::vector<int> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(animFramePhase(from, to, n, i));
    return out;
}

TEST(AnimPhases, StepFromTheLowerBoundAndStopShortOfTheUpper) {
    EXPECT_EQ(phases(0, 99, 10), (std::vector<int>{0, 10, 20, 30, 40, 50, 59, 69, 79, 89}));
    EXPECT_EQ(phases(0, 99, 4), (std::vector<int>{0, 25, 50, 74}));
    EXPECT_EQ(phases(90, 10, 4), (std::vector<int>{90, 70, 50, 30}));
    EXPECT_EQ(phases(30, 30, 3), (std::vector<int>{30, 30, 30}));
    // 99 / 2 x 1 = 49.5 rounds to even.
    EXPECT_EQ(phases(0, 99, 2), (std::vector<int>{0, 50}));
    EXPECT_EQ(phases(0, 1, 2), (std::vector<int>{0, 0}));
}

} // namespace
