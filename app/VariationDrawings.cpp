#include "VariationDrawings.h"

#include "ImageSaving.h"

#include "common/WorkPool.h"
#include "engine/DrawMain.h"
#include "image/Thumbnail.h"
#include "history/DrawingHistory.h"

#include <algorithm>
#include <chrono>
#include <exception>

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
    for (const Job& job : jobs) {
        tasks_.push_back(WorkPool::shared().submit([this, job, stop, background, generation] {
            if (stop->load())
                return;
            QImage thumbnail;
            bool ok = true;
            try {
                Canvas canvas;
                if (isCombiningMode(job.params.mode) && background)
                    canvas = *background;
                StopFlag observer(*stop);
                DrawOptions options;
                options.threads = 1;
                options.noiseKey = job.noiseKey;
                const DrawResult result = DrawMain(job.params, job.set, canvas, &observer, options);
                if (stop->load())
                    return;
                // A drawing that ends any other way is shown as failed, not left waiting.
                ok = result.outcome == DrawOutcome::Completed;
                if (ok)
                    thumbnail = canvasImage(makeThumbnail(canvas, kHistoryThumbnailSide));
            } catch (const std::exception&) {
                ok = false;
            }
            QMetaObject::invokeMethod(
                this, [this, generation, index = job.index, thumbnail, ok] {
                    finished(generation, index, thumbnail, ok);
                },
                Qt::QueuedConnection);
        }));
    }
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
