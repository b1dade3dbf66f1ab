// Drawing as values change, from the change to what the picture window shows, against
// the renderer's drawing of the same values in the same run (what wavory-render does
// between reading a file and saving: snapshot, DrawMain with a title observer, nothing
// kept from an earlier drawing).
//
//   bench_live [PARAMFILE] [benchmark options]
// PARAMFILE defaults to samples/bench-power1.txt (3000 x 3000, all eight components, power
// 1, no bleed); samples/bench-power3.txt (power 3, bleed, frame) is the heavier case.
// Without a display the offscreen platform is used.
//
// BM_LiveChange/SIZE/KIND: one change per iteration (KIND: a period field stepped by the
// wheel's rule, the phase, the color set), drawn by the option "値の変更と同時に描画" at
// SIZE x SIZE. Counters, medians over the iterations, in milliseconds:
//   to_preview_ms  the change to the first painting of the preview (the change to the
//                  exact picture when the size gets no preview)
//   to_exact_ms    the change to the final title of the completed drawing
//   renderer_ms    the renderer's drawing of the same values: a whole drawing, the kept
//                  tables forgotten first (forgetKeptTables()); measured after the changes,
//                  in a phase of its own, so that it does not wipe what the live drawings
//                  keep from one change to the next
// BM_LiveDrag/3000: the center dragged across the picture for 2 s, a pointer move every
// 8 ms, then released; pictures_shown counts the pictures painted (previews and completed
// drawings), last_exact is 1 when the picture standing at the end is the renderer's.

#include "WindowBenchMain.h"
#include "ProgramRoot.h"
#include "colors/ColorSetController.h"
#include "drawing/DrawOnChange.h"
#include "drawing/DrawSession.h"
#include "drawing/PictureDocument.h"
#include "drawing/PictureTitle.h"
#include "drawing/PictureView.h"
#include "drawing/PictureWindow.h"
#include "files/FileController.h"
#include "platform/UserDialogs.h"
#include "values/ParamController.h"

#include "colorsets/ColorSetCollection.h"
#include "common/RandomSource.h"
#include "engine/DrawMain.h"
#include "io/AppSettings.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace wavory;
using Clock = std::chrono::steady_clock;

std::string paramFileForTests = WAVORY_SOURCE_DIR "/samples/bench-power1.txt";

double msSince(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

class TitleOnly : public DrawObserver {
  public:
    void progress(int done, int total) override { last = progressTitle(done, total); }
    void finished(DrawOutcome outcome) override { last = finishTitle(outcome); }
    QString last;
};

// Notes the first painting of the view after each new picture: a preview shown or a
// drawing completed (its final title). The time is taken once the event loop is back
// from the painting.
class ShownPictures : public QObject {
  public:
    explicit ShownPictures(ProgramRoot& root) : view_(*root.picture()->picMain()) {
        view_.installEventFilter(this);
        const QString preview = previewTitle();
        const QString final = finishTitle(DrawOutcome::Completed);
        connect(root.picture(), &QWidget::windowTitleChanged, this, [=, this](const QString& t) {
            if (t == preview || t == final) {
                waiting_ = true;
                if (t == final)
                    exactAt = Clock::now();
            }
        });
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && waiting_) {
            waiting_ = false;
            QMetaObject::invokeMethod(
                this,
                [this, epoch = epoch_] {
                    if (epoch != epoch_)
                        return; // painted before reset()
                    ++shown;
                    if (!firstAt)
                        firstAt = Clock::now();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    void reset() {
        firstAt.reset();
        shown = 0;
        waiting_ = false;
        ++epoch_;
    }

    std::optional<Clock::time_point> firstAt; // the first picture painted since reset()
    Clock::time_point exactAt;                // the last final title
    int shown = 0;

  private:
    PictureView& view_;
    bool waiting_ = false;
    int epoch_ = 0;
};

std::unique_ptr<ProgramRoot> liveProgram(QtUserDialogs& dialogs, int size) {
    auto root = std::make_unique<ProgramRoot>(dialogs, programRandom());
    root->settings().option.activeAfterDrawing = true;
    root->mainWindow()->show();
    root->picture()->show();
    QApplication::processEvents();
    if (!root->fileController().inputText(QString::fromStdString(paramFileForTests)))
        return nullptr;
    if (root->params().fields().width != size) {
        root->params().setImageSize(size, size);
        root->drawCommand().run();
    }
    root->settings().option.drawOnChange = true;
    return root;
}

void settle(ProgramRoot& root) {
    while (root.drawOnChange().isPending() || root.drawSession().isDrawing())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents(); // the paint after the last title
}

// Settled, and the picture that stands recorded in the history (outside the time taken).
void settleAndRecord(ProgramRoot& root) {
    settle(root);
    root.drawOnChange().recordNow();
}

// What the program held after a change.
struct Values {
    DrawParams params;
    GColor set;
};

Values heldValues(ProgramRoot& root) {
    return {takeDrawSnapshot(root.params().fields()), *root.colorSets().selectedSet()};
}

// The renderer's whole drawing of the values, nothing kept from an earlier drawing.
double rendererMs(const Values& values, Canvas& canvas) {
    forgetKeptTables();
    DrawOptions options;
    options.noiseKey = programRandom().nextBits();
    TitleOnly observer;
    const auto start = Clock::now();
    DrawMain(values.params, values.set, canvas, &observer, options);
    return msSince(start);
}

enum class Change { Period, Phase, ColorSet };

void change(ProgramRoot& root, Change kind, int i) {
    const int direction = i % 2 == 0 ? +1 : -1;
    switch (kind) {
    case Change::Period: // the vertical component's period, a wheel notch up or down
        root.params().command([=](ParamModel& m) { m.stepValue(0, direction, false); });
        break;
    case Change::Phase:
        root.params().edit([=](ParamModel& m) { m.setPhase(m.fields().phase + direction); });
        break;
    case Change::ColorSet: {
        ColorSetCollection& sets = root.colorSets();
        sets.select((sets.selectedIndex() + 1) % sets.colorSetCount());
        break;
    }
    }
}

void BM_LiveChange(benchmark::State& state, int size, Change kind) {
    QtUserDialogs dialogs;
    auto root = liveProgram(dialogs, size);
    if (!root) {
        state.SkipWithError("parameter file not readable");
        return;
    }
    ShownPictures shown(*root);
    Canvas rendered;
    std::vector<double> toPreview, toExact, renderer;
    std::vector<Values> changed;
    int i = 0;
    for (auto _ : state) {
        shown.reset();
        const auto start = Clock::now();
        change(*root, kind, i++);
        settle(*root);
        const double exact = std::chrono::duration<double, std::milli>(shown.exactAt - start).count();
        root->drawOnChange().recordNow();
        const double first =
            shown.firstAt ? std::chrono::duration<double, std::milli>(*shown.firstAt - start).count()
                          : exact;
        toPreview.push_back(std::min(first, exact));
        toExact.push_back(exact);
        changed.push_back(heldValues(*root));
        state.SetIterationTime(exact / 1000.0);
    }
    for (const Values& values : changed)
        renderer.push_back(rendererMs(values, rendered));
    state.counters["to_preview_ms"] = median(toPreview);
    state.counters["to_exact_ms"] = median(toExact);
    state.counters["renderer_ms"] = median(renderer);
    state.counters["exact_per_renderer"] = median(toExact) / std::max(median(renderer), 1e-9);
}

void BM_LiveDrag(benchmark::State& state, int size) {
    QtUserDialogs dialogs;
    auto root = liveProgram(dialogs, size);
    if (!root) {
        state.SkipWithError("parameter file not readable");
        return;
    }
    ShownPictures shown(*root);
    PictureView* view = root->picture()->picMain();
    const auto mouse = [view](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        const QPointF local = at + QPoint(PictureView::kBorder, PictureView::kBorder);
        QMouseEvent e(type, local, view->mapToGlobal(local), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(view, &e);
    };
    // The values, the set and the bleed noise of the last completed drawing.
    ParamFields drawnFields;
    GColor drawnSet;
    std::uint64_t drawnNoise = 0;
    QObject::connect(&root->drawOnChange(), &DrawOnChange::pictureDrawn,
                     [&](const ParamFields& f, const GColor& set, std::uint64_t noise) {
                         drawnFields = f;
                         drawnSet = set;
                         drawnNoise = noise;
                     });
    constexpr int kMoves = 250; // 2 s at 8 ms
    double lastExact = 1;
    double pictures = 0;
    for (auto _ : state) {
        shown.reset();
        const QPoint from(size / 4, size / 3);
        const QPoint to(3 * size / 4, 2 * size / 3);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        int moved = 0;
        QTimer pointer;
        pointer.setInterval(8);
        pointer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pointer, &QTimer::timeout, [&] {
            ++moved;
            mouse(QEvent::MouseMove, from + (to - from) * moved / kMoves, Qt::LeftButton);
            if (moved == kMoves) {
                pointer.stop();
                mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
            }
        });
        pointer.start();
        while (moved < kMoves)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        settleAndRecord(*root);
        pictures += shown.shown;
        Canvas exact;
        DrawOptions options;
        options.noiseKey = drawnNoise;
        DrawMain(takeDrawSnapshot(drawnFields), drawnSet, exact, nullptr, options);
        if (!(drawnFields == root->params().fields()) || !(exact == root->document().canvas()) ||
            root->picture()->windowTitle() != finishTitle(DrawOutcome::Completed))
            lastExact = 0;
    }
    state.counters["pictures_shown"] = pictures / static_cast<double>(state.iterations());
    state.counters["last_exact"] = lastExact;
}

const bool registered = [] {
    const std::pair<const char*, Change> kinds[] = {
        {"period", Change::Period}, {"phase", Change::Phase}, {"colorset", Change::ColorSet}};
    for (int size : {3000, 1000})
        for (const auto& [name, kind] : kinds)
            benchmark::RegisterBenchmark(
                ("BM_LiveChange/" + std::to_string(size) + "/" + name).c_str(),
                [size, kind = kind](benchmark::State& s) { BM_LiveChange(s, size, kind); })
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(30);
    benchmark::RegisterBenchmark("BM_LiveDrag/3000",
                                 [](benchmark::State& s) { BM_LiveDrag(s, 3000); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    return true;
}();

} // namespace

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv, paramFileForTests); }
