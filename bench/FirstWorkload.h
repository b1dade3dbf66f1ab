#pragma once
// The benchmarks' first workload: all eight components on, the rainbow set; the side is the
// caller's (3000 for the engine and the codecs, 1000 for the animation). Optionally power 3,
// bleed 40 and a 40-pixel frame, the heavier second case.

#include "colorsets/GColor.h"
#include "engine/DrawMain.h"
#include "params/ParamFields.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace wavory::bench {

inline GColor rainbow() {
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

struct WorkloadOptions {
    int side = 3000;
    int power = 1;
    int bleed = 0;
    bool frame = false;
};

inline ParamFields firstWorkload(const WorkloadOptions& o = {}) {
    ParamFields f;
    f.width = o.side;
    f.height = o.side;
    f.componentOn.fill(true);
    const char* periods[] = {"60", "80", "100", "50", "70", "90", "4000", "3000", "1"};
    const int periodSlots[] = {0, 2, 4, 6, 8, 10, 12, 14, 16};
    for (int i = 0; i < 9; ++i)
        f.values[periodSlots[i]] = periods[i];
    const char* amplitudes[] = {"300", "250", "200", "150", "120", "100", "80", "60"};
    const int amplitudeSlots[] = {1, 3, 5, 7, 11, 13, 15, 17};
    for (int i = 0; i < 8; ++i)
        f.values[amplitudeSlots[i]] = amplitudes[i];
    f.values[9] = std::to_string(o.power); // a string: GCC 12 warns falsely on a literal at -O3
    f.bleed = std::to_string(o.bleed);
    f.frame.enabled = o.frame;
    f.frame.width = std::string("40");
    f.frame.height = std::string("40");
    f.frame.senmei = f.frame.shadow = f.frame.line = 25;
    f.frame.color = 0;
    return f;
}

// Draws the workload with the engine, every core, in each iteration of the benchmark; the
// observer, when given, watches as the picture window does.
inline void drawEachIteration(benchmark::State& state, const ParamFields& fields,
                              DrawObserver* observer = nullptr, bool keepTables = false) {
    const DrawParams params = takeDrawSnapshot(fields);
    const GColor set = rainbow();
    Canvas canvas(params.width, params.height);
    DrawOptions options;
    options.noiseKey = 12345;
    for (auto _ : state) {
        // A whole drawing each time, unless a redraw with the same tables is measured.
        if (!keepTables)
            forgetKeptTables();
        DrawMain(params, set, canvas, observer, options);
        benchmark::DoNotOptimize(canvas.data());
    }
}

} // namespace wavory::bench
