#include "RenderMemory.h"

#include "anim/AnimatedFile.h"
#include "anim/VideoFile.h"
#include "common/MemoryAmount.h"
#include "engine/DrawMain.h"
#include "engine/DrawingMemory.h"
#include "engine/ParallelWork.h"
#include "io/OutputNames.h"
#include "io/PictureSaving.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace wavory::cli {

namespace {

// The program, its libraries, the pool's threads and small tables.
constexpr std::uint64_t kBaseBytes = std::uint64_t{48} << 20;

std::uint64_t pixels(const DrawParams& params) {
    return static_cast<std::uint64_t>(params.width) * static_cast<std::uint64_t>(params.height);
}

std::uint64_t drawingBytes(const DrawParams& params, const RenderOptions& options,
                           bool watched) {
    const bool staged = watched && isCombiningMode(params.mode);
    // What the layer before keeps stays while a drawing that does not use it runs.
    return kBaseBytes + pixels(params) * 3 + keptDrawingMemory() +
           drawingWorkingBytes(params, options.threads, staged);
}

} // namespace

std::optional<std::uint64_t> availableForRendering() {
    if (const char* given = std::getenv("WAVORY_MEMORY_AVAILABLE"); given && *given) {
        const std::string_view text(given);
        std::uint64_t bytes = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), bytes);
        if (ec == std::errc() && ptr == text.data() + text.size())
            return bytes;
    }
    return availableMemory();
}

std::uint64_t stillPictureBytes(const DrawParams& params, const RenderOptions& options,
                                bool watched) {
    return drawingBytes(params, options, watched) +
           pictureSavingBytes(imageFormatForName(options.output), params.width, params.height,
                              static_cast<std::uint8_t>(options.quality), options.progressive,
                              static_cast<std::uint8_t>(options.pngMode));
}

std::uint64_t animationBytes(const DrawParams& params, const RenderOptions& options,
                             bool watched) {
    const std::uint64_t n = pixels(params);
    // A recoloured animation keeps |v| of every pixel (4 bytes) and its colors.
    std::uint64_t bytes = drawingBytes(params, options, watched) + n * 8;
    if (const auto video = videoFormatFor(options.output))
        // Measured peaks of the encoders at 3000 x 3000 beside the frame being made:
        // x264's frames in flight, and SVT-AV1's far larger window of frames ahead.
        return bytes + n * (*video == VideoFormat::Mp4 ? 32 : 192);
    const auto format = animatedFormatFor(options.output);
    if (!format) // up to twice the threads' frames queued or being written
        return bytes + 2 * resolveThreadCount(options.threads) * n * 3;
    // Measured peaks of the encoders beside the frames: lossless WebP's whole-frame
    // candidates and GIF's palette indices and quantizer.
    return bytes + n * (*format == AnimatedFormat::WebP ? 64 : 12);
}

} // namespace wavory::cli
