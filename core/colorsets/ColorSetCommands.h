#pragma once
// The collection side of the add and copy commands: a free name, the new set with its
// first points, and undoing it when the editor is cancelled. The windows open the editor
// in between.

#include "colorsets/ColorSetCollection.h"

#include <string>

namespace wavory {

// "新規_01", "新規_02", …: the first that no set of the collection has.
std::string freeNewSetName(const ColorSetCollection& collection);

// name + "のコピー" + " 1", " 2", …: the first that no set has. `sourceName` is the name of
// the set being copied.
std::string freeCopySetName(const ColorSetCollection& collection, const std::string& sourceName);

// The set an add or copy command appended: its position, or -1 when nothing was added
// (then the outcome holds the capacity message if the collection was full).
struct AddedColorSet {
    int index = -1;
    Result outcome;
};

// Add command: appends a set under a free name with level exponent 8 and the points
// black, white, white, black, and selects it. Nothing changes when the collection is
// full.
AddedColorSet addNewColorSet(ColorSetCollection& collection);

// Copy command: appends a copy of the set at `source` (its level exponent and all its
// points) under a free name and selects it. Nothing is added when the collection is full
// or `source` is not a set of the collection.
AddedColorSet addColorSetCopy(ColorSetCollection& collection, int source);

// After the editor was cancelled on a set just added: removes the last set and selects
// `previousSelection` again.
void undoAddedColorSet(ColorSetCollection& collection, int previousSelection);

} // namespace wavory
