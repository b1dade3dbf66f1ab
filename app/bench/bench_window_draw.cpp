// The drawing inside the window against the renderer's drawing of the same parameter
// file, in one run: the renderer's part is what wavory-render does between reading the
// file and saving (snapshot, DrawMain with a title observer); the window's part runs
// from the press of the draw button to the final title, columns shown as they come.
//
//   bench_window_draw [PARAMFILE] [benchmark options]
// PARAMFILE defaults to samples/bench-power3.txt (3000 x 3000, all eight components).
// Without a display the offscreen platform is used.

#include "WindowBenchMain.h"
#include "UserDialogs.h"
#include "frmMain.h"
#include "frmPicture.h"

#include "colorsets/BuiltinColorSets.h"
#include "common/RandomSource.h"
#include "engine/DrawMain.h"
#include "io/ParamTextFile.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::string g_paramFile = WAVORY_SOURCE_DIR "/samples/bench-power3.txt";

class TitleOnly : public wavory::DrawObserver {
  public:
    void title(const std::string& text) override { last = text; }
    std::string last;
};

void BM_RendererDraw(benchmark::State& state) {
    using namespace wavory;
    ColorSetCollection sets;
    InitColors(sets);
    ParamFields fields;
    if (!readParamTextFile(g_paramFile, fields, sets.names()).ok()) {
        state.SkipWithError("parameter file not readable");
        return;
    }
    const DrawParams params = takeDrawSnapshot(fields);
    const GColor& set = sets.at(fields.colorSetIndex);
    Canvas canvas(params.width, params.height);
    for (auto _ : state) {
        DrawOptions options;
        options.noiseKey = programRandom().nextBits();
        TitleOnly observer;
        DrawMain(params, set, canvas, &observer, options);
        benchmark::DoNotOptimize(canvas.data());
    }
}

void BM_WindowDraw(benchmark::State& state) {
    using namespace wavory;
    QtUserDialogs dialogs;
    auto main = std::make_unique<frmMain>(dialogs, programRandom());
    main->settings().Option.ActiveAfterDrawing = true;
    main->show();
    if (!main->InputText(QString::fromStdString(g_paramFile))) { // draws once
        state.SkipWithError("parameter file not readable");
        return;
    }
    for (auto _ : state) {
        main->cmdDraw_Click();
        benchmark::DoNotOptimize(main->picture()->canvas().data());
    }
    state.SetLabel(main->picture()->windowTitle().toStdString());
}

} // namespace

BENCHMARK(BM_RendererDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_WindowDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv, g_paramFile); }
