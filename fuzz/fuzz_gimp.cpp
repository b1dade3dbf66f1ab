// The GIMP gradient and palette readers on arbitrary bytes: a read set always has 2 to 12
// points within 0..255, and a gradient's colours stay within 0..255 everywhere.
#include "colorsets/GimpGradient.h"
#include "colorsets/GimpPalette.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace wavory;

namespace {

void checkSet(const GColor& set) {
    if (set.colorCount < 2 || set.colorCount > kMaxColorPoints)
        std::abort();
    for (int i = 0; i < set.colorCount; ++i)
        for (const int v : {set.r[i], set.g[i], set.b[i]})
            if (v < 0 || v > 255)
                std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    GColor set;
    if (parseGimpPalette(bytes, set, error))
        checkSet(set);
    GimpGradient gradient;
    if (parseGimpGradient(bytes, gradient, error)) {
        for (int i = 0; i <= 64; ++i)
            for (const double c : gradient.colorAt(i / 64.0))
                if (!(c >= 0 && c <= 255))
                    std::abort();
        checkSet(fitColorPoints([&gradient](double t) { return gradient.colorAt(t); }));
    }
    return 0;
}
