#pragma once
// The large working memory of a drawing, kept for the next drawing that needs a block of
// the same size: fresh memory has to be cleared by the system page by page, which costs
// a good part of a drawing, and drawings (the animation above all) usually follow each
// other at the same size. A block of another size frees what its slot kept, so a small
// picture never holds on to the memory of a big one.
//
// A block may also carry what its contents were computed from (a table's inputs as
// bytes): the next drawing with the same inputs uses them as they are instead of
// computing them again.

#include <cstddef>
#include <string>
#include <utility>

namespace wavory {

class KeptMemory {
  public:
    enum class Slot { Staging, PairTables, RibbonTable };

    // Takes the kept block of the slot when it has `bytes` bytes, otherwise allocates one
    // (std::bad_alloc when that fails). The contents are undefined.
    KeptMemory(Slot slot, std::size_t bytes);
    // Hands the block back to its slot for the next drawing.
    ~KeptMemory();
    KeptMemory(const KeptMemory&) = delete;
    KeptMemory& operator=(const KeptMemory&) = delete;

    void* data() const { return memory_; }

    // Calls fill() to compute the contents from `inputs` unless the block already holds
    // the contents of the same inputs. An exception from fill() leaves them undefined.
    template <typename Fill> void fillFor(std::string inputs, Fill&& fill) {
        if (contents_ == inputs)
            return;
        contents_.clear();
        fill();
        contents_ = std::move(inputs);
    }

    // Bytes kept now, over every slot.
    static std::size_t keptBytes();
    // Every kept block's contents become undefined (the memory stays kept): the next
    // drawing computes its tables in full, as benchmarks of a whole drawing need.
    static void forgetContents();

  private:
    Slot slot_;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    std::string contents_; // the inputs of the contents; empty while they are undefined
};

} // namespace wavory
