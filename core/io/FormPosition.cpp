#include "io/FormPosition.h"

#include "common/Numbers.h"

namespace wavory {

std::int64_t pixelsToTwips(std::int32_t pixels) {
    return static_cast<std::int64_t>(pixels) * kTwipsPerPixel;
}

std::int32_t twipsToPixels(double twips) {
    return roundToInt32(twips / kTwipsPerPixel);
}

WindowRect keepOnScreen(WindowRect rForm, ScreenSize screen) {
    if (rForm.left >= screen.width)
        rForm.left = screen.width - rForm.width;
    if (rForm.top >= screen.height)
        rForm.top = 0;
    return rForm;
}

} // namespace wavory
