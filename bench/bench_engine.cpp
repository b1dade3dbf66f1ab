// The synthesis on a 3000 x 3000 image, all eight components on: the fast engine
// (DrawMain, every core) against the plain one-thread evaluation (ReferenceRenderer).
//   build/bench/bench_engine --benchmark_filter=Plain
//   build/bench/bench_engine --benchmark_filter=PowerBleedFrame

#include "engine/DrawMain.h"
#include "engine/ReferenceRenderer.h"

#include <benchmark/benchmark.h>

using namespace wavory;

namespace {

GColor rainbow() {
    GColor set;
    set.name = "虹";
    set.colorCount = 7;
    set.colorLevelCount = 8;
    const std::int16_t r[] = {255, 255, 0, 0, 0, 255, 255};
    const std::int16_t g[] = {0, 255, 255, 255, 0, 0, 0};
    const std::int16_t b[] = {0, 0, 0, 255, 255, 255, 0};
    for (int i = 0; i < 7; ++i) {
        set.r[i] = r[i];
        set.g[i] = g[i];
        set.b[i] = b[i];
    }
    return set;
}

ParamFields allComponents(bool powerBleedFrame) {
    ParamFields f;
    f.width = 3000;
    f.height = 3000;
    f.componentOn.fill(true);
    const char* periods[] = {"60", "80", "100", "50", "70", "90", "4000", "3000", "1"};
    const int periodSlots[] = {0, 2, 4, 6, 8, 10, 12, 14, 16};
    for (int i = 0; i < 9; ++i)
        f.values[periodSlots[i]] = periods[i];
    const char* amplitudes[] = {"300", "250", "200", "150", "120", "100", "80", "60"};
    const int amplitudeSlots[] = {1, 3, 5, 7, 11, 13, 15, 17};
    for (int i = 0; i < 8; ++i)
        f.values[amplitudeSlots[i]] = amplitudes[i];
    f.values[9] = std::string(powerBleedFrame ? "3" : "1");
    f.bleed = std::string(powerBleedFrame ? "40" : "0");
    f.frame.enabled = powerBleedFrame;
    f.frame.width = std::string("40");
    f.frame.height = std::string("40");
    f.frame.senmei = f.frame.shadow = f.frame.line = 25;
    f.frame.color = 0;
    return f;
}

void runFast(benchmark::State& state, bool powerBleedFrame) {
    const DrawParams params = takeDrawSnapshot(allComponents(powerBleedFrame));
    const GColor set = rainbow();
    Canvas canvas(params.width, params.height);
    DrawOptions options;
    options.noiseKey = 12345;
    for (auto _ : state) {
        DrawMain(params, set, canvas, nullptr, options);
        benchmark::DoNotOptimize(canvas.data());
    }
}

// As the picture window draws: progress titles, stop questions and hand-overs.
void runObserved(benchmark::State& state, bool powerBleedFrame) {
    const DrawParams params = takeDrawSnapshot(allComponents(powerBleedFrame));
    const GColor set = rainbow();
    Canvas canvas(params.width, params.height);
    DrawObserver observer;
    DrawOptions options;
    options.noiseKey = 12345;
    for (auto _ : state) {
        DrawMain(params, set, canvas, &observer, options);
        benchmark::DoNotOptimize(canvas.data());
    }
}

void runPlain(benchmark::State& state, bool powerBleedFrame) {
    const DrawParams params = takeDrawSnapshot(allComponents(powerBleedFrame));
    const GColor set = rainbow();
    Canvas canvas(params.width, params.height);
    for (auto _ : state) {
        ReferenceRenderer::render(params, set, 12345, canvas);
        benchmark::DoNotOptimize(canvas.data());
    }
}

void BM_Fast_Plain(benchmark::State& s) {
    runFast(s, false);
}
void BM_FastObserved_Plain(benchmark::State& s) {
    runObserved(s, false);
}
void BM_Reference_Plain(benchmark::State& s) {
    runPlain(s, false);
}
void BM_Fast_PowerBleedFrame(benchmark::State& s) {
    runFast(s, true);
}
void BM_Reference_PowerBleedFrame(benchmark::State& s) {
    runPlain(s, true);
}

} // namespace

// Real time, and the CPU time of every thread of the process: on a shared machine the
// second tells the work apart from the waiting.
BENCHMARK(BM_Fast_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_FastObserved_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Reference_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Fast_PowerBleedFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Reference_PowerBleedFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

BENCHMARK_MAIN();
