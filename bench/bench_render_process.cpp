// The whole renderer process against the engine's drawing alone, in one run: wavory-render
// draws the first workload (3000 x 3000, all eight components, the rainbow set) and
// writes it as a BMP file; the engine draws the same picture in this process (DrawMain,
// every core, nobody watching), as wavory-render does between reading and saving.
//   build/bench/bench_render_process [--benchmark_repetitions=5
//                                     --benchmark_enable_random_interleaving=true]
// The file goes to a fresh folder under $TMPDIR (or /tmp), replaced by every run as a
// user re-rendering would replace it, and the folder is removed at the end. The
// environment variable WAVORY_RENDER names another build of the renderer to run
// (before and after a change, in one run). BM_RenderProcessPngAtSize draws the workload
// at 3000 x 3000 and at 7680 x 4320 (--size) and saves PNG mode 0: compare the time
// per pixel (items_per_second).

#include "FirstWorkload.h"
#include "engine/DrawMain.h"
#include "io/ParamTextFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace wavory;

namespace {

// The parameter file of the first workload and the picture's name, in a folder of its
// own for the benchmark's run.
struct Files {
    Files() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/wavory-bench-XXXXXX";
        if (::mkdtemp(pattern.data()))
            folder = pattern;
        params = (folder / "first-workload.txt").string();
        picture = (folder / "first-workload.bmp").string();
        png = (folder / "first-workload.png").string();
        ok = !folder.empty() &&
             writeParamTextFile(params, bench::firstWorkload(), bench::rainbow().name).ok();
    }
    ~Files() {
        std::error_code ec;
        if (!folder.empty())
            std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    std::string params, picture, png;
    bool ok = false;
};

Files& files() {
    static Files f;
    return f;
}

void BM_EngineDraw(benchmark::State& state) {
    bench::drawEachIteration(state, bench::firstWorkload());
}

// Runs the renderer with these arguments (after the program) once per iteration.
void runRenderer(benchmark::State& state, std::vector<std::string> args) {
    const char* other = std::getenv("WAVORY_RENDER");
    args.insert(args.begin(), other && *other ? other : WAVORY_RENDER);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("wavory-render failed");
            return;
        }
    }
}

void BM_RenderProcessBmp(benchmark::State& state) {
    Files& f = files();
    if (!f.ok) {
        state.SkipWithError("no folder for the files");
        return;
    }
    runRenderer(state, {f.params, "-o", f.picture});
}

// The first workload drawn at W x H (--size) and saved as PNG in mode 0; items are
// pixels, so items_per_second compares the sizes per pixel (an 8K screen against the
// window's largest picture).
void BM_RenderProcessPngAtSize(benchmark::State& state) {
    Files& f = files();
    if (!f.ok) {
        state.SkipWithError("no folder for the files");
        return;
    }
    const std::int64_t w = state.range(0);
    const std::int64_t h = state.range(1);
    runRenderer(state, {f.params, "--size", std::to_string(w) + "x" + std::to_string(h), "-o",
                        f.png});
    state.SetItemsProcessed(state.iterations() * w * h);
}

} // namespace

BENCHMARK(BM_EngineDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RenderProcessBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RenderProcessPngAtSize)
    ->Args({3000, 3000})
    ->Args({7680, 4320})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

BENCHMARK_MAIN();
