// Animation frames: 100 frames of 1000 x 1000 (all eight components, the first workload
// of bench_engine) at phases 0..99, made and written as a numbered BMP series, against
// 100 separate drawings written the same way; and 300 frames of 2000 x 2000 made into
// the frame store with the default budget (run under /usr/bin/time -v for the peak
// resident memory).
//   build/bench/bench_anim --benchmark_filter='Series|Make'
//   /usr/bin/time -v build/bench/bench_anim --benchmark_filter=Store300/0
//   /usr/bin/time -v build/bench/bench_anim --benchmark_filter=Store300Bleed/0
//   /usr/bin/time -v build/bench/bench_anim --benchmark_filter=Store300Bleed/512
// The same 100 frames as one MP4 (argument 0) or WebM (1) video at the default quality,
// against the animated WebP of them; the counters give the sizes and the PSNR of every
// decoded frame against the frame drawn (psnr_*) and against that frame after the
// yuv420p conversion alone (codec_psnr_*: what the encoder itself loses), in one run:
//   build/bench/bench_anim --benchmark_filter='Series_AnimFrames/0/1|Video|WebP'
// WAVORY_BENCH_DIR names the folder the BMP files go to (default: the temporary folder).

#include "FirstWorkload.h"
#include "anim/AnimFrameMaker.h"
#include "anim/FrameFileWriting.h"
#include "anim/FrameSeriesNames.h"
#include "anim/FrameSeriesWriter.h"
#include "anim/AnimatedFile.h"
#include "anim/FrameStore.h"
#include "anim/VideoFile.h"
#include "engine/DrawMain.h"

#include "../tests/VideoReading.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <stdlib.h>

using namespace wavory;

namespace {

using bench::rainbow;

DrawParams allComponents(int side, int bleed = 0) {
    return takeDrawSnapshot(bench::firstWorkload({.side = side, .bleed = bleed}));
}

// A fresh folder for the series, removed afterwards.
class SeriesFolder {
  public:
    SeriesFolder() {
        const char* base = std::getenv("WAVORY_BENCH_DIR");
        std::string pattern =
            ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
             "wavory-anim-XXXXXX")
                .string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create " + pattern);
        path_ = pattern;
    }
    ~SeriesFolder() { std::filesystem::remove_all(path_); }
    std::string base() const { return (path_ / "anim").string(); }

  private:
    std::filesystem::path path_;
};

constexpr int kFrames = 100;

// Writes frame k of the series: one file after the other, or through the series writer
// (argument 1 of each benchmark).
class Series {
  public:
    Series(const SeriesFolder& folder, benchmark::State& state)
        : folder_(folder), state_(state), threaded_(state.range(1) != 0) {}
    void write(int k, const Canvas& canvas) {
        const std::string name = frameFileName(folder_.base(), k + 1, 3);
        if (!(threaded_ ? writer_.write(name, canvas) : writeFrameBmp(name, canvas)).ok())
            state_.SkipWithError("cannot write a frame");
    }
    void finish() {
        if (!writer_.finish().ok())
            state_.SkipWithError("cannot write a frame");
    }

  private:
    const SeriesFolder& folder_;
    benchmark::State& state_;
    bool threaded_;
    FrameSeriesWriter writer_;
};

void BM_Series_AnimFrames(benchmark::State& state) {
    const DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    const SeriesFolder folder;
    DrawObserver watching;
    DrawObserver* observer = state.range(0) ? &watching : nullptr;
    for (auto _ : state) {
        AnimFrameMaker maker(params, set, {});
        Canvas canvas;
        Series series(folder, state);
        for (int k = 0; k < kFrames; ++k) {
            maker.draw(k, canvas, observer);
            series.write(k, canvas);
        }
        series.finish();
    }
    state.counters["frames"] = kFrames;
}

void BM_Series_SeparateDrawings(benchmark::State& state) {
    DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    const SeriesFolder folder;
    DrawObserver watching;
    DrawObserver* observer = state.range(0) ? &watching : nullptr;
    for (auto _ : state) {
        Canvas canvas;
        Series series(folder, state);
        for (int k = 0; k < kFrames; ++k) {
            params.phase = k;
            DrawMain(params, set, canvas, observer);
            series.write(k, canvas);
        }
        series.finish();
    }
    state.counters["frames"] = kFrames;
}

// The frames alone, nothing written: recoloured frames against full drawings.
void BM_Make_AnimFrames(benchmark::State& state) {
    const DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    DrawObserver watching;
    DrawObserver* observer = state.range(0) ? &watching : nullptr;
    for (auto _ : state) {
        AnimFrameMaker maker(params, set, {});
        Canvas canvas;
        for (int k = 0; k < kFrames; ++k)
            maker.draw(k, canvas, observer);
        benchmark::DoNotOptimize(canvas.data());
    }
}

void BM_Make_SeparateDrawings(benchmark::State& state) {
    DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    DrawObserver watching;
    DrawObserver* observer = state.range(0) ? &watching : nullptr;
    for (auto _ : state) {
        Canvas canvas;
        for (int k = 0; k < kFrames; ++k) {
            params.phase = k;
            DrawMain(params, set, canvas, observer);
        }
        benchmark::DoNotOptimize(canvas.data());
    }
}

// 300 frames of 2000 x 2000 (3.6 GB raw) into a store with the default budget, or with
// the budget in MiB given as the argument.
void storeFrames(benchmark::State& state, int bleed) {
    const DrawParams params = allComponents(2000, bleed);
    const GColor set = rainbow();
    for (auto _ : state) {
        FrameStoreLimits limits = defaultFrameStoreLimits();
        if (state.range(0) > 0)
            limits.memoryBudget = static_cast<std::size_t>(state.range(0)) << 20;
        FrameStore store(limits);
        AnimFrameMaker maker(params, set, {});
        if (!maker.reserve(store, 300).ok())
            state.SkipWithError("refused");
        Canvas canvas;
        for (int k = 0; k < 300; ++k) {
            maker.draw(k % 100, canvas);
            if (!maker.store(store, k, canvas).ok())
                state.SkipWithError("cannot store a frame");
        }
        if (!store.flush().ok())
            state.SkipWithError("cannot store a frame");
        state.counters["budget_MB"] = static_cast<double>(store.limits().memoryBudget) / 1048576.0;
        state.counters["memory_MB"] = static_cast<double>(store.memoryBytes()) / 1048576.0;
        state.counters["spilled_MB"] = static_cast<double>(store.spilledBytes()) / 1048576.0;
    }
}

void BM_Store300(benchmark::State& state) {
    storeFrames(state, 0);
}
void BM_Store300Bleed(benchmark::State& state) {
    storeFrames(state, 40);
}

// The picture after yuv420p and back, as the video's encoder receives it.
Canvas throughYuv420(const Canvas& picture) {
    const int w = picture.width(), h = picture.height();
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    SwsContext* to = sws_getContext(w, h, AV_PIX_FMT_RGB24, w, h, AV_PIX_FMT_YUV420P,
                                    SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    SwsContext* back =
        sws_getContext(w, h, AV_PIX_FMT_YUV420P, w, h, AV_PIX_FMT_RGB24,
                       SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                       nullptr);
    sws_setColorspaceDetails(to, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    sws_setColorspaceDetails(back, bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
    AVFrame* yuv = av_frame_alloc();
    yuv->format = AV_PIX_FMT_YUV420P;
    yuv->width = w;
    yuv->height = h;
    av_frame_get_buffer(yuv, 0);
    Canvas out(w, h);
    const std::uint8_t* in[1] = {picture.data()};
    std::uint8_t* rgb[1] = {out.data()};
    const int stride[1] = {static_cast<int>(picture.rowBytes())};
    sws_scale(to, in, stride, 0, h, yuv->data, yuv->linesize);
    sws_scale(back, yuv->data, yuv->linesize, 0, h, rgb, stride);
    av_frame_free(&yuv);
    sws_freeContext(to);
    sws_freeContext(back);
    return out;
}

void BM_Video_AnimFrames(benchmark::State& state) {
    const DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    const SeriesFolder folder;
    const VideoFormat format = state.range(0) == 0 ? VideoFormat::Mp4 : VideoFormat::WebM;
    VideoJob job;
    job.format = format;
    job.path = folder.base() + (format == VideoFormat::Mp4 ? ".mp4" : ".webm");
    job.frames = kFrames;
    for (auto _ : state) {
        AnimFrameMaker maker(params, set, {});
        Canvas canvas;
        VideoWriter video(job);
        for (int k = 0; k < kFrames; ++k) {
            maker.draw(k, canvas);
            if (!video.add(canvas).ok())
                state.SkipWithError("cannot encode a frame");
        }
        if (!video.finish().ok())
            state.SkipWithError("cannot write the video");
    }
    const testing::DecodedVideo decoded = testing::decodeVideo(job.path);
    if (decoded.frames.size() != kFrames) {
        state.SkipWithError("the video does not decode to every frame");
        return;
    }
    AnimFrameMaker maker(params, set, {});
    Canvas canvas;
    double sum = 0, least = INFINITY, codecSum = 0, codecLeast = INFINITY;
    for (int k = 0; k < kFrames; ++k) {
        maker.draw(k, canvas);
        const double p = testing::psnr(canvas, decoded.frames[static_cast<std::size_t>(k)]);
        const double c =
            testing::psnr(throughYuv420(canvas), decoded.frames[static_cast<std::size_t>(k)]);
        sum += p;
        least = std::min(least, p);
        codecSum += c;
        codecLeast = std::min(codecLeast, c);
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(job.path)) / 1e6;
    state.counters["psnr_mean"] = sum / kFrames;
    state.counters["psnr_min"] = least;
    state.counters["codec_psnr_mean"] = codecSum / kFrames;
    state.counters["codec_psnr_min"] = codecLeast;
}

// The animated WebP of the same frames, for the sizes.
void BM_WebP_AnimFrames(benchmark::State& state) {
    const DrawParams params = allComponents(1000);
    const GColor set = rainbow();
    const SeriesFolder folder;
    const std::string path = folder.base() + ".webp";
    for (auto _ : state) {
        AnimFrameMaker maker(params, set, {});
        const AnimatedWriteResult written = writeAnimatedFile(
            {AnimatedFormat::WebP, path, kFrames, 100},
            [&](int k, Canvas& out) { return maker.draw(k, out).outcome == DrawOutcome::Completed; },
            {});
        if (!written.result.ok())
            state.SkipWithError("cannot write the WebP file");
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

} // namespace

// Arguments: watched as the window watches (titles, stop questions, hand-overs); files
// written by the series writer instead of one after the other.
BENCHMARK(BM_Series_AnimFrames)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_Series_SeparateDrawings)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_Make_AnimFrames)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_Make_SeparateDrawings)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_Video_AnimFrames)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_WebP_AnimFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Store300)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Store300Bleed)
    ->Arg(0)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

BENCHMARK_MAIN();
