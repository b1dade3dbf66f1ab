// The color set file reader on arbitrary bytes, in every way the program uses it: into an
// empty collection (start-up) or one holding the built-in sets (loading a file), with
// and without duplicate removal.
#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetFile.h"
#include "colorsets/GColor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace wavory;

namespace {

void readOnce(std::string_view bytes, bool startWithBuiltins, bool removeDuplicates) {
    ColorSetCollection sets;
    if (startWithBuiltins)
        initColors(sets);
    const int before = sets.colorSetCount();
    const ColorSetsRead read = readColorSetsFromBytes(bytes, sets, removeDuplicates);
    const auto limitMessages = read.outcome.messages().size();

    // Reading stops at the first refused set, so the limit is told at most once.
    if (limitMessages > 1 || sets.colorSetCount() > ColorSetCollection::kCapacity ||
        sets.colorSetCount() < before)
        std::abort();
    for (int i = 0; i < sets.colorSetCount(); ++i) {
        const GColor& set = sets.at(i);
        if (set.colorCount < 0 || set.colorCount > kMaxColorPoints || set.name.empty())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool builtins : {false, true})
        for (const bool removeDuplicates : {false, true})
            readOnce(bytes, builtins, removeDuplicates);
    return 0;
}
