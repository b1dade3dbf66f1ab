#include "engine/DrawMain.h"

#include "colorsets/ColorTable.h"
#include "engine/ColorLookup.h"
#include "engine/ColumnSynthesizer.h"
#include "engine/DrawModes.h"
#include "engine/DrawRefusal.h"
#include "engine/PixelRounding.h"

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
    if (stopped) title += kStoppedTitleSuffix;
    return title;
}

namespace {

// Hands out the units in order to every computing thread and tells the committing
// thread when a column is finished.
class UnitScheduler {
public:
    UnitScheduler(const ColumnSynthesizer& synth, std::uint32_t* staging, int width)
        : synth_(synth), staging_(staging), units_(synth.units()),
          done_(static_cast<std::size_t>(width), false) {}

    std::size_t unitCount() const { return units_.size(); }

    // Computes the next unit; false when none is left or the drawing was cancelled.
    bool runOne(ColumnSynthesizer::Scratch& scratch) {
        if (cancelled_.load(std::memory_order_relaxed)) return false;
        const std::size_t u = next_.fetch_add(1, std::memory_order_relaxed);
        if (u >= units_.size()) return false;
        const auto& unit = units_[u];
        try {
            synth_.compute(unit, scratch, staging_);
        } catch (...) {
            fail(std::current_exception());
            return false;
        }
        {
            std::lock_guard lock(mutex_);
            done_[static_cast<std::size_t>(unit.column)] = true;
            if (unit.mirror >= 0) done_[static_cast<std::size_t>(unit.mirror)] = true;
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
                if (error_) std::rethrow_exception(error_);
                if (done_[c]) return;
            }
            if (runOne(scratch)) continue;
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
            if (!error_) error_ = e;
        }
        ready_.notify_all();
    }

    const ColumnSynthesizer& synth_;
    std::uint32_t* staging_;
    std::vector<ColumnSynthesizer::Unit> units_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<bool> done_;
    std::exception_ptr error_;
};

// The helper threads; they are cancelled and joined whenever the drawing ends,
// normally or by an exception.
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
        for (auto& t : threads_) t.join();
    }
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;

private:
    UnitScheduler& scheduler_;
    std::vector<std::thread> threads_;
};

unsigned threadCount(const DrawOptions& options) {
    if (options.threads > 0) return options.threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

// Puts column x of the staging image onto the canvas with the draw mode.
void commitColumn(const std::uint32_t* column, int x, DrawMode mode, bool combining,
                  Canvas& canvas) {
    const int H = canvas.height();
    const std::size_t stride = canvas.rowBytes();
    std::uint8_t* p = canvas.data() + static_cast<std::size_t>(x) * 3;
    for (int y = 0; y < H; ++y, p += stride) {
        Rgb c = unpackRgb(column[y]);
        if (combining) c = combinePixel(mode, {p[0], p[1], p[2]}, c);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
}

} // namespace

DrawResult DrawMain(const DrawParams& params, const GColor& colorSet, Canvas& canvas,
                    DrawObserver* observer, const DrawOptions& options) {
    if (auto refusal = drawRefusal(params, colorSet))
        return {DrawOutcome::Refused, 0, std::move(refusal)};

    RoundToNearestScope rounding;
    const int W = params.width;
    const int H = params.height;
    const auto table = std::make_unique<ColorTable>(colorSet);
    const ColumnSynthesizer synth(params, *table, options.noiseKey);
    std::vector<std::uint32_t> staging(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));

    const bool combining = params.mode == DrawMode::And || params.mode == DrawMode::Or ||
                           params.mode == DrawMode::Xor;
    if (canvas.width() != W || canvas.height() != H) canvas.resize(W, H);
    if (!combining) canvas.clear();
    if (observer) observer->started();

    UnitScheduler scheduler(synth, staging.data(), W);
    const unsigned helpers =
        static_cast<unsigned>(std::min<std::size_t>(threadCount(options) - 1, scheduler.unitCount()));
    auto scratch = synth.makeScratch();
    const int G = progressStep(W);
    const int F = refreshStep(W);
    int handedOver = 0; // columns [0, handedOver) have been handed to the observer
    int drawn = 0;
    bool stopped = false;
    {
        HelperThreads threads(scheduler, helpers);
        for (int x = 0; x < W; ++x) {
            scheduler.waitForColumn(x, scratch);
            commitColumn(staging.data() + static_cast<std::size_t>(x) * H, x, params.mode,
                         combining, canvas);
            drawn = x + 1;
            if (x % G == 0 && observer) {
                observer->title(progressTitle(x, W));
                if (observer->stopRequested()) {
                    stopped = true;
                    break;
                }
            }
            if (x % F == 0 && observer) {
                observer->columnsReady(handedOver, x + 1);
                handedOver = x + 1;
            }
        }
    }
    if (observer) {
        if (handedOver < drawn) observer->columnsReady(handedOver, drawn);
        observer->title(finishTitle(stopped));
    }
    return {stopped ? DrawOutcome::Stopped : DrawOutcome::Completed, drawn, std::nullopt};
}

} // namespace wavory
