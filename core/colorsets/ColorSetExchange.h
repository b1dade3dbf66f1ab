#pragma once
// Color sets to and from other painting programs: GIMP gradients (.ggr) and palettes
// (.gpl), which GIMP, Krita and Inkscape read and write. A read set is appended to the
// collection and selected; the file kind is told by its first line.

#include "colorsets/ColorSetCollection.h"
#include "common/Result.h"

#include <filesystem>

namespace wavory {

enum class ExchangeFormat { GimpGradient, GimpPalette };

// Reads the file and appends its set (named as in the file, else after the file) to the
// collection, selected. A file that cannot be read, is of neither kind or is damaged
// fails with the read failure message and its reason, and adds nothing.
Result importExchangeColorSet(const std::filesystem::path& path, ColorSetCollection& sets);

// Writes the set in the format; the file is replaced whole or not at all.
Result exportExchangeColorSet(const std::filesystem::path& path, const GColor& set,
                              ExchangeFormat format);

// Appends a finished set to the collection under its name (changed when taken) and
// selects it; fails with the capacity message when the collection is full.
Result addColorSet(const GColor& set, ColorSetCollection& sets);

} // namespace wavory
