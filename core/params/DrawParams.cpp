#include "params/DrawParams.h"

#include "common/Numbers.h"

#include <algorithm>

namespace wavory {

float periodFromSlot(std::int32_t slot) {
    return static_cast<float>(static_cast<double>(slot) / 3.0 + 0.5);
}

FrameParams takeFrameSnapshot(const FrameFields& fields, int width, int height) {
    FrameParams frame;
    frame.enabled = fields.enabled;
    frame.fx = leadingInt32(fields.width);
    frame.fy = leadingInt32(fields.height);
    const int senmei = std::clamp(fields.senmei, 0, kFrameSliderMax);
    const int shadow = std::clamp(fields.shadow, 0, kFrameSliderMax);
    const int line = std::clamp(fields.line, 0, kFrameSliderMax);
    frame.strength = static_cast<float>(1.0 - senmei / 50.0);
    frame.shadow = static_cast<float>(1.0 - shadow / 50.0);
    frame.line = static_cast<float>(line / 50.0);
    // A width of 0 is refused before drawing; keep the slope finite meanwhile.
    frame.slope =
        frame.fx != 0 ? static_cast<float>(static_cast<double>(frame.fy) / frame.fx) : 0.0f;
    frame.xr = static_cast<std::int64_t>(width) - frame.fx - 1;
    frame.yb = static_cast<std::int64_t>(height) - frame.fy - 1;
    const auto color = static_cast<std::uint32_t>(fields.color);
    frame.colorR = static_cast<std::uint8_t>(color & 0xFF);
    frame.colorG = static_cast<std::uint8_t>((color >> 8) & 0xFF);
    frame.colorB = static_cast<std::uint8_t>((color >> 16) & 0xFF);
    return frame;
}

DrawParams takeDrawSnapshot(const ParamFields& fields) {
    DrawParams p;
    p.width = fields.width;
    p.height = fields.height;
    for (int i = 0; i < kValueSlotCount; ++i) {
        const std::int32_t v = leadingInt32(fields.values[static_cast<std::size_t>(i)]);
        p.slots[static_cast<std::size_t>(i)] = v < 1 ? 1 : v;
    }
    for (int i = 0; i < kComponentCount; ++i) {
        const auto c = static_cast<std::size_t>(i);
        p.switches[c] = fields.componentOn[c] ? 1 : 0;
        p.amplitude[c] = static_cast<float>(p.switches[c]) *
                         static_cast<float>(p.slots[static_cast<std::size_t>(kAmplitudeSlot[c])]);
        if (i != 7)
            p.period[c] = periodFromSlot(p.slots[static_cast<std::size_t>(kPeriodSlot[c])]);
    }
    p.circlePeriodY = periodFromSlot(p.slots[kCircleYPeriodSlot]);
    p.power = static_cast<float>(p.slots[kPowerSlot]);
    p.bleed = leadingInt32(fields.bleed);
    p.centerX = leadingInt32(fields.center[0]);
    p.centerY = leadingInt32(fields.center[1]);
    // Center offsets may be anything a field holds: keep them exact in 64 bits.
    p.cx = static_cast<std::int64_t>(p.width / 2) - p.centerX;
    p.cy = static_cast<std::int64_t>(p.height / 2) - p.centerY;
    p.phase = std::clamp(fields.phase, 0, kMaxPhase);
    p.mode = fields.mode;
    p.colorSetIndex = fields.colorSetIndex;
    p.frame = takeFrameSnapshot(fields.frame, p.width, p.height);
    return p;
}

int progressStep(int width) {
    return std::max(static_cast<int>(roundHalfEven(width / 100.0)), 4);
}

int refreshStep(int width) {
    return std::max(static_cast<int>(roundHalfEven(width / 20.0)), 20);
}

} // namespace wavory
