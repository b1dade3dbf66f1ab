#include "colorsets/ColorSetCommands.h"

#include "common/UiText.h"

#include <cstdio>

namespace wavory {

namespace {

template <typename Candidate>
std::string firstFreeName(const ColorSetCollection& collection, Candidate candidate) {
    // At most 50 names are taken, so one of the first 51 candidates is free.
    for (int k = 1;; ++k) {
        std::string name = candidate(k);
        if (collection.indexOfName(name) < 0)
            return name;
    }
}

} // namespace

std::string freeNewSetName(const ColorSetCollection& collection) {
    return firstFreeName(collection, [](int k) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", k);
        return fillText(UiText::tr("新規_%1"), {digits});
    });
}

std::string freeCopySetName(const ColorSetCollection& collection, const std::string& sourceName) {
    return firstFreeName(collection, [&sourceName](int k) {
        return fillText(UiText::tr("%1のコピー %2"), {sourceName, std::to_string(k)});
    });
}

AddedColorSet addNewColorSet(ColorSetCollection& collection) {
    AddedColorSet added{-1, collection.addColorSet(freeNewSetName(collection), 8)};
    if (!added.outcome.ok())
        return added;
    const int index = collection.colorSetCount() - 1;
    collection.select(index);
    collection.addColorPoint(index, 0, 0, 0);
    collection.addColorPoint(index, 255, 255, 255);
    collection.addColorPoint(index, 255, 255, 255);
    collection.addColorPoint(index, 0, 0, 0);
    added.index = index;
    return added;
}

AddedColorSet addColorSetCopy(ColorSetCollection& collection, int source) {
    if (source < 0 || source >= collection.colorSetCount())
        return {};
    // Copied before adding: the new set is appended behind the source, but keep no
    // reference into the table across the change.
    const GColor original = collection.at(source);
    AddedColorSet added{-1, collection.addColorSet(freeCopySetName(collection, original.name),
                                                 original.colorLevelCount)};
    if (!added.outcome.ok())
        return added;
    const int index = collection.colorSetCount() - 1;
    collection.select(index);
    for (int i = 0; i < original.colorCount && i < kMaxColorPoints; ++i) {
        collection.addColorPoint(index, original.r[i], original.g[i], original.b[i]);
    }
    added.index = index;
    return added;
}

void undoAddedColorSet(ColorSetCollection& collection, int previousSelection) {
    std::int16_t last = static_cast<std::int16_t>(collection.colorSetCount() - 1);
    collection.removeColorSet(last);
    collection.select(previousSelection);
}

} // namespace wavory
