#include "anim/AnimFrameMaker.h"

#include "anim/ColumnsAhead.h"
#include "anim/PhasePattern.h"
#include "engine/DrawRefusal.h"
#include "engine/ObservedColumns.h"
#include "engine/ParallelWork.h"

#include <algorithm>
#include <vector>

namespace wavory {

namespace {

// The observer's view of a drawing, as DrawMain gives it, for a picture painted column
// block by column block. The helpers start after startedBlack(), which shows the whole
// cleared canvas.
DrawResult paintObserved(const PhasePattern::Painter& painter, Canvas& canvas, unsigned threads,
                         DrawObserver& observer) {
    const int width = canvas.width();
    ObservedColumns events(observer, width);
    int drawn = 0;
    bool stopped = false;
    observer.startedBlack();
    {
        ColumnsAhead columns(painter, canvas, progressStep(width), threads);
        while (drawn < width) {
            const int last = events.stretchEnd(drawn);
            columns.waitFor(drawn, last + 1);
            drawn = last + 1;
            if (!events.reached(last)) {
                stopped = true;
                break;
            }
        }
    }
    // Columns painted ahead of a stop show black, as the columns a drawing never reached.
    blackenFrom(canvas, drawn);
    return events.finish(drawn, stopped);
}

} // namespace

struct AnimFrameMaker::Impl {
    DrawParams params;
    GColor colorSet;
    DrawOptions options;
    bool recolours = false;
    std::shared_ptr<const PhasePattern> pattern;
    // What the last draw left on the canvas: a completed frame of the pattern.
    bool lastFromPattern = false;
    int lastPhase = 0;

    DrawResult drawCapturing(Canvas& canvas, DrawObserver* observer) {
        std::vector<std::uint32_t> magnitudes(static_cast<std::size_t>(params.width) *
                                              static_cast<std::size_t>(params.height));
        DrawOptions capturing = options;
        capturing.patternMagnitudes = magnitudes.data();
        DrawResult result = DrawMain(params, colorSet, canvas, observer, capturing);
        if (result.outcome == DrawOutcome::Completed)
            pattern = std::make_shared<const PhasePattern>(params, colorSet, magnitudes.data());
        return result;
    }

    DrawResult paint(Canvas& canvas, DrawObserver* observer) {
        if (!observer) {
            pattern->paintAll(params.phase, canvas, options.threads);
            return {DrawOutcome::Completed, params.width, {}};
        }
        // As DrawMain shows a normal-mode drawing: a cleared canvas, filled column by column.
        if (canvas.width() != params.width || canvas.height() != params.height)
            canvas.resize(params.width, params.height);
        else
            canvas.clear();
        const PhasePattern::Painter painter(*pattern, params.phase);
        return paintObserved(painter, canvas, resolveThreadCount(options.threads), *observer);
    }
};

AnimFrameMaker::AnimFrameMaker(const DrawParams& params, const GColor& colorSet,
                               const DrawOptions& options)
    : impl_(std::make_unique<Impl>()) {
    impl_->params = params;
    impl_->colorSet = colorSet;
    impl_->options = options;
    impl_->options.patternMagnitudes = nullptr;
    impl_->recolours = PhasePattern::suits(params);
}

AnimFrameMaker::~AnimFrameMaker() = default;

DrawResult AnimFrameMaker::draw(int phase, Canvas& canvas, DrawObserver* observer) {
    Impl& d = *impl_;
    d.params.phase = phase;
    d.lastFromPattern = false;
    if (Result refusal = drawRefusal(d.params, d.colorSet); !refusal.ok())
        return {DrawOutcome::Refused, 0, std::move(refusal)};
    if (!d.recolours)
        return DrawMain(d.params, d.colorSet, canvas, observer, d.options);
    DrawResult result = d.pattern ? d.paint(canvas, observer) : d.drawCapturing(canvas, observer);
    d.lastFromPattern = result.outcome == DrawOutcome::Completed && d.pattern;
    d.lastPhase = phase;
    return result;
}

Result AnimFrameMaker::reserve(FrameStore& store, int frames) const {
    // Recoloured frames share one pattern; only the first frame is drawn in full.
    return store.reserve(impl_->recolours ? 1 : frames, impl_->params.width, impl_->params.height);
}

Result AnimFrameMaker::store(FrameStore& store, int index, const Canvas& canvas) {
    if (impl_->lastFromPattern)
        return store.putPattern(index, impl_->pattern, impl_->lastPhase);
    return store.put(index, canvas);
}

bool AnimFrameMaker::recolours() const {
    return impl_->recolours;
}

} // namespace wavory
