#pragma once
// The drawing parameters as the windows hold them: the texts of the parameter fields
// exactly as typed, the switches, the lists' selections and the sliders. The parameter
// text file reads and writes these texts unformatted; the engine takes its snapshot
// from them at the start of every drawing.

#include "common/UiText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavory {

inline constexpr int kComponentCount = 8;
inline constexpr int kValueSlotCount = 18;

// The components' switch captions, which are also the section headers of the parameter
// text file.
inline constexpr std::array<std::string_view, kComponentCount> kComponentNames{
    UiText::trNoop("垂直成分"),     UiText::trNoop("水平成分"),  UiText::trNoop("斜め成分"),
    UiText::trNoop("円型成分"),     UiText::trNoop("矩形成分"),  UiText::trNoop("＋型成分"),
    UiText::trNoop("リボン型成分"), UiText::trNoop("波紋型成分")};

// The value slots of each component's period and amplitude. The circle (component 3) has
// a second period, along Y; the ripple's period slot is shown and stored but draws
// nothing. Slot 9 is the power.
inline constexpr int kCircleComponent = 3;
inline constexpr std::array<int, kComponentCount> kPeriodSlot{0, 2, 4, 6, 10, 12, 14, 16};
inline constexpr int kCircleYPeriodSlot = 8;
inline constexpr std::array<int, kComponentCount> kAmplitudeSlot{1, 3, 5, 7, 11, 13, 15, 17};
inline constexpr int kPowerSlot = 9;

// Every image side the size dialog, a parameter file and the settings accept, in pixels.
inline constexpr int kMinImageSide = 4;
inline constexpr int kMaxImageSide = 3000;

// Draw modes, by index of the mode list.
enum class DrawMode { Normal = 0, And = 1, Or = 2, Xor = 3 };

// AND, OR and XOR combine the drawing with the picture already there; the normal mode
// replaces it.
constexpr bool isCombiningMode(DrawMode mode) {
    return mode != DrawMode::Normal;
}

// The phase shift runs from 0 to this percent.
inline constexpr int kMaxPhase = 99;

// The frame sliders run from 0 to this.
inline constexpr int kFrameSliderMax = 50;

struct FrameFields {
    bool enabled = false;      // chkFrameEnabled
    std::int32_t color = 0;    // picFrameColor, R + 256 G + 65536 B
    int senmei = 25;           // sldFrameSenmei, 0..50: overall strength of the border
    int shadow = 25;           // sldFrameShadow, 0..50: darkness of the lower right part
    int line = 25;             // sldFrameLine, 0..50: sharpness of the border lines
    std::string width = "10";  // txtX
    std::string height = "10"; // txtY
    friend bool operator==(const FrameFields&, const FrameFields&) = default;
};

struct ParamFields {
    // chkValue(0..7): vertical, horizontal, diagonal, circle on at start-up.
    std::array<bool, kComponentCount> componentOn{true,  true,  true,  true,
                                                  false, false, false, false};
    // txtValue(0..17): periods show "1", amplitudes "0", the power "1".
    std::array<std::string, kValueSlotCount> values{"1", "0", "1", "0", "1", "0", "1", "0", "1",
                                                    "1", "1", "0", "1", "0", "1", "0", "1", "0"};
    std::array<std::string, 2> center{"0", "0"}; // txtCenter(0) X, txtCenter(1) Y
    std::string bleed = "0";                     // txtNizimi
    int width = 200;                             // image size in pixels
    int height = 200;
    int colorSetIndex = 0; // cbogColor list index
    int phase = 0;         // hscIso, 0..99 percent
    DrawMode mode = DrawMode::Normal;
    FrameFields frame;
    friend bool operator==(const ParamFields&, const ParamFields&) = default;
};

} // namespace wavory
