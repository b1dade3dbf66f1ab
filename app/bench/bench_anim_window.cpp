// The animation window's creation against as many drawings in the window: 100 frames of
// 1000 x 1000 at phases 0 to 99, made into the window's frame store and shown as they
// come, against 100 presses of the draw button with the phase moved by one each time.
// Both draw through the draw session with the picture window showing the columns.
//
//   bench_anim_window [PARAMFILE] [benchmark options]
// PARAMFILE defaults to samples/bench-power1.txt (all eight components, power 1, no
// bleed, no frame); the image is set to 1000 x 1000. Without a display the offscreen
// platform is used.

#include "WindowBenchMain.h"
#include "animation/AnimFrames.h"
#include "drawing/PictureDocument.h"
#include "ProgramRoot.h"
#include "platform/UserDialogs.h"
#include "animation/AnimationWindow.h"
#include "drawing/PictureWindow.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QMainWindow>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::string paramFileForTests = WAVORY_SOURCE_DIR "/samples/bench-power1.txt";
constexpr int kFrames = 100;
constexpr int kSide = 1000;

std::unique_ptr<wavory::ProgramRoot> loadedWindow(wavory::UserDialogs& dialogs,
                                                  benchmark::State& state) {
    using namespace wavory;
    auto program = std::make_unique<ProgramRoot>(dialogs, programRandom());
    program->mainWindow()->show();
    if (!program->fileController().inputText(
            QString::fromStdString(paramFileForTests))) { // draws once
        state.SkipWithError("parameter file not readable");
        return nullptr;
    }
    program->params().setImageSize(kSide, kSide);
    return program;
}

void BM_WindowDrawings(benchmark::State& state) {
    using namespace wavory;
    QtUserDialogs dialogs;
    auto main = loadedWindow(dialogs, state);
    if (!main)
        return;
    for (auto _ : state) {
        for (int phase = 0; phase < kFrames; ++phase) {
            main->params().command([phase](ParamModel& m) { m.setPhase(phase); });
            main->drawCommand().run();
        }
        benchmark::DoNotOptimize(main->document().canvas().data());
    }
    state.counters["frames"] = kFrames;
}

void BM_AnimationIntoStore(benchmark::State& state) {
    using namespace wavory;
    QtUserDialogs dialogs;
    auto main = loadedWindow(dialogs, state);
    if (!main)
        return;
    AnimationWindow* anim = main->animWindow();
    anim->show();
    anim->findChild<QLineEdit*>(QStringLiteral("txtIsoFrom"))->setText(QStringLiteral("0"));
    // Set by the program, not typed: 0 to 100 in 100 frames are the phases 0 to 99.
    anim->findChild<QLineEdit*>(QStringLiteral("txtIsoTo"))->setText(QStringLiteral("100"));
    anim->findChild<QLineEdit*>(QStringLiteral("txtFrame"))->setText(QString::number(kFrames));
    auto* create = anim->findChild<QPushButton*>(QStringLiteral("cmdDraw"));
    for (auto _ : state) {
        create->click();
        if (anim->frame != kFrames) {
            state.SkipWithError("the animation was not completed");
            return;
        }
    }
    state.counters["frames"] = kFrames;
    state.counters["storeMB"] =
        static_cast<double>(anim->frames().store().memoryBytes()) / (1024.0 * 1024.0);
    state.SetLabel(anim->frames().held() == kFrames ? "100 frames held" : "frames missing");
}

} // namespace

BENCHMARK(BM_WindowDrawings)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_AnimationIntoStore)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv, paramFileForTests); }
