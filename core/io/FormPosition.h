#pragma once
// Window positions: the settings file keeps them in twips, the windows work in pixels,
// and a stored position is pulled back onto the screen before it is used.

#include <cstdint>

namespace wavory {

// Twips per logical pixel at 96 dots per inch, the scale the settings files are stored in.
inline constexpr int kTwipsPerPixel = 15;

std::int64_t pixelsToTwips(std::int32_t pixels);
// Rounded half to even, saturated to the 32-bit range.
std::int32_t twipsToPixels(double twips);

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Brings a window back onto the screen: a left edge at or beyond the screen's width
// moves the window so that its right edge meets the screen's right edge; then a top edge
// at or below the screen's height moves it to the top. Negative positions stay, since a
// second monitor may lie left of or above the first. Any unit, used consistently.
WindowRect keepOnScreen(WindowRect rForm, ScreenSize screen);

} // namespace wavory
