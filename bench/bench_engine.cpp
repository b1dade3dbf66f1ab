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
// And redraws after one change, each drawing alternating between two values of it, as
// the window draws when values change (what the drawing before computed is kept):
//   build/bench/bench_engine --benchmark_filter='Fast_Plain|BM_Redraw'

#include "FirstWorkload.h"
#include "engine/DrawMain.h"
#include "engine/ReferenceRenderer.h"
#include "image/Thumbnail.h"

#include "common/WorkPool.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>

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

// One named change of the workload; the bool picks which of its two values.
using Change = void (*)(ParamFields&, GColor&, bool);

const std::pair<const char*, Change> kChanges[] = {
    {"phase", [](ParamFields& f, GColor&, bool b) { f.phase = b ? 50 : 0; }},
    {"colorset",
     [](ParamFields&, GColor& set, bool b) {
         if (b)
             std::swap(set.r, set.b);
     }},
    {"mode", [](ParamFields& f, GColor&, bool b) { f.mode = b ? DrawMode::Xor : DrawMode::Normal; }},
    {"frame", [](ParamFields& f, GColor&, bool b) { f.frame.enabled = b; }},
    {"bleed", [](ParamFields& f, GColor&, bool b) { f.bleed = b ? "40" : "20"; }},
    {"period",
     [](ParamFields& f, GColor&, bool b) { f.values[kPeriodSlot[0]] = b ? "61" : "60"; }},
    {"plusperiod",
     [](ParamFields& f, GColor&, bool b) { f.values[kPeriodSlot[5]] = b ? "91" : "90"; }},
    {"amplitude",
     [](ParamFields& f, GColor&, bool b) { f.values[kAmplitudeSlot[6]] = b ? "81" : "80"; }},
    {"center",
     [](ParamFields& f, GColor&, bool b) {
         if (b)
             f.center = {"3", "2"};
     }},
};

void runRedraw(benchmark::State& state, int side, Change change) {
    DrawParams params[2];
    GColor sets[2];
    for (int i = 0; i < 2; ++i) {
        ParamFields f = bench::firstWorkload({.side = side});
        sets[i] = rainbow();
        change(f, sets[i], i == 1);
        params[i] = takeDrawSnapshot(f);
    }
    Canvas canvas(side, side);
    DrawOptions options;
    options.noiseKey = 12345;
    forgetKeptTables();
    DrawMain(params[0], sets[0], canvas, nullptr, options);
    int next = 1;
    for (auto _ : state) {
        ++options.noiseKey; // as the window takes a fresh key for every drawing
        DrawMain(params[next], sets[next], canvas, nullptr, options);
        benchmark::DoNotOptimize(canvas.data());
        next = 1 - next;
    }
}

const bool kRedrawsRegistered = [] {
    for (const auto& [name, change] : kChanges)
        benchmark::RegisterBenchmark((std::string("BM_Redraw/3000/") + name).c_str(),
                                     [change = change](benchmark::State& s) {
                                         runRedraw(s, 3000, change);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MeasureProcessCPUTime();
    return true;
}();

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
