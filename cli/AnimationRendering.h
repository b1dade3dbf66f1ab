#pragma once
// wavory-render --anim: the frames of one drawing over a range of phases, written as a
// numbered BMP series or as one animated file.

#include "RenderOptions.h"

#include "colorsets/GColor.h"
#include "common/Result.h"
#include "engine/DrawMain.h"
#include "params/DrawParams.h"

#include <cstdint>
#include <string>

namespace wavory::cli {

struct AnimationJob {
    DrawParams params; // checked: checkComponents and drawRefusal passed
    GColor colorSet;
    AnimRange range;
    std::string output; // ".webp" / ".gif": one file; otherwise folder + base name
    std::int64_t start = 1;
    int digits = 2;
    DrawOptions draw;
    bool showProgress = false;
};

// Each frame of an animated file is shown this long (the preview's default speed).
inline constexpr int kAnimatedFrameMs = 100;

// Draws and writes every frame; a failure carries the message to print.
Result renderAnimation(const AnimationJob& job);

} // namespace wavory::cli
