// Reading color set files: a full collection of 50 twelve-point sets, and files with
// many sections (each lookup must read only its own section, so the time grows with the
// file's size, not with its square).

#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetFile.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace wavory;

namespace {

std::string fullCollectionFile() {
    std::string text = "[ColorSet]\r\nCount=50\r\n";
    for (int n = 0; n < 50; ++n) {
        text += "[ColorSet " + std::to_string(n) + "]\r\nColorSetName=set" + std::to_string(n) +
                "\r\nColorCount=12\r\nColorLevelCount=8\r\n";
        for (int i = 0; i < 12; ++i) {
            const std::string key = "Color " + std::to_string(i);
            text += key + "R=" + std::to_string((n * 7 + i) % 256) + "\r\n";
            text += key + "G=" + std::to_string((n * 11 + i) % 256) + "\r\n";
            text += key + "B=" + std::to_string((n * 13 + i) % 256) + "\r\n";
        }
    }
    return text;
}

// Sets that are all skipped (one point), so reading goes through every section.
std::string manySectionsFile(int sections) {
    std::string text;
    for (int n = 0; n < sections; ++n)
        text += "[ColorSet " + std::to_string(n) + "]\r\nColorSetName=x\r\nColorCount=1\r\n";
    return text;
}

void BM_ReadFullCollection(benchmark::State& state) {
    const std::string bytes = fullCollectionFile();
    for (auto _ : state) {
        ColorSetCollection sets;
        benchmark::DoNotOptimize(readColorSetsFromBytes(bytes, sets, false));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadFullCollection);

void BM_ReadManySections(benchmark::State& state) {
    const std::string bytes = manySectionsFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ColorSetCollection sets;
        benchmark::DoNotOptimize(readColorSetsFromBytes(bytes, sets, true));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadManySections)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

} // namespace

BENCHMARK_MAIN();
