#pragma once
// Command-line options of wavory-render.

#include "params/ParamFields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavory::cli {

struct Layer {
    std::string paramFile;
    std::optional<DrawMode> mode; // nothing: the mode the program starts with (normal)
};

// --anim FROM,TO,N: frame i (1-based) at the phase the animation window gives it.
struct AnimRange {
    int from = 0;
    int to = 99;
    int frames = 10;
};

// --size WxH: every file drawn at this size, whatever it says.
struct PictureSize {
    int width = 0;
    int height = 0;
};

// The sides --size takes; the windows keep kMinImageSide..kMaxImageSide.
inline constexpr int kMaxRenderSide = 16384;

struct RenderOptions {
    std::vector<Layer> layers;
    std::string output;
    std::optional<std::string> colorSetFile;
    std::optional<std::string> writeParams;
    std::optional<std::uint64_t> seed;
    unsigned threads = 0;
    int quality = 100;
    bool qualityGiven = false; // a video's default quality is its own
    bool progressive = false;
    int pngMode = 0;
    bool help = false;
    bool version = false;
    std::optional<AnimRange> anim;
    std::optional<PictureSize> size;
    std::int64_t start = 1; // --start: the first frame file's number
    int digits = 2;         // --digits: the least digits of a frame file's number
    std::optional<int> fpsMilli; // --fps: frames a second, in thousandths
};

struct OptionError {
    std::string text;
    // 2 for a command line that cannot be understood, 1 for a value out of its range:
    // that is a failure like any other, found before anything is drawn.
    int exitStatus = 2;
};

// Parses the arguments and checks every option value; on a mistake returns nothing and
// sets `error`.
std::optional<RenderOptions> parseRenderOptions(const std::vector<std::string>& args,
                                                OptionError& error);

// "通常"/"normal", "AND", "OR", "XOR" in any letter case.
std::optional<DrawMode> parseDrawMode(const std::string& text);

const char* renderUsage();
// The version and licence, in the words `wavory --version` uses.
const char* renderVersion();

} // namespace wavory::cli
