#pragma once
// Color sets to and from other painting programs: GIMP gradients (.ggr) and palettes
// (.gpl), which GIMP, Krita and Inkscape read and write. A read set is appended to the
// collection and selected; the file kind is told by its first line.

#include "colorsets/ColorSetCollection.h"
#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace wavory {

enum class ExchangeFormat { GimpGradient, GimpPalette };

// Reads the file and appends its set (named as in the file, else after the file) to the
// collection, selected. A file that cannot be read, is of neither kind or is damaged
// fails with the read failure message and its reason, and adds nothing.
Result importExchangeColorSet(const std::filesystem::path& path, ColorSetCollection& sets);

// Writes the set in the format; the file is replaced whole or not at all.
Result exportExchangeColorSet(const std::filesystem::path& path, const GColor& set,
                              ExchangeFormat format);

// A name read from a file (a gradient, a palette, a picture's file name, the history),
// held to the editor's rule: decoded (UTF-8, else CP932, else U+FFFD), control
// characters as blanks, blanks trimmed, cut to the editor's 24 CP932 bytes.
std::string importedSetName(std::string_view bytes);

// Appends a finished set to the collection under its name taken by importedSetName
// (changed when taken; a new set's free name when nothing is left of it) and selects it;
// fails with the capacity message when the collection is full.
Result addColorSet(const GColor& set, ColorSetCollection& sets);

} // namespace wavory
