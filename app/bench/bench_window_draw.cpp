// The drawing inside the window against the renderer's drawing of the same parameter
// file, in one run: the renderer's part is what wavory-render does between reading the
// file and saving (snapshot, DrawMain with a title observer); the window's part runs
// from the press of the draw button until the command returns, columns shown as they
// come; its counter to_final_title_ms is the part up to the final title.
//
//   bench_window_draw [PARAMFILE] [benchmark options]
// PARAMFILE defaults to samples/bench-power3.txt (3000 x 3000, all eight components).
// Without a display the offscreen platform is used. Both report the processor time of
// every thread of the process besides the real time: the window's part adds its own work
// (the undo image, the history's entry) to the drawing, whose arithmetic runs as fast as
// the renderer's.
//
// The window's run also reports its memory: the peak resident size over the program's
// base (the main and picture windows shown, the 200 x 200 start picture), in megabytes
// and in canvases of the drawn size, taken in the process's first run of it; alone in
// the process (--benchmark_filter=BM_WindowDraw) the peak is the window's own.

#include "WindowBenchMain.h"
#include "drawing/PictureDocument.h"
#include "drawing/PictureTitle.h"
#include "platform/UserDialogs.h"
#include "ProgramRoot.h"
#include "drawing/PictureWindow.h"

#include "colorsets/BuiltinColorSets.h"
#include "common/RandomSource.h"
#include "engine/DrawMain.h"
#include "io/ParamTextFile.h"

#include <QApplication>
#include <QMainWindow>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace {

std::string paramFileForTests = WAVORY_SOURCE_DIR "/samples/bench-power3.txt";

// Words each report as the picture window does.
class TitleOnly : public wavory::DrawObserver {
  public:
    void progress(int done, int total) override { last = wavory::progressTitle(done, total); }
    void finished(wavory::DrawOutcome outcome) override { last = wavory::finishTitle(outcome); }
    QString last;
};

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM"); 0 when not there.
double statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1));
    return 0;
}

// The peak resident size counts from now (the kernel's high-water mark is reset).
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct MemoryUse {
    double baseKb = 0;
    double peakKb = 0;
};
std::optional<MemoryUse> windowMemoryForTests; // the process's first window run

void BM_RendererDraw(benchmark::State& state) {
    using namespace wavory;
    ColorSetCollection sets;
    initColors(sets);
    ParamFields fields;
    if (!readParamTextFile(paramFileForTests, fields, sets.names()).ok()) {
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
        forgetKeptTables(); // whole drawings, as in the window's run
        DrawMain(params, set, canvas, &observer, options);
        benchmark::DoNotOptimize(canvas.data());
    }
}

void BM_WindowDraw(benchmark::State& state) {
    using namespace wavory;
    QtUserDialogs dialogs;
    auto main = std::make_unique<ProgramRoot>(dialogs, programRandom());
    main->settings().option.activeAfterDrawing = true;
    main->mainWindow()->show();
    main->picture()->show();
    QApplication::processEvents();
    const bool first = !windowMemoryForTests;
    MemoryUse memory;
    if (first) {
        resetPeakMemory();
        memory.baseKb = statusKilobytes("VmRSS");
    }
    if (!main->fileController().inputText(
            QString::fromStdString(paramFileForTests))) { // draws once
        state.SkipWithError("parameter file not readable");
        return;
    }
    // From the press to the final title, without what the program does after it.
    using Clock = std::chrono::steady_clock;
    Clock::time_point pressed;
    double toTitleMs = 0;
    const QString finalTitle = finishTitle(DrawOutcome::Completed);
    const auto titles =
        QObject::connect(main->picture(), &QWidget::windowTitleChanged, [&](const QString& title) {
            if (title == finalTitle)
                toTitleMs +=
                    std::chrono::duration<double, std::milli>(Clock::now() - pressed).count();
        });
    for (auto _ : state) {
        // Whole drawings: the same values again would find their tables computed.
        forgetKeptTables();
        pressed = Clock::now();
        main->drawCommand().run();
        benchmark::DoNotOptimize(main->document().canvas().data());
    }
    QObject::disconnect(titles);
    state.counters["to_final_title_ms"] = toTitleMs / static_cast<double>(state.iterations());
    if (first) {
        memory.peakKb = statusKilobytes("VmHWM");
        windowMemoryForTests = memory;
    }
    const Canvas& canvas = main->document().canvas();
    const double canvasKb = static_cast<double>(canvas.rowBytes()) * canvas.height() / 1024.0;
    const double overBase = windowMemoryForTests->peakKb - windowMemoryForTests->baseKb;
    state.counters["peak_over_base_MB"] = overBase / 1024.0;
    state.counters["peak_in_canvases"] = canvasKb > 0 ? overBase / canvasKb : 0;
    state.SetLabel(main->picture()->windowTitle().toStdString());
}

} // namespace

BENCHMARK(BM_RendererDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(3.0);
BENCHMARK(BM_WindowDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(3.0);

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv, paramFileForTests); }
