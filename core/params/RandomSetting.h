#pragma once
// The random parameter setting: replaces the chosen parameter groups by random values,
// drawing every number from the program's one uniform generator in a fixed order, so
// that the same sequence always gives the same parameters.

#include "params/ParamModel.h"
#include "params/RandomGroup.h"

#include <array>
#include <functional>

namespace wavory {

// The settings' random-setting choices; the parameter groups are indexed by RandomGroup.
struct RandomSettingOptions {
    // Groups 0, 1, 2 and 6 on as on a first start.
    std::array<bool, RandomGroupCount> groups{true, true, true, false, false, false, true};
    double periodTendency = 0;    // RndSetBS: -1 short periods .. +1 long periods
    double amplitudeTendency = 0; // RndSetSW: -1 large amplitudes .. +1 small amplitudes
};

// What the setting reads besides the parameters.
struct RandomSettingContext {
    int colorSetCount = 1;         // entries of the color set list
    int selectedSetPointCount = 2; // points of the set selected when the setting starts
    int imageWidth = 200;          // the canvas
    int imageHeight = 200;
};

// A uniform number in [0, 1) per call.
using UniformSource = std::function<double()>;

// Steps 1 to 9 of the random setting on the model: groups in the fixed order, then the
// value array written back into the fields. Whether a drawing follows is the caller's.
void applyRandomSetting(ParamModel& model, const RandomSettingOptions& options,
                        const RandomSettingContext& context, const UniformSource& random);

} // namespace wavory
