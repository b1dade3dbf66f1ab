// Saving the engine's first workload (3000 x 3000) as JPEG at quality 100 and as PNG in
// its three modes; "bytes" is the size of the file written.
//   build/bench/bench_codec

#include "engine/DrawMain.h"
#include "io/clsTransG.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

constexpr int kSide = 3000;

// The engine's first workload: 3000 x 3000, all eight components on, the rainbow set.
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

ParamFields allComponents() {
    ParamFields f;
    f.width = kSide;
    f.height = kSide;
    f.componentOn.fill(true);
    const char* periods[] = {"60", "80", "100", "50", "70", "90", "4000", "3000", "1"};
    const int periodSlots[] = {0, 2, 4, 6, 8, 10, 12, 14, 16};
    for (int i = 0; i < 9; ++i)
        f.values[periodSlots[i]] = periods[i];
    const char* amplitudes[] = {"300", "250", "200", "150", "120", "100", "80", "60"};
    const int amplitudeSlots[] = {1, 3, 5, 7, 11, 13, 15, 17};
    for (int i = 0; i < 8; ++i)
        f.values[amplitudeSlots[i]] = amplitudes[i];
    f.values[9] = std::string("1");
    f.bleed = std::string("0");
    return f;
}

const Canvas& pattern() {
    static const Canvas canvas = [] {
        const DrawParams params = takeDrawSnapshot(allComponents());
        Canvas c(params.width, params.height);
        DrawOptions options;
        options.noiseKey = 12345;
        DrawMain(params, rainbow(), c, nullptr, options);
        return c;
    }();
    return canvas;
}

fs::path target(const char* name) {
    return fs::temp_directory_path() / ("wavory-bench-" + std::to_string(::getpid()) + name);
}

void reportSize(benchmark::State& state, const fs::path& file) {
    std::error_code ec;
    state.counters["bytes"] = static_cast<double>(fs::file_size(file, ec));
    fs::remove(file, ec);
}

void BM_SaveJpegQ100(benchmark::State& state) {
    const Canvas& picture = pattern();
    const fs::path file = target(".jpg");
    const clsTransG transG;
    for (auto _ : state) {
        if (transG.DCSaveJpeg(picture, file, 100, state.range(0) != 0) != 0)
            state.SkipWithError("save failed");
    }
    reportSize(state, file);
}
BENCHMARK(BM_SaveJpegQ100)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("progressive")
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_SavePng(benchmark::State& state) {
    const Canvas& picture = pattern();
    const fs::path file = target(".png");
    const clsTransG transG;
    for (auto _ : state) {
        if (transG.DCSavePNG(picture, file, static_cast<std::uint8_t>(state.range(0))) != 0)
            state.SkipWithError("save failed");
    }
    reportSize(state, file);
}
BENCHMARK(BM_SavePng)
    ->DenseRange(0, 2)
    ->ArgName("mode")
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
