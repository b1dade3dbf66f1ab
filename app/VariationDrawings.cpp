#include "VariationDrawings.h"

#include "ImageSaving.h"

#include "engine/DrawMain.h"
#include "image/Thumbnail.h"
#include "history/DrawingHistory.h"

#include <QThread>

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

VariationDrawings::VariationDrawings(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

VariationDrawings::~VariationDrawings() {
    stop();
    pool_.waitForDone();
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
    stop();
    pool_.clear(); // jobs of the old set not begun yet
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    const int generation = generation_;
    running_ = static_cast<int>(jobs.size());
    for (const Job& job : jobs) {
        pool_.start([this, job, stop, background, generation] {
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
        });
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
