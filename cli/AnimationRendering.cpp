#include "AnimationRendering.h"
#include "ProgressPrinter.h"

#include "anim/AnimFrameMaker.h"
#include "anim/AnimPhases.h"
#include "anim/AnimatedFile.h"
#include "anim/FrameFileWriting.h"
#include "anim/FrameSeriesNames.h"
#include "anim/FrameSeriesWriter.h"
#include "anim/FrameStore.h"

#include <string>

namespace wavory::cli {

namespace {

// Frame i (1-based) onto the canvas; false when it could not be drawn.
Result drawFrame(AnimFrameMaker& maker, const AnimationJob& job, int i, Canvas& canvas,
                 ProgressPrinter& progress) {
    progress.setPrefix(std::to_string(i) + " / " + std::to_string(job.range.frames) + ": ");
    const int phase = animFramePhase(job.range.from, job.range.to, job.range.frames, i);
    const DrawResult drawn = maker.draw(phase, canvas, job.showProgress ? &progress : nullptr);
    return drawn.outcome == DrawOutcome::Refused ? drawn.report : Result{};
}

Result writeSeries(AnimFrameMaker& maker, const AnimationJob& job, ProgressPrinter& progress) {
    Canvas canvas(job.params.width, job.params.height);
    FrameSeriesWriter writer;
    for (int k = 0; k < job.range.frames; ++k) {
        if (Result r = drawFrame(maker, job, k + 1, canvas, progress); !r.ok())
            return r;
        const std::string name = frameFileName(job.output, job.start + k, job.digits);
        if (Result r = writer.write(name, canvas); !r.ok())
            return r;
    }
    return writer.finish();
}

Result writeAnimated(AnimFrameMaker& maker, const AnimationJob& job, AnimatedFormat format,
                     ProgressPrinter& progress) {
    removeStaleFrameSpills(frameSpillFolder()); // left by runs that were killed
    FrameStore store;
    if (Result r = maker.reserve(store, job.range.frames); !r.ok())
        return r;
    Canvas canvas(job.params.width, job.params.height);
    for (int k = 0; k < job.range.frames; ++k) {
        if (Result r = drawFrame(maker, job, k + 1, canvas, progress); !r.ok())
            return r;
        // What the file cannot hold is refused now, not after every frame is drawn.
        if (k == 0 && !isCombiningMode(job.params.mode))
            if (Result r = checkAnimatedFileFits(format, canvas, job.range.frames); !r.ok())
                return r;
        if (Result r = maker.store(store, k, canvas); !r.ok())
            return r;
    }
    if (Result r = store.flush(); !r.ok())
        return r;
    const AnimatedWriteResult written =
        writeAnimatedFile({format, job.output, job.range.frames, frameMs(job.frameTime)},
                          [&](int k, Canvas& out) { return store.get(k, out); }, {});
    return written.result;
}

// Each frame goes to the encoder as soon as it is drawn: no frame is kept.
Result writeVideo(AnimFrameMaker& maker, const AnimationJob& job, VideoFormat format,
                  ProgressPrinter& progress) {
    VideoWriter video({format, job.output, job.range.frames, job.frameTime, job.videoQuality});
    Canvas canvas(job.params.width, job.params.height);
    for (int k = 0; k < job.range.frames; ++k) {
        if (Result r = drawFrame(maker, job, k + 1, canvas, progress); !r.ok())
            return r;
        if (Result r = video.add(canvas); !r.ok())
            return r;
    }
    return video.finish();
}

} // namespace

Result renderAnimation(const AnimationJob& job) {
    AnimFrameMaker maker(job.params, job.colorSet, job.draw);
    ProgressPrinter progress(job.showProgress);
    Result result;
    if (const auto video = videoFormatFor(job.output))
        result = writeVideo(maker, job, *video, progress);
    else if (const auto format = animatedFormatFor(job.output))
        result = writeAnimated(maker, job, *format, progress);
    else
        result = writeSeries(maker, job, progress);
    progress.finish();
    return result;
}

} // namespace wavory::cli
