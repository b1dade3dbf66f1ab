#include "colorsets/ColorSetCollection.h"

#include "common/UiText.h"

#include "common/Numbers.h"
#include "io/TextCodec.h"

#include <cstdio>
#include <limits>

namespace wavory {

namespace {

// Byte offset where the last `count` characters of a UTF-8 text begin (0 when the text
// is shorter).
std::size_t lastCharactersOffset(std::string_view text, int count) {
    std::size_t pos = text.size();
    while (count > 0 && pos > 0) {
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
        --count;
    }
    return pos;
}

std::string atLeastTwoDigits(std::int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(value));
    return buffer;
}

struct Renamed {
    std::string name;
    bool restartScan;
};

// The name given to a set whose name is taken. A name ending in a positive number counts
// on from it; a name of one character that is itself a number is replaced as a whole
// ("7" -> "08", as "07" would be), since there are not two characters to drop.
Renamed renameTaken(const std::string& name) {
    const std::size_t tail = lastCharactersOffset(name, 2);
    const double value = leadingNumber(std::string_view(name).substr(tail));
    if (value > 0) {
        return {name.substr(0, tail) + atLeastTwoDigits(roundToInt64(value + 1)), true};
    }
    return {name + "_02", false};
}

bool fitsInt16(int value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

std::vector<std::string> ColorSetCollection::names() const {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i)
        result.push_back(slots_[i].name);
    return result;
}

int ColorSetCollection::indexOfName(std::string_view name, int except) const {
    for (int i = 0; i < count_; ++i) {
        if (i != except && slots_[i].name == name)
            return i;
    }
    return -1;
}

const GColor* ColorSetCollection::selectedSet() const {
    return selected_ >= 0 && selected_ < count_ ? &slots_[selected_] : nullptr;
}

bool ColorSetCollection::select(int index) {
    if (index < -1 || index >= count_)
        return false;
    setSelection(index);
    return true;
}

Result ColorSetCollection::colorSetLimitOk() const {
    if (count_ < kCapacity)
        return {};
    return Result::failure(colorSetLimitMessage());
}

Result ColorSetCollection::addColorSet(std::string_view vGradName, std::int16_t vGradLevelCnt) {
    if (Result room = colorSetLimitOk(); !room.ok())
        return room;
    // Whatever file a name came from, the collection holds it as text.
    std::string name = textcodec::decodeFileText(vGradName);
    for (int i = 0; i < count_;) {
        if (slots_[i].name != name) {
            ++i;
            continue;
        }
        Renamed renamed = renameTaken(name);
        name = std::move(renamed.name);
        i = renamed.restartScan ? 0 : i + 1;
    }
    GColor& slot = slots_[count_];
    slot = GColor{};
    slot.name = std::move(name);
    slot.colorCount = 0;
    slot.colorLevelCount = vGradLevelCnt;
    ++count_;
    return {};
}

bool ColorSetCollection::addColorPoint(int index, int r, int g, int b) {
    if (index < 0 || index >= kSlotCount)
        return false;
    GColor& set = slots_[index];
    if (set.colorCount < 0 || set.colorCount >= kMaxColorPoints)
        return false;
    if (!fitsInt16(r) || !fitsInt16(g) || !fitsInt16(b))
        return false;
    set.r[set.colorCount] = static_cast<std::int16_t>(r);
    set.g[set.colorCount] = static_cast<std::int16_t>(g);
    set.b[set.colorCount] = static_cast<std::int16_t>(b);
    ++set.colorCount;
    return true;
}

std::int16_t ColorSetCollection::hasSameColorSet(std::int16_t vIndex) const {
    if (vIndex < 0 || vIndex >= kSlotCount)
        return -1;
    for (std::int16_t c = 0; c < count_; ++c) {
        if (c != vIndex && sameColors(slots_[c], slots_[vIndex]))
            return c;
    }
    return -1;
}

bool ColorSetCollection::removeColorSet(std::int16_t& vintRmIndex) {
    if (vintRmIndex < 0 || vintRmIndex >= count_)
        return false;
    for (int i = vintRmIndex; i < count_ - 1; ++i)
        slots_[i] = std::move(slots_[i + 1]);
    --count_;
    slots_[count_] = GColor{};
    if (vintRmIndex >= count_)
        vintRmIndex = static_cast<std::int16_t>(count_ - 1);
    setSelection(vintRmIndex);
    return true;
}

void ColorSetCollection::clear() {
    slots_.fill(GColor{});
    count_ = 0;
    setSelection(-1);
}

void ColorSetCollection::setSelection(int index) {
    selected_ = index;
    if (listener_)
        listener_(index);
}

UserMessage colorSetLimitMessage() {
    return {
        MessageIcon::Exclamation,
        fillText(UiText::tr("作成できる色セットは %1個までです。\r\nこれ以上は追加できません。"),
                 {std::to_string(ColorSetCollection::kCapacity)})};
}

} // namespace wavory
