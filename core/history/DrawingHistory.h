#pragma once
// The drawings of this run (and, when kept, of earlier runs), newest first: for each its
// parameters, its color set, its time and a thumbnail; the full picture only for the
// newest few, within a count and a byte budget, so that the memory stays bounded however
// long the program runs.

#include "colorsets/GColor.h"
#include "image/Canvas.h"
#include "image/PackedCanvas.h"
#include "params/ParamFields.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

namespace wavory {

// Thumbnails are at most this long on their longer side.
inline constexpr int kHistoryThumbnailSide = 128;

struct HistoryEntry {
    std::uint64_t id = 0;  // given by the history, unique for the run
    std::int64_t time = 0; // seconds since 1970-01-01 UTC
    ParamFields fields;
    GColor colorSet; // the set drawn with, which may since have changed in the list
    Canvas thumbnail;
    std::shared_ptr<const PackedCanvas> picture; // the drawing itself, while it is kept
    // The key of the drawing's bleed noise, with which its parameters draw it again pixel
    // for pixel; unknown for entries kept by a version that did not store it.
    std::optional<std::uint64_t> noiseKey;
};

struct HistoryLimits {
    std::size_t maxEntries = 200;
    std::size_t maxPictures = 3;
    // Compressed bytes: two or three smooth 3000 x 3000 drawings (about 2 MB each), two
    // of the most detailed (about 14 MB each), many small ones up to the count.
    std::size_t maxPictureBytes = 32u * 1024 * 1024;
};

class DrawingHistory {
  public:
    explicit DrawingHistory(HistoryLimits limits = {}) : limits_(limits) {}

    const HistoryLimits& limits() const { return limits_; }
    // Newest first.
    const std::deque<HistoryEntry>& entries() const { return entries_; }
    const HistoryEntry* find(std::uint64_t id) const;

    // Puts an entry in front (its id is given here and returned); the oldest entries beyond
    // the count and the pictures beyond the newest few or the byte budget are dropped.
    std::uint64_t add(HistoryEntry entry);
    // Entries of earlier runs, oldest last, behind those of this run, within the count.
    void appendOlder(std::deque<HistoryEntry> older);
    void clear() { entries_.clear(); }

    // The bytes the kept pictures take (compressed).
    std::size_t pictureBytes() const;

  private:
    void trim();

    HistoryLimits limits_;
    std::deque<HistoryEntry> entries_;
    std::uint64_t nextId_ = 1;
};

} // namespace wavory
