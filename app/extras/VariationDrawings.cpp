#include "VariationDrawings.h"

#include "files/ImageSaving.h"

#include "common/WorkPool.h"
#include "engine/DrawMain.h"
#include "image/Thumbnail.h"
#include "history/DrawingHistory.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

namespace wavory {

namespace {

// Answers the drawing's stop question from the set's flag; shows nothing.
class StopFlag final : public DrawObserver {
  public:
    explicit StopFlag(const std::atomic<bool>& stop) : stop_(stop) {}
    bool stopRequested() override { return stop_.load(); }

  private:
    const std::atomic<bool>& stop_;
};

// The thumbnail of one job's picture; false when it could not be drawn.
std::pair<QImage, bool> drawThumbnail(const VariationDrawings::Job& job, const Canvas* background,
                                      const std::atomic<bool>& stop) {
    try {
        Canvas canvas;
        if (isCombiningMode(job.params.mode) && background)
            canvas = *background;
        StopFlag observer(stop);
        DrawOptions options;
        options.noiseKey = job.noiseKey;
        const DrawResult result = DrawMain(job.params, job.set, canvas, &observer, options);
        // A drawing that ends any other way is shown as failed, not left waiting.
        if (result.outcome != DrawOutcome::Completed)
            return {QImage(), false};
        return {canvasImage(makeThumbnail(canvas, kHistoryThumbnailSide)), true};
    } catch (const std::exception&) {
        return {QImage(), false};
    }
}

} // namespace

VariationDrawings::VariationDrawings(QObject* parent) : QObject(parent) {}

VariationDrawings::~VariationDrawings() {
    stop();
    waitForDone();
}

void VariationDrawings::waitForDone() {
    for (std::future<void>& task : tasks_)
        task.wait();
    tasks_.clear();
}

void VariationDrawings::stop() {
    if (stop_)
        stop_->store(true);
    stop_.reset();
    ++generation_;
    running_ = 0;
}

void VariationDrawings::start(const std::vector<Job>& jobs,
                              std::shared_ptr<const Canvas> background) {
    stop(); // jobs of the old set not begun yet end as they begin
    std::erase_if(tasks_, [](const std::future<void>& task) {
        return task.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    const int generation = generation_;
    running_ = static_cast<int>(jobs.size());
    // One after the other, each on every thread of the pool: one full-size picture is in
    // memory at a time, and the set waits behind a drawing already queued.
    tasks_.push_back(WorkPool::shared().submit([this, jobs, stop, background, generation] {
        for (const Job& job : jobs) {
            if (stop->load())
                return;
            std::pair<QImage, bool> drawn = drawThumbnail(job, background.get(), *stop);
            if (stop->load())
                return;
            QMetaObject::invokeMethod(
                this, [this, generation, index = job.index, drawn = std::move(drawn)] {
                    finished(generation, index, drawn.first, drawn.second);
                },
                Qt::QueuedConnection);
        }
    }));
}

void VariationDrawings::finished(int generation, int index, const QImage& thumbnail, bool ok) {
    if (generation != generation_)
        return;
    --running_;
    if (ok)
        Q_EMIT ready(index, thumbnail);
    else
        Q_EMIT failed(index);
}

} // namespace wavory
