#pragma once
// Where "arrange the windows" puts the easy help, frame settings and picture windows
// around the main window. All geometry is in twips, as the settings file keeps it, so
// the halving rounds the way stored layouts expect.

#include <cstdint>

namespace wavory {

// A window's outer rectangle (frame and title bar included), in twips.
struct TwipsRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

struct TwipsPoint {
    std::int64_t left = 0;
    std::int64_t top = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct Arrangement {
    TwipsPoint help;
    TwipsPoint frame; // only meaningful when the frame window is switched on
    TwipsPoint picture;
};

// The help window goes directly below the main window, left edges aligned. With the
// frame window switched on it goes right of the main window, top edges aligned, and the
// picture window below it: centred on it when the frame window is the wider and centred
// in the height left down to the bottom of the help window (each offset halved with
// truncation and never negative). Otherwise the picture window goes right of the main
// window, top edges aligned. Only the sizes of the other windows are used.
Arrangement arrangeWindows(const TwipsRect& main, const TwipsRect& frame, const TwipsRect& picture,
                           const TwipsRect& help, bool frameShown);

} // namespace wavory
