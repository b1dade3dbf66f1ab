#pragma once
// The user's color sets: a table of 51 slots of which the first N (at most 50) are in
// use, in list order, with the list selection. The color set list of the main window
// shows slot i at position i; the windows bind to this model.

#include "colorsets/GColor.h"
#include "common/Result.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wavory {

class ColorSetCollection {
  public:
    static constexpr int kSlotCount = 51;
    static constexpr int kCapacity = 50;

    // Told about the new selection whenever it changes (the main window repaints its
    // gradient bar); -1 means nothing is selected.
    using SelectionListener = std::function<void(int)>;

    void setSelectionListener(SelectionListener listener) { listener_ = std::move(listener); }

    // Number of sets N.
    std::int16_t colorSetCount() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Slot access, 0..50 (slots from N on hold no set). Throws std::out_of_range otherwise.
    const GColor& at(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
    GColor& at(int index) { return slots_.at(static_cast<std::size_t>(index)); }

    // The names of the N sets in list order.
    std::vector<std::string> names() const;

    // First position from 0 whose name equals `name` exactly, skipping `except`; -1 if none.
    int indexOfName(std::string_view name, int except = -1) const;

    // Selected list position, -1 when nothing is selected.
    int selectedIndex() const { return selected_; }
    const GColor* selectedSet() const;
    // Selects position 0..N-1, or -1 for none; any other index is refused (false).
    bool select(int index);

    // Success while fewer than 50 sets exist; otherwise fails with the capacity message.
    Result colorSetLimitOk() const;

    // Appends a set without points. A name that is not UTF-8 is decoded as CP932 (bytes
    // that are neither become U+FFFD). A name already in use is changed: a name ending in a
    // positive number takes the next number ("RGB_02" -> "RGB_03") and the scan restarts;
    // any other name gets "_02" and the scan goes on. Fails with the capacity message
    // (nothing added) when the collection is full. The selection does not change.
    Result addColorSet(std::string_view vGradName, std::int16_t vGradLevelCnt);

    // Appends one point to slot `index` (0..50). Refused (false, nothing changed) when the
    // index is outside 0..50, the set already holds 12 points, or a value does not fit
    // 16 bits. Values outside 0..255 are kept as given.
    bool addColorPoint(int index, int r, int g, int b);

    // Position of the first other set with the same point count, level exponent and
    // points as set `vIndex` (names are not compared); -1 when there is none.
    std::int16_t hasSameColorSet(std::int16_t vIndex) const;

    // Removes the set at `vintRmIndex`, moving the later ones down, and selects the set
    // that took its place, or the new last set; `vintRmIndex` then holds the new
    // selection (-1 when the collection became empty). Returns false and changes nothing
    // for an index outside 0..N-1.
    bool removeColorSet(std::int16_t& vintRmIndex);

    // Removes every set and the selection.
    void clear();

  private:
    void setSelection(int index);

    std::array<GColor, kSlotCount> slots_{};
    std::int16_t count_ = 0;
    int selected_ = -1;
    SelectionListener listener_;
};

// The capacity message: "作成できる色セットは 50個までです。" + CR LF +
// "これ以上は追加できません。".
UserMessage colorSetLimitMessage();

} // namespace wavory
