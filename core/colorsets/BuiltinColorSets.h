#pragma once
// The fourteen color sets defined in the program itself, and `initColors`, which puts
// them back in place of the whole collection.

#include "colorsets/GColor.h"

#include <vector>

namespace wavory {

class ColorSetCollection;

// The built-in sets in collection order, "紫水黄" first.
const std::vector<GColor>& builtinColorSets();

// Throws away every set of the collection, adds the built-in sets in order and selects
// the first one.
void initColors(ColorSetCollection& collection);

} // namespace wavory
