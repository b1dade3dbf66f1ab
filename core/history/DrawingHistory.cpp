#include "history/DrawingHistory.h"

namespace wavory {

const HistoryEntry* DrawingHistory::find(std::uint64_t id) const {
    for (const HistoryEntry& entry : entries_) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

std::uint64_t DrawingHistory::add(HistoryEntry entry) {
    entry.id = nextId_++;
    const std::uint64_t id = entry.id;
    entries_.push_front(std::move(entry));
    trim();
    return id;
}

void DrawingHistory::appendOlder(std::deque<HistoryEntry> older) {
    for (HistoryEntry& entry : older) {
        if (entries_.size() >= limits_.maxEntries)
            break;
        entry.id = nextId_++;
        entries_.push_back(std::move(entry));
    }
    trim();
}

std::size_t DrawingHistory::pictureBytes() const {
    std::size_t total = 0;
    for (const HistoryEntry& entry : entries_) {
        if (entry.picture)
            total += entry.picture->bytes();
    }
    return total;
}

void DrawingHistory::trim() {
    while (entries_.size() > limits_.maxEntries)
        entries_.pop_back();
    // The newest pictures stay while they fit; a picture larger than the whole budget is
    // not kept at all.
    std::size_t pictures = 0;
    std::size_t bytes = 0;
    for (HistoryEntry& entry : entries_) {
        if (!entry.picture)
            continue;
        const std::size_t size = entry.picture->bytes();
        if (pictures < limits_.maxPictures && bytes + size <= limits_.maxPictureBytes) {
            ++pictures;
            bytes += size;
        } else {
            entry.picture.reset();
        }
    }
}

} // namespace wavory
