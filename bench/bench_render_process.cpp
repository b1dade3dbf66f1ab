// The whole renderer process against the engine's drawing alone, in one run: wavory-render
// draws the first workload (3000 x 3000, all eight components, the rainbow set) and
// writes it as a BMP file; the engine draws the same picture in this process (DrawMain,
// every core, nobody watching), as wavory-render does between reading and saving.
//   build/bench/bench_render_process [--benchmark_repetitions=5
//                                     --benchmark_enable_random_interleaving=true]
// The file goes to a fresh folder under $TMPDIR (or /tmp), replaced by every run as a
// user re-rendering would replace it, and the folder is removed at the end. The
// environment variable WAVORY_RENDER names another build of the renderer to run
// (before and after a change, in one run).

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
        ok = !folder.empty() &&
             writeParamTextFile(params, bench::firstWorkload(), bench::rainbow().name).ok();
    }
    ~Files() {
        std::error_code ec;
        if (!folder.empty())
            std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    std::string params, picture;
    bool ok = false;
};

Files& files() {
    static Files f;
    return f;
}

void BM_EngineDraw(benchmark::State& state) {
    bench::drawEachIteration(state, bench::firstWorkload());
}

void BM_RenderProcessBmp(benchmark::State& state) {
    Files& f = files();
    if (!f.ok) {
        state.SkipWithError("no folder for the files");
        return;
    }
    const char* other = std::getenv("WAVORY_RENDER");
    std::string program = other && *other ? other : WAVORY_RENDER;
    std::string output = "-o";
    char* argv[] = {program.data(), f.params.data(), output.data(), f.picture.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("wavory-render failed");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_EngineDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RenderProcessBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
