#pragma once
// The frames of an animation, held compactly and losslessly: compressed in memory up to
// a budget, beyond it in a spill file in the user's cache folder. The spill file is
// removed with the store; files left by a killed program are removed at the next start
// (removeStaleFrameSpills). Frames read back pixel-identical.

#include "common/Result.h"
#include "image/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace wavory {

class PhasePattern;

struct FrameStoreLimits {
    std::size_t memoryBudget = 0; // bytes of frame data kept in memory
    std::string spillFolder;      // created when first needed; empty: a private folder
                                  // made in $TMPDIR (else /tmp) and removed with the store
};

// "1.5 GB", "320 MB": a size as the messages show it.
std::string sizeText(std::uint64_t bytes);

// The user's cache folder for spill files: $XDG_CACHE_HOME/wavory, else ~/.cache/wavory;
// empty when neither is set (no folder shared with other users is ever guessed).
std::string frameSpillFolder();
// $TMPDIR when it names a folder, else /tmp.
std::string temporaryFolder();
// A quarter of the memory available now (MemAvailable), at least 64 MiB, and the cache
// folder above.
FrameStoreLimits defaultFrameStoreLimits();
// Removes the spill files in the folder that no running program holds.
void removeStaleFrameSpills(const std::string& folder);

class FrameStore {
  public:
    explicit FrameStore(FrameStoreLimits limits = defaultFrameStoreLimits());
    ~FrameStore();
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;

    // Before a creation of `frames` frames of width x height: ok when the frames fit even
    // if none compressed at all (memory budget plus the free space of the spill folder),
    // otherwise a critical failure that says how much is needed and how much there is.
    Result reserve(int frames, int width, int height);
    // Stores a copy of `frame` as frame `index` (0-based), replacing what was there.
    // Fails (with the system's error text) when the spill file cannot be written.
    Result put(int index, const Canvas& frame);
    // Stores frame `index` as the pattern painted at `phase`: the frames of one pattern
    // share it, so each costs nothing more.
    Result putPattern(int index, std::shared_ptr<const PhasePattern> pattern, int phase);
    // Frame `index` back, pixel-identical; false when the store does not hold it (or its
    // spill file can no longer be read).
    bool get(int index, Canvas& out) const;
    // Frames held: highest index ever stored + 1 (a shorter later animation overwrites
    // 0..n-1; the frames beyond stay held). 0 when empty.
    int held() const;

    // Bytes of frame data held in memory now, and written to the spill file.
    std::size_t memoryBytes() const;
    std::uint64_t spilledBytes() const;
    // The spill file, empty before the first frame went there.
    std::string spillPath() const;
    const FrameStoreLimits& limits() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace wavory
