// Saving a 3000 x 3000 drawing: JPEG at quality 100 and PNG in its three modes.

#include "io/clsTransG.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

constexpr int kSide = 3000;

// A drawing-like picture: a few cosine waves looked up in a four-point gradient.
const Canvas& pattern() {
    static const Canvas canvas = [] {
        const Rgb points[] = {{10, 20, 120}, {0, 200, 220}, {250, 240, 80}, {220, 30, 40}};
        Canvas c(kSide, kSide);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const double r = std::hypot(x - kSide * 0.4, y - kSide * 0.6);
                const double v =
                    (std::cos(x / 230.0 + y / 410.0) + std::cos(r / 170.0) + std::cos(y / 190.0)) /
                    3.0;
                const double t = (v + 1) / 2 * 3;
                const int i = std::min(2, static_cast<int>(t));
                const double f = t - i;
                auto mix = [f](std::uint8_t a, std::uint8_t b) {
                    return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
                };
                const Rgb a = points[i], b = points[i + 1];
                c.setPixel(x, y, {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
            }
        }
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
