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
#include <cstdint>
#include <string>
#include <utility>

namespace wavory {

class KeptMemory {
  public:
    enum class Slot { Staging,
        PlusTable,
        RippleTable,
        RibbonTable,
        RibbonTerms,
        PatternValues,
        Count };

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

    // For contents written piecemeal (a drawing that may stop halfway): holds() tells
    // whether they are those of `inputs`; otherwise beginFilling() marks them undefined
    // until filled() names the inputs they were completed for.
    bool holds(const std::string& inputs) const { return !inputs.empty() && contents_ == inputs; }
    void beginFilling() { contents_.clear(); }
    void filled(std::string inputs) { contents_ = std::move(inputs); }

    // What the slot's kept block was computed from (empty: nothing, or undefined): a
    // drawing may find there contents that serve it without being its own (a table of
    // more pairs than it needs, say) and then ask for a block of that size.
    static std::string keptInputs(Slot slot);

    // A drawing of a w x h picture begins: the blocks kept for pictures of another size
    // are freed (a drawing may leave a slot unused), and the blocks handed back from now
    // on are those of this size.
    static void beginPicture(int width, int height);

    // While one lives on a thread, the blocks that thread takes are its own: none is taken
    // from a slot, handed back or freed from one, and beginPicture() keeps every slot as it
    // is. A small drawing between two of a large picture (a preview) leaves the large
    // one's blocks and contents to it instead of freeing them.
    class Apart {
      public:
        explicit Apart(bool apart = true);
        ~Apart();
        Apart(const Apart&) = delete;
        Apart& operator=(const Apart&) = delete;

      private:
        bool was_;
    };

    // Bytes kept now, over every slot.
    static std::size_t keptBytes();
    // Every kept block's contents become undefined (the memory stays kept): the next
    // drawing computes its tables in full, as benchmarks of a whole drawing need.
    static void forgetContents();

  private:
    Slot slot_;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    std::uint64_t picture_ = 0; // the picture size it was taken for
    bool apart_ = false;        // taken under Apart: freed, never handed back
    std::string contents_; // the inputs of the contents; empty while they are undefined
};

} // namespace wavory
