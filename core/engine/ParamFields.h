#pragma once
// The drawing parameters as the windows hold them: the texts of the parameter fields
// exactly as typed, the switches, the lists' selections and the sliders. The parameter
// text file reads and writes these texts unformatted; the engine takes its snapshot
// from them at the start of every drawing.

#include <array>
#include <cstdint>
#include <string>

namespace wavory {

inline constexpr int kComponentCount = 8;
inline constexpr int kValueSlotCount = 18;
inline constexpr int kPowerSlot = 9;

// Draw modes, by index of the mode list.
enum class DrawMode { Normal = 0, And = 1, Or = 2, Xor = 3 };

struct FrameFields {
    bool enabled = false;        // chkFrameEnabled
    std::int32_t color = 0;      // picFrameColor, R + 256 G + 65536 B
    int senmei = 25;             // sldFrameSenmei, 0..50: overall strength of the border
    int shadow = 25;             // sldFrameShadow, 0..50: darkness of the lower right part
    int line = 25;               // sldFrameLine, 0..50: sharpness of the border lines
    std::string width = "10";    // txtX
    std::string height = "10";   // txtY
};

struct ParamFields {
    // chkValue(0..7): vertical, horizontal, diagonal, circle on at start-up.
    std::array<bool, kComponentCount> componentOn{true, true, true, true, false, false, false, false};
    // txtValue(0..17): periods show "1", amplitudes "0", the power "1".
    std::array<std::string, kValueSlotCount> values{"1", "0", "1", "0", "1", "0", "1", "0", "1",
                                                    "1", "1", "0", "1", "0", "1", "0", "1", "0"};
    std::array<std::string, 2> center{"0", "0"}; // txtCenter(0) X, txtCenter(1) Y
    std::string bleed = "0";                      // txtNizimi
    int width = 200;                              // image size in pixels
    int height = 200;
    int colorSetIndex = 0; // cbogColor list index
    int phase = 0;         // hscIso, 0..99 percent
    DrawMode mode = DrawMode::Normal;
    FrameFields frame;
};

} // namespace wavory
