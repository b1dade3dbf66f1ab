#pragma once
// The history kept across runs: parameters, color sets, noise keys, times and thumbnails
// (never the full pictures, which the parameters and the noise key draw again) in one
// binary file in the program folder. Every entry carries its length
// and a checksum, so a damaged entry is skipped and the others are kept; a file that is
// not a history file gives nothing, one cut short what could be read before the cut.

#include "common/UserMessage.h"
#include "history/DrawingHistory.h"

#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

inline constexpr const char* kHistoryFileName = "history.dat";
// At most this many entries are written (the newest).
inline constexpr std::size_t kMaxKeptHistoryEntries = 100;
// A history file is never read beyond this size.
inline constexpr std::size_t kMaxHistoryFileBytes = 32u * 1024 * 1024;

// The file's bytes for the newest `maxEntries` entries.
std::string encodeHistory(const std::deque<HistoryEntry>& entries,
                          std::size_t maxEntries = kMaxKeptHistoryEntries);

struct DecodedHistory {
    std::deque<HistoryEntry> entries; // newest first, ids 0
    bool damaged = false;             // something was skipped or cut off
};
// At most `maxEntries` entries, the newest (the rest of the file is not read). After a
// damaged entry the reading goes on at the next entry whose length and checksum hold.
DecodedHistory decodeHistory(std::string_view bytes,
                             std::size_t maxEntries = HistoryLimits{}.maxEntries);

// Writes through AtomicFileWriter. Reads the file's first bytes up to the cap above (the
// newest entries; a larger file gives those). A missing file reads as an empty history
// without damage.
std::error_code writeHistoryFile(const std::filesystem::path& path,
                                 const std::deque<HistoryEntry>& entries);
DecodedHistory readHistoryFile(const std::filesystem::path& path);

// The message a failed write of the history shows: the file and why.
UserMessage historyWriteFailureMessage(const std::filesystem::path& path,
                                       const std::error_code& ec);

} // namespace wavory
