#include "common/Clamps.h"

#include "common/Numbers.h"

namespace wavory {

std::string clampFieldText(std::string_view text, double upper, std::optional<double> lower) {
    std::string result(text);
    if (leadingNumber(result) > upper)
        result = plainDecimal(upper);
    if (lower && leadingNumber(result) < *lower)
        result = plainDecimal(*lower);
    return result;
}

} // namespace wavory
