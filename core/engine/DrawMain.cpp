#include "engine/DrawMain.h"

#include "colorsets/ColorTable.h"
#include "common/VectorUnitState.h"
#include "common/WorkPool.h"
#include "engine/ColumnSynthesizer.h"
#include "engine/DrawRefusal.h"
#include "engine/KeptMemory.h"
#include "engine/ObservedColumns.h"
#include "engine/ParallelWork.h"
#include "engine/PixelRounding.h"
#include "engine/StagingImage.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace wavory {

int progressPercent(int done, int total) {
    return static_cast<int>(std::floor(static_cast<double>(done - 1) / total * 100.0));
}

namespace {

// Hands out the units in order to every computing thread and tells the committing
// thread when a column is finished.
class UnitScheduler {
  public:
    UnitScheduler(const ColumnSynthesizer& synth, const ColumnOutput& output, int width)
        : synth_(synth), output_(output), units_(synth.units()),
          done_(static_cast<std::size_t>(width), false) {}

    std::size_t unitCount() const { return units_.size(); }

    // Computes the next unit; false when none is left or the drawing was cancelled.
    bool runOne(ColumnSynthesizer::Scratch& scratch) {
        if (cancelled_.load(std::memory_order_relaxed))
            return false;
        const std::size_t u = next_.fetch_add(1, std::memory_order_relaxed);
        if (u >= units_.size())
            return false;
        const auto& unit = units_[u];
        // The calling thread may have run the observer's code since its last unit.
        clearUpperVectorState();
        try {
            synth_.compute(unit, scratch, output_);
        } catch (...) {
            fail(std::current_exception());
            return false;
        }
        {
            std::lock_guard lock(mutex_);
            synth_.forEachColumn(unit, [&](int x) { done_[static_cast<std::size_t>(x)] = true; });
        }
        ready_.notify_all();
        return true;
    }

    void workLoop() {
        RoundToNearestScope rounding;
        try {
            auto scratch = synth_.makeScratch();
            while (runOne(scratch)) {
            }
        } catch (...) {
            fail(std::current_exception());
        }
    }

    // Returns once column x is finished, computing units itself while it waits.
    // Rethrows an error of any computing thread.
    void waitForColumn(int x, ColumnSynthesizer::Scratch& scratch) {
        const auto c = static_cast<std::size_t>(x);
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (error_)
                    std::rethrow_exception(error_);
                if (done_[c])
                    return;
            }
            if (runOne(scratch))
                continue;
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [&] { return done_[c] || error_ != nullptr; });
        }
    }

    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }

  private:
    void fail(std::exception_ptr e) {
        cancel();
        {
            std::lock_guard lock(mutex_);
            if (!error_)
                error_ = e;
        }
        ready_.notify_all();
    }

    const ColumnSynthesizer& synth_;
    const ColumnOutput& output_;
    std::vector<ColumnSynthesizer::Unit> units_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<bool> done_;
    std::exception_ptr error_;
};

// The helpers of an observed drawing on the work pool; they are cancelled and waited for
// whenever the drawing ends, normally or by an exception. Helpers the pool has not begun
// by then never begin: the calling thread computes what is left itself.
class Helpers {
  public:
    Helpers(UnitScheduler& scheduler, unsigned count)
        : scheduler_(scheduler), group_(WorkPool::shared()) {
        for (unsigned i = 0; i < count; ++i)
            group_.add([this] { scheduler_.workLoop(); });
    }
    ~Helpers() {
        scheduler_.cancel();
        group_.close();
    }
    Helpers(const Helpers&) = delete;
    Helpers& operator=(const Helpers&) = delete;

  private:
    UnitScheduler& scheduler_;
    HelperGroup group_;
};

struct Drawing {
    const DrawParams& params;
    const ColumnSynthesizer& synth;
    StagingImage* staging;  // a watched AND, OR or XOR drawing over the canvas itself only
    const Canvas* previous; // the picture drawn over when it is not the canvas itself
    Canvas& canvas;
    unsigned threads;
};

// The columns [x0, W) a drawing did not reach: black in normal mode, the picture drawn
// over in the others. Helpers may have drawn some of them ahead; a combining drawing
// through the staging image has not touched them.
void fillUnreached(const Drawing& d, int x0) {
    if (!isCombiningMode(d.params.mode))
        blackenFrom(d.canvas, x0);
    else if (d.previous)
        copyColumnsFrom(*d.previous, d.canvas, x0);
}

// Column by column in the caller's order of events: the caller talks to the observer,
// the helpers compute ahead. In normal mode, and over a picture kept apart, every thread
// writes its columns straight onto the canvas (columns beyond those handed over may
// already hold pixels; a stop or an error puts back what the unreached columns show).
// AND, OR and XOR over the canvas itself read the old picture there, so their columns
// wait in a staging image and reach the canvas in order.
DrawResult drawObserved(const Drawing& d, DrawObserver& observer) {
    const int W = d.params.width;
    const int H = d.params.height;
    StagingImage* staging = d.staging;
    const ColumnOutput output{&d.canvas, d.params.mode, staging ? staging->data() : nullptr,
                              d.previous};
    UnitScheduler scheduler(d.synth, output, W);
    const auto helpers = static_cast<unsigned>(std::min<std::size_t>(
        {d.threads - 1, WorkPool::shared().threadCount(), scheduler.unitCount()}));
    int drawn = 0; // columns [0, drawn) are on the canvas
    bool stopped = false;
    try {
        auto scratch = d.synth.makeScratch();
        ObservedColumns events(observer, W);
        if (isCombiningMode(d.params.mode))
            observer.started();
        else
            observer.startedBlack();
        {
            Helpers threads(scheduler, helpers);
            while (drawn < W) {
                const int last = events.stretchEnd(drawn);
                for (int x = drawn; x <= last; ++x)
                    scheduler.waitForColumn(x, scratch);
                if (staging)
                    staging->commit(d.canvas, d.params.mode, drawn, last + 1, 0, H);
                drawn = last + 1;
                if (!events.reached(last)) {
                    stopped = true;
                    break;
                }
            }
        }
        if (stopped)
            fillUnreached(d, drawn);
        return events.finish(drawn, stopped);
    } catch (...) {
        fillUnreached(d, drawn);
        throw;
    }
}

// Nobody looks while it draws: every thread puts its columns straight onto the canvas.
DrawResult drawUnobserved(const Drawing& d) {
    const auto units = d.synth.units();
    std::vector<ColumnSynthesizer::Scratch> scratch;
    scratch.reserve(d.threads);
    for (unsigned i = 0; i < d.threads; ++i)
        scratch.push_back(d.synth.makeScratch());
    const ColumnOutput output{&d.canvas, d.params.mode, nullptr, d.previous};
    runParallel(units.size(), d.threads, [&](std::size_t i, unsigned worker) {
        d.synth.compute(units[i], scratch[worker], output);
    });
    return {DrawOutcome::Completed, d.params.width, {}};
}

} // namespace

DrawResult DrawMain(const DrawParams& params, const GColor& colorSet, Canvas& canvas,
                    DrawObserver* observer, const DrawOptions& options) {
    if (Result refusal = drawRefusal(params, colorSet); !refusal.ok())
        return {DrawOutcome::Refused, 0, std::move(refusal)};

    RoundToNearestScope rounding;
    const int W = params.width;
    const int H = params.height;
    const auto table = std::make_unique<ColorTable>(colorSet);
    const KeptMemory::Apart apart(!options.keepMemory);
    KeptMemory::beginPicture(W, H);
    ColumnSynthesizer synth(params, *table, options.noiseKey, options.patternMagnitudes);
    const unsigned threads = resolveThreadCount(options.threads);
    // The working memory comes first: when it is not there, the canvas stays untouched.
    synth.prepare(threads);
    const bool combining = isCombiningMode(params.mode);
    const Canvas* previous = options.previous;
    if (previous && (previous == &canvas || previous->width() != W || previous->height() != H))
        previous = nullptr;
    std::unique_ptr<StagingImage> staging;
    if (combining && observer && !previous)
        staging = std::make_unique<StagingImage>(W, H);

    if (canvas.width() != W || canvas.height() != H) {
        // AND, OR and XOR combine with a new, black picture; normal mode overwrites it all,
        // and so does every mode over a picture kept apart.
        if (combining && !previous)
            canvas.resize(W, H);
        else
            canvas.resizeForOverwrite(W, H);
    }
    // The observer is shown a black canvas that fills column by column; over a picture
    // kept apart the unreached columns are put right when the drawing ends.
    if (!combining && observer && !previous)
        canvas.clear();

    const Drawing drawing{params, synth, staging.get(), previous, canvas, threads};
    DrawResult result = observer ? drawObserved(drawing, *observer) : drawUnobserved(drawing);
    if (result.outcome == DrawOutcome::Completed)
        synth.keepValues();
    return result;
}

std::size_t keptDrawingMemory() {
    return KeptMemory::keptBytes();
}

void forgetKeptTables() {
    KeptMemory::forgetContents();
}

} // namespace wavory
