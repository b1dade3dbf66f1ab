#pragma once
// wavory-render --anim: the frames of one drawing over a range of phases, written as a
// numbered BMP series, as one animated file or as a video.

#include "RenderOptions.h"

#include "anim/VideoFile.h"
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
    std::string output; // ".webp" / ".gif" / ".mp4" / ".webm": one file; else folder + base name
    std::int64_t start = 1;
    int digits = 2;
    DrawOptions draw;
    bool showProgress = false;
    FrameTime frameTime; // of an animated file or a video (default: the preview's 100 ms)
    int videoQuality = kDefaultVideoQuality;
};

// Draws and writes every frame; a failure carries the message to print.
Result renderAnimation(const AnimationJob& job);

} // namespace wavory::cli
