#pragma once
// The snapshot of the drawing parameters that one drawing reads at its start and never
// again: periods, amplitudes and power as the synthesis uses them, bleed, center, phase,
// mode and the frame.

#include "params/ParamFields.h"

#include <array>
#include <cstdint>

namespace wavory {

struct FrameParams {
    bool enabled = false;
    std::int32_t fx = 10; // frame width in pixels
    std::int32_t fy = 10; // frame height in pixels
    float strength = 1;   // S = 1 - Senmei / 50: pattern weight over the whole border
    float shadow = 1;     // D = 1 - Shadow / 50: factor of the lower right frame color
    float line = 0;       // L = Line / 50: how strongly the border lines stand out
    float slope = 1;      // k = fy / fx, the mitre slope
    std::int64_t xr = 0;  // first column of the right band, W - fx - 1
    std::int64_t yb = 0;  // first row of the bottom band, H - fy - 1
    std::uint8_t colorR = 0, colorG = 0, colorB = 0;
};

struct DrawParams {
    int width = 0;  // W
    int height = 0; // H
    // The value array after raising every slot below 1 to 1.
    std::array<std::int32_t, kValueSlotCount> slots{};
    std::array<int, kComponentCount> switches{};
    // P0..P6 by component (P3 is the circle's period along X); index 7 stays 0 because
    // the ripple has no period.
    std::array<float, kComponentCount> period{};
    float circlePeriodY = 1;                        // P3y
    std::array<float, kComponentCount> amplitude{}; // A = switch x amplitude slot
    float power = 1;                                // E
    std::int32_t bleed = 0;                         // N
    std::int32_t centerX = 0, centerY = 0;          // the center offsets as typed
    std::int64_t cx = 0, cy = 0;                    // pattern center in pixels
    int phase = 0;                                  // 0..99 percent
    DrawMode mode = DrawMode::Normal;
    int colorSetIndex = 0;
    FrameParams frame;

    bool componentActive(int i) const { return amplitude[static_cast<std::size_t>(i)] > 0; }
};

// The divisor of a period slot: slot / 3 + 0.5, divided in double precision and stored
// in single precision.
float periodFromSlot(std::int32_t slot);

// Reads the snapshot from the field texts: every value slot is the leading number of
// its text rounded half to even (saturating) and raised to 1 when below 1.
DrawParams takeDrawSnapshot(const ParamFields& fields);

// Frame settings as the synthesis uses them, for an image of the given size.
FrameParams takeFrameSnapshot(const FrameFields& fields, int width, int height);

// Progress step G = max(round(W / 100), 4) and refresh step F = max(round(W / 20), 20).
int progressStep(int width);
int refreshStep(int width);

} // namespace wavory
