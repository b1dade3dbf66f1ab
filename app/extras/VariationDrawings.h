#pragma once
// VariationDrawings: draws the variations' pictures off the user-interface thread on the
// work pool, one after the other on all its threads, queued behind the work already there
// (a drawing in the main window goes first), and hands each thumbnail over as soon as its
// drawing has finished. Starting a new set or
// stopping ends the drawings of the old one at their next check; their pictures are
// never shown.
//
// Each picture is drawn at the full image size and then shrunk: the thumbnail is the
// picture the main window would draw, which no drawing at a smaller size gives (the plus
// and ripple components do not scale with the image).

#include "colorsets/GColor.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <QImage>
#include <QObject>

#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <vector>

namespace wavory {

class VariationDrawings : public QObject {
    Q_OBJECT
  public:
    struct Job {
        int index = 0;
        DrawParams params;
        GColor set;
        std::uint64_t noiseKey = 0;
    };
    explicit VariationDrawings(QObject* parent = nullptr);
    ~VariationDrawings() override; // stops the drawings and waits for them

    // Starts the jobs after stopping the earlier ones. AND, OR and XOR drawings combine
    // with `background` (the picture on screen), as they would in the main window.
    void start(const std::vector<Job>& jobs, std::shared_ptr<const Canvas> background);
    void stop();
    // Drawings of the current set still running.
    int running() const { return running_; }
    // Waits until no drawing of any set runs any more (tests, exit).
    void waitForDone();

  Q_SIGNALS:
    // The thumbnail of job `index` of the current set.
    void ready(int index, const QImage& thumbnail);
    // Job `index` of the current set could not be drawn (out of memory).
    void failed(int index);

  private:
    void finished(int generation, int index, const QImage& thumbnail, bool ok);

    std::vector<std::future<void>> tasks_; // of every set, until they have ended
    std::shared_ptr<std::atomic<bool>> stop_;
    int generation_ = 0;
    int running_ = 0;
};

} // namespace wavory
