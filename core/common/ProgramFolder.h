#pragma once
// The program folder, where the settings, "default.cst", "Graphic.ini" and the
// "colorset" folder live.

#include <string>
#include <system_error>
#include <string_view>

namespace wavory {

// $WAVORY_HOME when set and not empty, else $XDG_CONFIG_HOME/wavory (an absolute
// XDG_CONFIG_HOME only), else ~/.config/wavory; with exactly one trailing "/". Looking
// the folder up never creates it: start-up does that once (ensureProgramFolder).
std::string programFolder();

// Creates the program folder when missing.
std::error_code ensureProgramFolder();

// A name starting with "/" is kept as it is; any other name is taken relative to the
// program folder.
std::string resolveInProgramFolder(std::string_view name);

} // namespace wavory
