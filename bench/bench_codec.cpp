// Saving the engine's first workload (3000 x 3000) as JPEG at quality 100 and as PNG in
// its three modes; "bytes" is the size of the file written.
//   build/bench/bench_codec

#include "FirstWorkload.h"
#include "engine/DrawMain.h"
#include "io/PictureCodec.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

constexpr int kSide = 3000;

using bench::rainbow;

// The first workload, 3000 x 3000.
ParamFields allComponents() { return bench::firstWorkload({.side = kSide}); }

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
    const PictureCodec transG;
    for (auto _ : state) {
        if (transG.saveJpeg(picture, file, 100, state.range(0) != 0) != 0)
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
    const PictureCodec transG;
    for (auto _ : state) {
        if (transG.savePng(picture, file, static_cast<std::uint8_t>(state.range(0))) != 0)
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
