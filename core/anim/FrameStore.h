#pragma once
// The frames of an animation, held compactly and losslessly: compressed in memory up to
// a budget, beyond it in a spill file in the user's cache folder. The spill file is
// removed with the store; files left by a killed program are removed at the next start
// (removeStaleFrameSpills). Frames read back pixel-identical.
//
// Storing hands a copy of the frame over and returns: the work pool compresses it (and
// spills it) while the caller draws the next one. Frames are placed in the order they
// were handed over; whoever reads a frame waits for that frame to be placed.

#include "common/MemoryAmount.h"
#include "common/Result.h"
#include "image/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace wavory {

class PhasePattern;
class WorkPool;

struct FrameStoreLimits {
    std::size_t memoryBudget = 0; // bytes of frame data kept in memory
    std::string spillFolder;      // created when first needed; empty: a private folder
                                  // made in $TMPDIR (else /tmp) and removed with the store
};

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
    FrameStore(FrameStoreLimits limits, WorkPool& pool);
    ~FrameStore(); // waits for the frames handed over
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;

    // Before a creation of `frames` frames of width x height: ok when the frames fit even
    // if none compressed at all (memory budget plus the free space of the spill folder),
    // otherwise a critical failure that says how much is needed and how much there is.
    Result reserve(int frames, int width, int height);
    // Hands a copy of `frame` over as frame `index` (0-based), to replace what is there.
    // Waits only while a few frames are still being compressed. Fails when memory runs
    // out for the copy, or with the failure of a frame handed over before (each failure
    // is returned once, here or by flush); a frame that fails is not held.
    // Not to be called from a task of the work pool.
    Result put(int index, const Canvas& frame);
    // Stores frame `index` as the pattern painted at `phase`: the frames of one pattern
    // share it, so each costs nothing more. In order with the frames handed over.
    Result putPattern(int index, std::shared_ptr<const PhasePattern> pattern, int phase);
    // Waits until every frame handed over is placed: the first failure (a spill file that
    // cannot be written, memory that ran out) not yet returned.
    Result flush();
    // Frame `index` back, pixel-identical, once it is placed; false when the store does
    // not hold it (or its spill file can no longer be read, or memory runs out).
    bool get(int index, Canvas& out) const;
    // Frames held once those handed over are placed: highest index ever stored + 1 (a
    // shorter later animation overwrites 0..n-1; the frames beyond stay held). 0 when empty.
    int held() const;

    // Once the frames handed over are placed: bytes of frame data held in memory, and
    // written to the spill file.
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
