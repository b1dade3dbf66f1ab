#pragma once
// A file the program could not read at start is kept, never written over: it is renamed
// beside itself with the date and time ("default.cst.unreadable-20261207-223000"), and
// the user is told where it went, before the program writes a new one in its place.

#include "common/Result.h"

#include <ctime>
#include <filesystem>

namespace wavory {

struct SetAsideFile {
    // Nothing is left to be written over: the file was renamed aside, or was not there.
    // False when it is still in place; then nothing may be written to it.
    bool cleared = false;
    std::filesystem::path keptAs; // the new name, when renamed
    Result outcome;               // a warning naming keptAs, or the failure and its reason
};

// Renames `file` to "<file>.unreadable-YYYYMMDD-HHMMSS" (local time `now`), with "-2",
// "-3", … added when that name is taken.
SetAsideFile setAsideUnreadableFile(const std::filesystem::path& file,
                                    std::time_t now = std::time(nullptr));

} // namespace wavory
