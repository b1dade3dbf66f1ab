#pragma once
// Color set files (".cst"): INI files with one section per set, "ColorSet 0",
// "ColorSet 1", …, and in files holding a whole collection a section "ColorSet" with the
// number of sets. "default.cst" in the program folder holds the user's collection.
//
//   [ColorSet]          (whole-collection files only)
//   Count=2
//   [ColorSet 0]
//   ColorSetName=RGB
//   ColorCount=4
//   ColorLevelCount=8
//   Color 0R=255
//   Color 0G=0
//   …

#include "colorsets/ColorSetCollection.h"
#include "io/IniFile.h"

#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

// The section holding "Count", and the section of set `setNumber` ("ColorSet 3").
inline constexpr std::string_view kColorSetCountSection = "ColorSet";
std::string colorSetSection(int setNumber);

// The key of one channel of a point: "Color 11B" for the blue of point 11. `channel` is
// 'R', 'G' or 'B'.
std::string colorPointKey(int point, char channel);

// Writes the set at collection index `setIndex` as set number `setNumber` of the bound
// file: name, point count, level exponent, then red, green and blue of every point, in
// that order. Inside a batch the writes join it; otherwise the file is rewritten once
// (keeping its other sections). An error when the file cannot be written or `setIndex`
// is not a set of the collection.
std::error_code writeColorSet(IniFile& ini, const ColorSetCollection& sets, int setIndex,
                              int setNumber);

// Replaces the bound file with the whole collection: "Count", then every set in list
// order as set 0, 1, …. The new file is written whole and renamed into place, so on any
// failure the old file is still there, unchanged. Replaces any batch the caller had open.
std::error_code writeAllColorSets(IniFile& ini, const ColorSetCollection& sets);

// Reads the sets of the bound file, in set number order from 0 up to the first missing
// or empty name, and appends them to the collection:
//  - a set with fewer than 2 points (or no number as its point count) is skipped;
//  - a name already in use is changed by the collection's add rule;
//  - a full collection ends reading (with the collection's capacity message);
//  - point keys that are missing read as 0; values are stored as read;
//  - a set with more than 12 points keeps its first 12; a set whose values cannot be
//    held (a number too large for its field) keeps the points read before it. Either way
//    the next set starts afresh with its own points;
//  - with `removeDuplicates`, a set with the same points and level exponent as another
//    set of the collection is taken out again.
// Reads from the open batch when there is one; otherwise reads the file once (a file
// that cannot be read reads as empty).
struct ColorSetsRead {
    // The names of the sets taken out, as the file spells them, joined by ", ".
    std::string dropped;
    // The capacity message when a full collection ended reading (a warning: the sets
    // read so far stay).
    Result outcome;
};
ColorSetsRead readColorSets(IniFile& ini, ColorSetCollection& sets, bool removeDuplicates);

// readColorSets on the bytes of a color set file (UTF-8 or CP932) held in memory.
ColorSetsRead readColorSetsFromBytes(std::string_view bytes, ColorSetCollection& sets,
                                     bool removeDuplicates);

} // namespace wavory
