// The parameter text reader on arbitrary bytes, with the built-in color set names.
#include "colorsets/BuiltinColorSets.h"
#include "io/ParamTextFile.h"
#include "params/ParamFields.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace wavory;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const auto& set : builtinColorSets())
            result.push_back(set.name);
        return result;
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ParamFields fields;
    (void)parseParamText(bytes, fields, names);
    return 0;
}
