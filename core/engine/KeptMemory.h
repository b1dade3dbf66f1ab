#pragma once
// The large working memory of a drawing, kept for the next drawing that needs a block of
// the same size: fresh memory has to be cleared by the system page by page, which costs
// a good part of a drawing, and drawings (the animation above all) usually follow each
// other at the same size. A block of another size frees what its slot kept, so a small
// picture never holds on to the memory of a big one.

#include <cstddef>

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

    // Bytes kept now, over every slot.
    static std::size_t keptBytes();

  private:
    Slot slot_;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
};

} // namespace wavory
