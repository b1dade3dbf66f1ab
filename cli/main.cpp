// wavory-render: draws parameter text files headlessly, exactly as the program does.

#include "AnimationRendering.h"
#include "ProgressPrinter.h"
#include "RenderMemory.h"
#include "RenderOptions.h"

#include "anim/AnimPhases.h"
#include "anim/AnimatedFile.h"
#include "anim/FrameSeriesNames.h"
#include "anim/VideoFile.h"
#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetFile.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/MemoryAmount.h"
#include "common/RandomSource.h"
#include "engine/DrawMain.h"
#include "engine/DrawRefusal.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/EncodedFile.h"
#include "io/OutputNames.h"
#include "io/ParamTextFile.h"
#include "io/PictureSaving.h"
#include "params/DrawParams.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

using namespace wavory;

namespace {

// Messages keep the program's texts; a CR LF inside becomes a plain line end here.
void printMessage(const UserMessage& message) {
    std::string text;
    for (char c : message.text)
        if (c != '\r')
            text += c;
    std::fprintf(stderr, "%s\n", text.c_str());
}

// Prints every message of the outcome in order; true when it succeeded.
bool report(const Result& result) {
    for (const UserMessage& message : result.messages())
        printMessage(message);
    return result.ok();
}

// The fourteen built-in sets, or every set of a color set file, read as the program reads
// its files: a whole collection ("Count") or a single saved set, duplicates kept as at
// start-up. A file that cannot be read, or holds no set that can be used, ends the run.
bool loadColorSets(const cli::RenderOptions& options, ColorSetCollection& sets) {
    if (!options.colorSetFile) {
        initColors(sets);
        return true;
    }
    const std::string& file = *options.colorSetFile;
    // Regular files only, without waiting on a FIFO, and no larger than the program reads.
    std::string bytes;
    std::string reason;
    if (const std::error_code ec = readWholeFile(file, bytes)) {
        reason = systemErrorText(ec);
    } else {
        report(readColorSetsFromBytes(bytes, sets, false).outcome); // a full collection
        if (sets.empty())
            reason = "no color set can be read from it (damaged, or not a color set file)";
    }
    if (reason.empty())
        return true;
    printMessage(colorSetReadFailureMessage(file + ": " + reason));
    return false;
}

// Reads the layer's parameter file into the fields and checks it as the draw command
// does: the parameters to draw, or nothing (after the messages) when it cannot be drawn.
// With --size every file is drawn at that size, whatever it gives.
std::optional<DrawParams> readLayer(const cli::Layer& layer, ParamFields& fields,
                                    ColorSetCollection& sets, const cli::RenderOptions& options) {
    const ParamReadResult read = readParamTextFile(layer.paramFile, fields, sets.names());
    report(read.outcome);
    if (!read.ok())
        return std::nullopt;
    if (options.size) {
        fields.width = options.size->width;
        fields.height = options.size->height;
    } else if (read.sizeApplied && read.sizeOutOfRange) {
        // Held to the range, as the program holds a hand-edited size it opens.
        const int width = std::clamp(fields.width, kMinImageSide, kMaxImageSide);
        const int height = std::clamp(fields.height, kMinImageSide, kMaxImageSide);
        std::fprintf(stderr,
                     "%s: the image size %d x %d is outside %d..%d pixels; drawn at %d x %d\n",
                     layer.paramFile.c_str(), fields.width, fields.height, kMinImageSide,
                     kMaxImageSide, width, height);
        fields.width = width;
        fields.height = height;
    }
    fields.mode = layer.mode.value_or(DrawMode::Normal);
    if (!report(checkComponents(fields)))
        return std::nullopt;
    DrawParams params = takeDrawSnapshot(fields);
    if (!report(drawRefusal(params, sets.at(fields.colorSetIndex))))
        return std::nullopt;
    return params;
}

bool drawLayer(const cli::Layer& layer, ParamFields& fields, ColorSetCollection& sets,
               Canvas& canvas, const cli::RenderOptions& options) {
    const std::optional<DrawParams> params = readLayer(layer, fields, sets, options);
    if (!params)
        return false;
    // The progress goes to a terminal only; without one nobody watches, and the drawing
    // may put its columns onto the canvas in any order (the same pixels).
    cli::ProgressPrinter progress(isatty(STDERR_FILENO));
    if (!report(memoryRefusal(cli::stillPictureBytes(*params, options, progress.enabled()),
                              cli::availableForRendering())))
        return false;
    const GColor& set = sets.at(fields.colorSetIndex);
    // A new size starts a new, black picture, as a size change does in the program:
    // DrawMain resizes the canvas itself (and clears only what AND, OR and XOR read).

    DrawOptions drawOptions;
    drawOptions.threads = options.threads;
    // Every drawing continues the program's random sequence, as in the windows.
    drawOptions.noiseKey = programRandom().nextBits();
    DrawMain(*params, set, canvas, progress.enabled() ? &progress : nullptr, drawOptions);
    progress.finish();
    return true;
}

bool savePicture(const Canvas& canvas, const cli::RenderOptions& options) {
    switch (imageFormatForName(options.output)) {
    case ImageFileFormat::Bmp:
        return report(saveBmpPicture(options.output, canvas));
    // Both values were checked with the options.
    case ImageFileFormat::Jpeg:
        return report(saveJpegPicture(canvas, options.output,
                                      static_cast<std::uint8_t>(options.quality),
                                      options.progressive));
    case ImageFileFormat::Png:
        return report(savePngPicture(canvas, options.output,
                                     static_cast<std::uint8_t>(options.pngMode)));
    }
    return false;
}

bool writeParams(const cli::RenderOptions& options, const ParamFields& fields,
                 const ColorSetCollection& sets) {
    if (!options.writeParams)
        return true;
    const std::string name = sets.at(fields.colorSetIndex).name;
    return report(writeParamTextFile(*options.writeParams, fields, name));
}

int runAnimation(const cli::RenderOptions& options, ColorSetCollection& sets) {
    const cli::AnimRange& range = *options.anim;
    const bool series = !animatedFormatFor(options.output) && !videoFormatFor(options.output);
    // Checked before anything is read or drawn, so nothing is written.
    if (series && !frameDigitsSuffice(options.start, range.frames, options.digits)) {
        printMessage({MessageIcon::Exclamation, std::string(kDigitsTooFewMessage)});
        return 1;
    }
    ParamFields fields;
    const std::optional<DrawParams> params =
        readLayer(options.layers.front(), fields, sets, options);
    if (!params)
        return 1;
    if (const auto format = animatedFormatFor(options.output))
        if (!report(checkAnimatedFileSize(*format, params->width, params->height)))
            return 1;
    if (!report(memoryRefusal(cli::animationBytes(*params, options, isatty(STDERR_FILENO)),
                              cli::availableForRendering())))
        return 1;
    cli::AnimationJob job;
    job.params = *params;
    job.colorSet = sets.at(fields.colorSetIndex);
    job.range = range;
    job.output = options.output;
    job.start = options.start;
    job.digits = options.digits;
    job.draw.threads = options.threads;
    // One key for every frame, as in the animation window.
    job.draw.noiseKey = programRandom().nextBits();
    job.showProgress = isatty(STDERR_FILENO);
    if (options.fpsMilli)
        job.frameTime = {1000, *options.fpsMilli};
    if (options.qualityGiven)
        job.videoQuality = options.quality;
    if (!report(cli::renderAnimation(job)))
        return 1;
    // As the window leaves the phase at the last frame's.
    fields.phase = animFramePhase(range.from, range.to, range.frames, range.frames);
    return writeParams(options, fields, sets) ? 0 : 1;
}

int run(const cli::RenderOptions& options) {
    programRandom().reseed(options.seed.value_or(hundredthsOfSecondToday()));
    ColorSetCollection sets;
    if (!loadColorSets(options, sets))
        return 1;
    if (options.anim)
        return runAnimation(options, sets);

    ParamFields fields;
    Canvas canvas(fields.width, fields.height);
    for (const auto& layer : options.layers)
        if (!drawLayer(layer, fields, sets, canvas, options))
            return 1;

    if (!savePicture(canvas, options))
        return 1;
    return writeParams(options, fields, sets) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    cli::OptionError error;
    const auto options = cli::parseRenderOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "wavory-render: %s\nTry 'wavory-render --help'.\n",
                     error.text.c_str());
        return error.exitStatus;
    }
    if (options->help) {
        std::fputs(cli::renderUsage(), stdout);
        return 0;
    }
    if (options->version) {
        std::fputs(cli::renderVersion(), stdout);
        return 0;
    }
    try {
        return run(*options);
    } catch (const std::bad_alloc&) {
        // Nothing was saved: every file is written whole or not at all.
        printMessage({MessageIcon::Critical, UiText::tr(codec::kOutOfMemoryText)});
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wavory-render: %s\n", e.what());
        return 1;
    }
}
