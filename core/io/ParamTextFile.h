#pragma once
// The parameter text file: every parameter of one drawing as plain text, a fixed
// sequence of header lines each followed by its value line(s). Written by the
// "write to text file" command, beside saved images and as "Graphic.ini" at exit;
// read back by the "read from text file" command, at start-up and for dropped files.
//
// The file binds the texts the windows show (ParamFields), unformatted: what the user
// typed is written and read back as it stands.

#include "common/Result.h"
#include "params/ParamFields.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavory {

// The format number written; readers accept 1 to 4 (and negative numbers, which read
// like format 1 without its period scaling).
inline constexpr int kParamTextFormat = 4;

// A parameter file is a few hundred bytes. Only this much of a file is looked at, so a
// huge or binary file costs no more than this to reject; a file whose fields go beyond
// it reads as ending early.
inline constexpr std::size_t kMaxParamTextBytes = 1024 * 1024;

// The whole file as UTF-8 text with CR LF line ends, before encoding.
std::string formatParamText(const ParamFields& fields, std::string_view colorSetName);

// Writes the file atomically (CP932, UTF-8 when a character does not fit; CR LF).
// On failure the old file, if any, stays whole.
Result writeParamTextFile(const std::string& path, const ParamFields& fields,
                          std::string_view colorSetName);

enum class ParamReadStatus {
    Ok,                // read completely: the caller starts a draw
    UnsupportedFormat, // format number 0, above 4 or not a number: nothing was changed
    ReadFailed,        // missing file, early end, bad strict value: earlier values stay
};

struct ParamReadResult {
    ParamReadStatus status = ParamReadStatus::ReadFailed;
    std::int64_t formatNumber = 0; // as read, rounded; 0 when not reached
    // Format 3 and later set the image size. The numbers are taken as read; callers that
    // need a size within 4..3000 check this flag.
    bool sizeApplied = false;
    bool sizeOutOfRange = false;
    // The color set name matched a set and colorSetIndex now selects it (the list's
    // selection handling should run).
    bool colorSetSelected = false;
    // The messages to show: the warning about a missing color set, then the failure, if
    // any (readParamTextFile's; parseParamText fails nothing).
    Result outcome;
    // With the warning: the fields as they stood when it arose (every value before the
    // color set read, none after it), for a window to show with the warning, so that the
    // values appear in file order around each message.
    std::optional<ParamFields> fieldsAtWarning;

    bool ok() const { return status == ParamReadStatus::Ok; }
};

// Reads the file's bytes into the fields, applying each value as it is read. Its outcome
// holds only the warning about a missing color set; the failure messages are readParamTextFile's.
// A pure function of its arguments, safe on any bytes.
ParamReadResult parseParamText(std::string_view bytes, ParamFields& fields,
                               const std::vector<std::string>& colorSetNames);

// Reads the named file (double quotes in the name are dropped first); the outcome holds
// every message to show.
ParamReadResult readParamTextFile(std::string_view path, ParamFields& fields,
                                  const std::vector<std::string>& colorSetNames);

// The messages, exactly as shown.
UserMessage paramWriteFailureMessage(const std::string& errorText);
UserMessage paramReadFailureMessage(std::string_view fileName);
UserMessage unsupportedParamFormatMessage();
UserMessage missingColorSetMessage(std::string_view name);

} // namespace wavory
