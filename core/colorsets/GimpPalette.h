#pragma once
// GIMP palette files (.gpl), read by GIMP, Krita and Inkscape: the line "GIMP Palette",
// optional "Name: " and "Columns: " lines, comment lines starting with "#", then one
// colour a line as red, green and blue (0..255) with an optional name after them.

#include "colorsets/GColor.h"

#include <string>
#include <string_view>

namespace wavory {

// Reads the text of a .gpl file into a color set: its colours become the points in order,
// at most 12 of them chosen evenly (the first and the last always); a single colour gives
// a flat set of two equal points. The name is the palette's "Name:", empty when it has
// none. On failure returns false and puts the reason, a sentence for the user, in `error`.
bool parseGimpPalette(std::string_view text, GColor& set, std::string& error);

// The text of a .gpl file holding the set's points in order.
std::string gimpPaletteText(const GColor& set);

// A name written on one line of such a file: line breaks and tabs become blanks.
std::string oneLine(std::string_view name);

} // namespace wavory
