#pragma once
// What the color menu, a dropped ".cst" file, start-up and exit do with color set files:
// the file work and the messages, without the dialogs. The windows show the messages
// and choose the file names.

#include "colorsets/ColorSetCollection.h"
#include "common/Result.h"
#include "io/IniFile.h"

#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

// The file in the program folder that holds the user's collection.
inline constexpr std::string_view kCollectionFileName = "default.cst";

struct ColorSetLoadResult {
    std::error_code error; // the file could not be read; nothing was added
    std::string dropped;   // names of the sets left out as duplicates, joined by ", "
    Result outcome;        // the messages to show
};

// Reads the sets of a color set file into the collection (load command, dropped file).
// Double quotes are removed from the path first; a relative path is taken in the program
// folder. Sets equal to one already present are left out and reported in one warning
// (after the capacity message when the collection filled up); afterwards the last set
// is selected, even when nothing was added. A file that is missing or cannot be read
// fails with the read failure message and changes nothing.
ColorSetLoadResult loadColorSetFile(std::string_view path, ColorSetCollection& sets);

enum class StartupColorSets {
    FromFile,            // the sets of the file, the first one selected
    Builtin,             // no collection in the file (no "Count"): the built-in sets
    BuiltinAfterFailure, // the file could not be used: a warning, the built-in sets
};

struct StartupColorSetsRead {
    StartupColorSets source = StartupColorSets::Builtin;
    Result outcome; // the warnings to show; start-up always goes on
};

// Start-up: fills the collection from the file `ini` is bound to ("default.cst"),
// keeping duplicates. A file without "Count" (missing, empty, or a single-set file) gives
// the built-in sets. A file that cannot be read (an I/O error, a folder of that name) or
// that yields no set at all is a failure: the fatal message is a warning and the
// built-in sets take its place (and are written to the file at exit).
StartupColorSetsRead readColorSetsAtStartup(IniFile& ini, ColorSetCollection& sets);

// Save command: the file at `path` holds exactly the set at `index`, as set number 0,
// without "Count". Save-all command: the file holds the whole collection. A read-only
// flag on an existing file is cleared first. The file is replaced whole or not at all.
Result saveColorSetFile(std::string_view path, const ColorSetCollection& sets, int index);
Result saveAllColorSetsFile(std::string_view path, const ColorSetCollection& sets);

// The messages, exactly as shown.
UserMessage duplicateColorSetsMessage(std::string_view dropped);
UserMessage colorSetReadFailureMessage(const std::string& errorText);
UserMessage colorSetWriteFailureMessage(const std::string& errorText);
UserMessage fatalColorSetFileMessage();

} // namespace wavory
