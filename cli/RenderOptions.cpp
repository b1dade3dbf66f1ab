#include "RenderOptions.h"

#include "anim/AnimPhases.h"
#include "anim/FrameSeriesNames.h"
#include "anim/VideoFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace wavory::cli {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

template <typename Int> bool parseInt(const std::string& text, Int& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

// "FROM,TO,N" with FROM and TO from 0 to 99 and N from 1 to 999, as the animation
// window takes them.
std::optional<AnimRange> parseAnimRange(const std::string& text) {
    AnimRange range;
    const auto first = text.find(',');
    const auto second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    if (!parseInt(text.substr(0, first), range.from) ||
        !parseInt(text.substr(first + 1, second - first - 1), range.to) ||
        !parseInt(text.substr(second + 1), range.frames))
        return std::nullopt;
    if (range.from < 0 || range.from > kMaxPhase || range.to < 0 || range.to > kMaxPhase ||
        range.frames < 1 || range.frames > kMaxAnimFrames)
        return std::nullopt;
    return range;
}

// "F" or "F.fff" (at most three decimals) frames a second, from 1 to 240: thousandths.
std::optional<int> parseFps(const std::string& text) {
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (whole.empty() || fraction.size() > 3 || (point != std::string::npos && fraction.empty()))
        return std::nullopt;
    fraction.resize(3, '0');
    int units = 0, thousandths = 0;
    if (!parseInt(whole, units) || !parseInt(fraction, thousandths) || units < 0 ||
        thousandths < 0 || units > 240)
        return std::nullopt;
    const int milli = units * 1000 + thousandths;
    if (milli < 1000 || milli > 240000)
        return std::nullopt;
    return milli;
}

// "WxH" (or "WXH") with both sides from kMinImageSide to kMaxRenderSide.
std::optional<PictureSize> parsePictureSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    PictureSize size;
    if (x == std::string::npos || !parseInt(text.substr(0, x), size.width) ||
        !parseInt(text.substr(x + 1), size.height))
        return std::nullopt;
    const auto inRange = [](int side) { return side >= kMinImageSide && side <= kMaxRenderSide; };
    if (!inRange(size.width) || !inRange(size.height))
        return std::nullopt;
    return size;
}

} // namespace

std::optional<DrawMode> parseDrawMode(const std::string& text) {
    const std::string l = lower(text);
    if (l == "normal" || text == "通常") return DrawMode::Normal;
    if (l == "and") return DrawMode::And;
    if (l == "or") return DrawMode::Or;
    if (l == "xor") return DrawMode::Xor;
    return std::nullopt;
}

std::optional<RenderOptions> parseRenderOptions(const std::vector<std::string>& args,
                                                OptionError& failure) {
    std::string& error = failure.text;
    auto badValue = [&](std::string text) {
        error = std::move(text);
        failure.exitStatus = 1;
        return std::nullopt;
    };
    RenderOptions options;
    std::optional<DrawMode> pendingMode;
    bool animOption = false; // --start, --digits or --fps given
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            return options;
        } else if (arg == "--version") {
            options.version = true;
            return options;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(options.output)) return std::nullopt;
        } else if (arg == "--mode") {
            if (!value(v)) return std::nullopt;
            pendingMode = parseDrawMode(v);
            if (!pendingMode) {
                error = "unknown draw mode '" + v + "' (通常/normal, AND, OR, XOR)";
                return std::nullopt;
            }
        } else if (arg == "--colorsets") {
            if (!value(v)) return std::nullopt;
            options.colorSetFile = v;
        } else if (arg == "--write-params") {
            if (!value(v)) return std::nullopt;
            options.writeParams = v;
        } else if (arg == "--seed") {
            std::uint64_t seed = 0;
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, seed))
                return badValue("--seed needs a whole number, not '" + v + "'");
            options.seed = seed;
        } else if (arg == "--threads") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, options.threads) || options.threads > 256)
                return badValue("--threads needs a whole number from 0 to 256, not '" + v + "'");
        } else if (arg == "--quality") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, options.quality) || options.quality < 1 || options.quality > 100)
                return badValue("--quality needs a whole number from 1 to 100, not '" + v + "'");
            options.qualityGiven = true;
        } else if (arg == "--progressive") {
            options.progressive = true;
        } else if (arg == "--png-mode") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, options.pngMode) || options.pngMode < 0 || options.pngMode > 2)
                return badValue("--png-mode needs 0, 1 or 2, not '" + v + "'");
        } else if (arg == "--anim") {
            if (!value(v)) return std::nullopt;
            options.anim = parseAnimRange(v);
            if (!options.anim)
                return badValue("--anim needs FROM,TO,N: FROM and TO whole numbers from 0 to 99, "
                                "N from 1 to 999, not '" + v + "'");
        } else if (arg == "--fps") {
            if (!value(v)) return std::nullopt;
            options.fpsMilli = parseFps(v);
            if (!options.fpsMilli)
                return badValue("--fps needs a number from 1 to 240 (at most three decimals), "
                                "not '" + v + "'");
            animOption = true;
        } else if (arg == "--size") {
            if (!value(v)) return std::nullopt;
            options.size = parsePictureSize(v);
            if (!options.size)
                return badValue("--size needs WxH, each side a whole number from " +
                                std::to_string(kMinImageSide) + " to " +
                                std::to_string(kMaxRenderSide) + ", not '" + v + "'");
        } else if (arg == "--start") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, options.start) || options.start < 0 || options.start > 99999999)
                return badValue("--start needs a whole number from 0 to 99999999, not '" + v + "'");
            animOption = true;
        } else if (arg == "--digits") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, options.digits) || options.digits < 1 ||
                options.digits > kMaxFrameDigits)
                return badValue("--digits needs a whole number from 1 to 8, not '" + v + "'");
            animOption = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            options.layers.push_back({arg, pendingMode});
            pendingMode.reset();
        }
    }
    if (pendingMode) {
        error = "--mode must be followed by a parameter file";
        return std::nullopt;
    }
    if (options.layers.empty()) {
        error = "no parameter file given";
        return std::nullopt;
    }
    if (options.output.empty()) {
        error = "no output file given (-o OUT.bmp)";
        return std::nullopt;
    }
    if (animOption && !options.anim) {
        error = "--start, --digits and --fps are for the frames of --anim";
        return std::nullopt;
    }
    if (!options.anim && videoFormatFor(options.output)) {
        error = "a video (.mp4, .webm) is made of the frames of --anim";
        return std::nullopt;
    }
    if (options.anim && options.layers.size() != 1) {
        error = "--anim draws one parameter file";
        return std::nullopt;
    }
    return options;
}

const char* renderUsage() {
    return R"(Usage: wavory-render PARAMFILE [[--mode MODE] PARAMFILE ...] -o OUT [options]
       wavory-render [--mode MODE] PARAMFILE --anim FROM,TO,N -o OUT [--start S] [--digits D]
                     [--fps F] [options]

Renders Wavory parameter text files exactly as the program draws them and saves the
picture. Each PARAMFILE is read in turn, as the program reads a parameter text file,
and drawn onto the same canvas; --mode before a file sets how that drawing combines
with the picture already there. A file whose image size differs from the canvas
starts a new, cleared (black) canvas. Values a file of an older format number does
not set keep their earlier values (at first the program's start-up values: 200 x 200
pixels, the first color set, phase 0, frame off).

With --anim the one PARAMFILE is drawn as an animation, as the program's animation
window makes it: N frames, frame i (1 to N) at the phase shift
round((TO - FROM) / N x (i - 1) + FROM) (halves to even), so the first frame is at
FROM and TO itself is never drawn. Everything else stays as the file gives it (the
size as --size gives it, when given); in the AND, OR and XOR modes each frame
combines with the frame before it, and a bleed above 0 gives every frame the same
noise.
  OUT ending in ".webp" (any case): one looping, lossless animated WebP file.
  OUT ending in ".gif": one looping animated GIF, one 256-color palette for all frames.
  OUT ending in ".mp4": one MP4 video (H.264, yuv420p), ".webm": one WebM video (AV1,
  yuv420p). Each frame goes to the encoder as soon as it is drawn, so even 999 large
  frames need little memory. An odd width or height grows by one pixel, a copy of the
  last column or row, as yuv420p needs even sides. Neither format has a loop flag
  that players read; the frames are evenly timed from 0 with the last as long as the
  others, so a player's loop (for example <video loop> on a web page) runs without a
  seam when the phases wrap (FROM 0, TO 99). The MP4 has its index first, so that
  playing can start before the whole file has arrived. The encoders take up to
  16384 x 8192 pixels (MP4) and a height of up to 8704 (WebM); a larger video fails
  at its first frame with a message naming its size, and no file is written.
  Anything else: a numbered BMP series. OUT is a folder plus a base name, and frame k
  (from 0) is written to OUT + the number S + k with at least D digits, zero-padded,
  + ".bmp": "-o out/anim" writes out/anim01.bmp, out/anim02.bmp, ... When the last
  number S + N - 1 needs more than D digits, "連番の桁数が足りません。" is printed and
  nothing is written (exit status 1). Existing files of the series are replaced.
  Each frame of an animated file or video is shown for 100 ms unless --fps says
  otherwise.

Options:
  -o, --output OUT     the picture to write. The format follows the end of the name,
                       as in the program: "...jpg"/"...jpeg" JPEG, "...png" PNG,
                       anything else BMP (24 bits per pixel). A video
                       ("...mp4", "...webm") needs --anim.
  --mode MODE          draw mode of the next PARAMFILE: 通常 (or normal), AND, OR, XOR.
                       Default: normal.
  --colorsets FILE     use the color sets of this color set file (.cst) instead of
                       the fourteen built-in sets: a whole collection or a single
                       saved set, read as the program reads them (duplicates kept).
                       Each parameter file's color set is looked up by name in it; a
                       name that is not found is warned about and the first set is
                       used. A file that cannot be read or holds no usable set is a
                       failure.
  --quality N          JPEG quality 1..100 (default 100). For a video the same scale
                       from 1 (smallest file) to 100 (best picture), default 80: the
                       encoder adds no visible loss there (40 dB PSNR and more).
  --progressive        write a progressive JPEG.
  --png-mode M         PNG mode: 0 標準 (default), 1 圧縮速度優先（低圧縮率）,
                       2 圧縮率優先(不可逆圧縮、低速) (quantized to 256 colors).
  --write-params FILE  also write the parameter text file of the last drawing.
  --seed N             seed the random source, so a bleed above 0 gives a repeatable
                       picture (default: the time of day, as the program does).
  --threads N          threads for the synthesis (default 0: one per processor).
  --size WxH           draw every PARAMFILE at W x H pixels, whatever size it gives:
                       each side 4..16384 (see below).
  --anim FROM,TO,N     draw an animation (see above): FROM and TO 0..99, N 1..999.
  --start S            number of the first frame file, 0..99999999 (default 1).
  --digits D           least digits of the frame file numbers, 1..8 (default 2).
  --fps F              frames a second of an animated file or video, 1..240, at most
                       three decimals (29.97); WebP and GIF round the frame time to
                       whole milliseconds and hundredths of a second.
  -h, --help           show this text.
  --version            show the version and exit.

Sample parameter files are installed in share/wavory/samples under the installation
prefix (/usr/share/wavory/samples from the Debian package), sample color set files in
share/wavory/colorset.

Without --size, a file whose image size lies outside 4..3000 pixels is drawn at the
size held to that range, as the program opens it, with a warning. --size draws larger
pictures than the program's window takes, up to 16384 x 16384 (a poster; 7680x4320 is
an 8K screen), the same pixels the file's values give at that size. Every still format
takes that size (JPEG up to 65500 pixels a side, BMP up to 4 GB); an animated WebP holds
at most 16383 pixels a side, and a larger one is refused before anything is drawn; the
video encoders' limits are given above. Before drawing, the
memory the picture needs (picture, working tables, saving) is compared with what the
system has available (MemAvailable, or the bytes in the environment variable
WAVORY_MEMORY_AVAILABLE when set); a picture that does not fit is refused, naming both,
with exit status 1. Running out of memory later still ends with a message and no file.

Progress is shown in percent on stderr when stderr is a terminal. Messages go to
stderr; the exit status is 0 on success, 1 on any failure (an option value out of its
range included, found before anything is drawn), which leaves no file half-written,
and 2 for a command line that cannot be understood.
)";
}

const char* renderVersion() {
    return "wavory-render " WAVORY_VERSION "\n"
           "License GPL-3.0-or-later: GNU GPL version 3 or later.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace wavory::cli
