#include "engine/DrawMain.h"

#include "colorsets/ColorTable.h"
#include "engine/ColumnSynthesizer.h"
#include "engine/DrawRefusal.h"
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
#include <system_error>
#include <thread>
#include <vector>

namespace wavory {

std::string progressTitle(int x, int width) {
    const double percent = std::floor(static_cast<double>(x) / width * 100.0);
    return std::to_string(static_cast<long long>(percent)) + std::string(kProgressTitleSuffix);
}

std::string finishTitle(bool stopped) {
    std::string title(kPictureTitle);
    if (stopped)
        title += kStoppedTitleSuffix;
    return title;
}

namespace {

// Hands out the units in order to every computing thread and tells the committing
// thread when a column is finished.
class UnitScheduler {
  public:
    UnitScheduler(const ColumnSynthesizer& synth, StagingImage& staging, int width)
        : synth_(synth), staging_(staging), units_(synth.units()),
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
        try {
            synth_.compute(unit, scratch, staging_.data());
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
    StagingImage& staging_;
    std::vector<ColumnSynthesizer::Unit> units_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<bool> done_;
    std::exception_ptr error_;
};

// The helper threads of an observed drawing; they are cancelled and joined whenever the
// drawing ends, normally or by an exception.
class HelperThreads {
  public:
    HelperThreads(UnitScheduler& scheduler, unsigned count) : scheduler_(scheduler) {
        for (unsigned i = 0; i < count; ++i) {
            try {
                threads_.emplace_back([this] { scheduler_.workLoop(); });
            } catch (const std::system_error&) {
                break; // fewer threads only make it slower
            }
        }
    }
    ~HelperThreads() {
        scheduler_.cancel();
        for (auto& t : threads_)
            t.join();
    }
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;

  private:
    UnitScheduler& scheduler_;
    std::vector<std::thread> threads_;
};

// The first column at or after x where the observer has to hear from the drawing.
int nextEventColumn(int x, int G, int F) {
    const int g = (x + G - 1) / G * G;
    const int f = (x + F - 1) / F * F;
    return std::min(g, f);
}

struct Drawing {
    const DrawParams& params;
    const ColumnSynthesizer& synth;
    StagingImage& staging;
    Canvas& canvas;
    unsigned threads;
};

// Column by column in the caller's order of events: the caller puts every finished
// column onto the canvas and talks to the observer, the helpers compute ahead.
DrawResult drawObserved(const Drawing& d, DrawObserver& observer) {
    const int W = d.params.width;
    const int H = d.params.height;
    UnitScheduler scheduler(d.synth, d.staging, W);
    const auto helpers =
        static_cast<unsigned>(std::min<std::size_t>(d.threads - 1, scheduler.unitCount()));
    auto scratch = d.synth.makeScratch();
    const int G = progressStep(W);
    const int F = refreshStep(W);
    int handedOver = 0; // columns [0, handedOver) have been handed to the observer
    int drawn = 0;      // columns [0, drawn) are on the canvas
    bool stopped = false;
    if (isCombiningMode(d.params.mode))
        observer.started();
    else
        observer.startedBlack();
    {
        HelperThreads threads(scheduler, helpers);
        while (drawn < W) {
            // Everything up to the next column the observer hears about, inclusive.
            const int last = std::min(nextEventColumn(drawn, G, F), W - 1);
            for (int x = drawn; x <= last; ++x)
                scheduler.waitForColumn(x, scratch);
            d.staging.commit(d.canvas, d.params.mode, drawn, last + 1, 0, H);
            drawn = last + 1;
            if (last % G == 0) {
                observer.title(progressTitle(last, W));
                if (observer.stopRequested()) {
                    stopped = true;
                    break;
                }
            }
            if (last % F == 0) {
                observer.columnsReady(handedOver, last + 1);
                handedOver = last + 1;
            }
        }
    }
    if (handedOver < drawn)
        observer.columnsReady(handedOver, drawn);
    observer.title(finishTitle(stopped));
    return {stopped ? DrawOutcome::Stopped : DrawOutcome::Completed, drawn, {}};
}

// Nobody looks while it draws: compute everything, then put it onto the canvas, both
// on every thread.
DrawResult drawUnobserved(const Drawing& d) {
    const auto units = d.synth.units();
    std::vector<ColumnSynthesizer::Scratch> scratch;
    scratch.reserve(d.threads);
    for (unsigned i = 0; i < d.threads; ++i)
        scratch.push_back(d.synth.makeScratch());
    runParallel(units.size(), d.threads, [&](std::size_t i, unsigned worker) {
        d.synth.compute(units[i], scratch[worker], d.staging.data());
    });
    constexpr int kBand = 64; // rows per commit task
    const int W = d.params.width;
    const int H = d.params.height;
    const auto bands = static_cast<std::size_t>((H + kBand - 1) / kBand);
    runParallel(bands, d.threads, [&](std::size_t band, unsigned) {
        const int y0 = static_cast<int>(band) * kBand;
        d.staging.commit(d.canvas, d.params.mode, 0, W, y0, std::min(y0 + kBand, H));
    });
    return {DrawOutcome::Completed, W, {}};
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
    const ColumnSynthesizer synth(params, *table, options.noiseKey, options.patternMagnitudes);
    StagingImage staging(W, H);

    const bool combining = isCombiningMode(params.mode);
    if (canvas.width() != W || canvas.height() != H)
        canvas.resize(W, H);
    // Unobserved, every pixel is overwritten before anyone can look.
    if (!combining && observer)
        canvas.clear();

    const Drawing drawing{params, synth, staging, canvas, resolveThreadCount(options.threads)};
    return observer ? drawObserved(drawing, *observer) : drawUnobserved(drawing);
}

std::size_t keptDrawingMemory() {
    return StagingImage::keptBytes();
}

} // namespace wavory
