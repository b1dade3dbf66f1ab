#pragma once
// Where the program keeps its settings and color sets. A stand-in until the shared
// GetPath exists: this file is the only place that knows the folder, so replacing it
// means replacing these two functions.

#include <string>
#include <string_view>

namespace wavory::detail {

// WAVORY_HOME when set, else $XDG_CONFIG_HOME/wavory, else ~/.config/wavory; always
// with exactly one trailing "/".
std::string programFolder();

// A name starting with "/" is kept as it is; any other name is taken relative to the
// program folder.
std::string resolveInProgramFolder(std::string_view name);

} // namespace wavory::detail
