// The synthesis on a 3000 x 3000 image, all eight components on: the fast engine
// (DrawMain, every core) against the plain one-thread evaluation (ReferenceRenderer).
//   build/bench/bench_engine --benchmark_filter=Plain
//   build/bench/bench_engine --benchmark_filter=PowerBleedFrame
// And a redraw whose tables are kept from the drawing before (another phase or color
// set, say), and one variation's thumbnail: the full picture on one thread, shrunk to 128 pixels.
//   build/bench/bench_engine --benchmark_filter='Plain|Redraw'
//   build/bench/bench_engine --benchmark_filter=VariationThumbnail
// And the observed drawing on threads that ran wide vector code first, as the window's
// threads do after the toolkit's drawing: it must take the time of the plain observed one.
//   build/bench/bench_engine --benchmark_filter=Observed

#include "FirstWorkload.h"
#include "engine/DrawMain.h"
#include "engine/ReferenceRenderer.h"
#include "image/Thumbnail.h"

#include "common/WorkPool.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

using namespace wavory;

namespace {

using bench::rainbow;

ParamFields allComponents(bool powerBleedFrame) {
    return bench::firstWorkload({.side = 3000,
                                 .power = powerBleedFrame ? 3 : 1,
                                 .bleed = powerBleedFrame ? 40 : 0,
                                 .frame = powerBleedFrame});
}

void runFast(benchmark::State& state, bool powerBleedFrame) {
    bench::drawEachIteration(state, allComponents(powerBleedFrame));
}

// As the picture window draws: progress reports, stop questions and hand-overs.
void runObserved(benchmark::State& state, bool powerBleedFrame) {
    DrawObserver observer;
    bench::drawEachIteration(state, allComponents(powerBleedFrame), &observer);
}

// Leaves the upper halves of the calling thread's vector registers in use, as code built for
// AVX does that returns without clearing them.
void dirtyUpperVectorState() {
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx")) {
        const double one = 1.0;
        asm volatile("vbroadcastsd %0, %%ymm8" : : "m"(one) : "xmm8");
    }
#endif
}

// An observer whose every call runs such code, as the window's does.
class WideVectorObserver : public DrawObserver {
  public:
    void progress(int, int) override { dirtyUpperVectorState(); }
    void columnsReady(int, int) override { dirtyUpperVectorState(); }
};

void runObservedAfterWideVectors(benchmark::State& state) {
    // Every pool thread too (each takes a part while the others sleep in theirs).
    WorkPool::shared().forEach(4 * WorkPool::shared().threadCount() + 4, 0,
                               [](std::size_t, unsigned) {
                                   dirtyUpperVectorState();
                                   std::this_thread::sleep_for(std::chrono::milliseconds(2));
                               });
    dirtyUpperVectorState();
    WideVectorObserver observer;
    bench::drawEachIteration(state, allComponents(false), &observer);
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

void BM_VariationThumbnail(benchmark::State& state) {
    const DrawParams params = takeDrawSnapshot(allComponents(false));
    const GColor set = rainbow();
    Canvas canvas(params.width, params.height);
    DrawObserver observer;
    DrawOptions options;
    options.threads = 1;
    for (auto _ : state) {
        forgetKeptTables(); // each variation has values of its own
        DrawMain(params, set, canvas, &observer, options);
        benchmark::DoNotOptimize(makeThumbnail(canvas, 128).data());
    }
}

void BM_Fast_Plain(benchmark::State& s) {
    runFast(s, false);
}
void BM_FastObserved_Plain(benchmark::State& s) {
    runObserved(s, false);
}
void BM_FastObservedAfterWideVectors_Plain(benchmark::State& s) {
    runObservedAfterWideVectors(s);
}
void BM_FastRedraw_Plain(benchmark::State& s) {
    bench::drawEachIteration(s, allComponents(false), nullptr, true);
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
BENCHMARK(BM_FastObservedAfterWideVectors_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_FastRedraw_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Reference_Plain)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Fast_PowerBleedFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Reference_PowerBleedFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

BENCHMARK(BM_VariationThumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
