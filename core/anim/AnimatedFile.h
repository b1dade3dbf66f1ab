#pragma once
// One animated file of all frames: lossless WebP or GIF (one palette for every frame,
// made with libimagequant), looping forever, each frame shown for the same time.

#include "common/Result.h"
#include "image/Canvas.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

enum class AnimatedFormat { WebP, Gif };

// ".webp" or ".gif" at the end of the path, in any case; nothing otherwise.
std::optional<AnimatedFormat> animatedFormatFor(std::string_view path);

struct AnimatedFileJob {
    AnimatedFormat format = AnimatedFormat::WebP;
    std::string path;  // written through AtomicFileWriter: nothing appears before the end
    int frames = 0;    // frames 0 .. frames - 1
    int frameMs = 100; // each frame's display time
};

struct AnimatedWriteResult {
    Result result;        // failure: the message to show (critical)
    bool stopped = false; // progress returned false: nothing was written
};

// frame(k, canvas) fills frame k (false: the frame is missing -> failure);
// progress(k) is called before frame k is taken and may yield to the user interface;
// false stops. All frames must have the size of the first. A failure's message is
// frameSaveFailure(cause).
AnimatedWriteResult writeAnimatedFile(const AnimatedFileJob& job,
                                      const std::function<bool(int, Canvas&)>& frame,
                                      const std::function<bool(int)>& progress);

} // namespace wavory
