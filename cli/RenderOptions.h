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

struct RenderOptions {
    std::vector<Layer> layers;
    std::string output;
    std::optional<std::string> colorSetFile;
    std::optional<std::string> writeParams;
    std::optional<std::uint64_t> seed;
    unsigned threads = 0;
    int quality = 100;
    bool progressive = false;
    int pngMode = 0;
    bool help = false;
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

} // namespace wavory::cli
