#pragma once
// The program folder, where the settings, "default.cst", "Graphic.ini" and the
// "colorset" folder live.

#include <string>

namespace wavory {

// $WAVORY_HOME when set and not empty, else $XDG_CONFIG_HOME/wavory (an absolute
// XDG_CONFIG_HOME only), else ~/.config/wavory; with exactly one trailing "/". The folder
// is created when missing; a failure to create it is left to the first file access to
// report.
std::string GetPath();

} // namespace wavory
