#pragma once
// The parameters behind the files in samples/: a pleasant picture and the two benchmark
// workloads. All use the color set "虹".

#include "params/ParamFields.h"

#include <string>

namespace wavory::samples {

inline ParamFields rainbow() {
    ParamFields f;
    f.componentOn = {true, true, false, true, false, false, false, false};
    f.values = {"150", "500", "120", "400", "1", "0", "90", "450", "70",
                "1",   "1",   "0",   "1",   "0", "1", "0",  "1",   "0"};
    f.width = 400;
    f.height = 300;
    return f;
}

inline ParamFields benchPower1() {
    ParamFields f;
    f.componentOn.fill(true);
    const char* periods[] = {"60", "80", "100", "50", "70", "90", "4000", "3000", "1"};
    const int periodSlots[] = {0, 2, 4, 6, 8, 10, 12, 14, 16};
    const char* amplitudes[] = {"300", "250", "200", "150", "120", "100", "80", "60"};
    const int amplitudeSlots[] = {1, 3, 5, 7, 11, 13, 15, 17};
    for (int i = 0; i < 9; ++i)
        f.values[periodSlots[i]] = periods[i];
    for (int i = 0; i < 8; ++i)
        f.values[amplitudeSlots[i]] = amplitudes[i];
    f.values[kPowerSlot] = std::string("1");
    f.bleed = std::string("0");
    f.phase = 0;
    f.center = {"0", "0"};
    f.width = 3000;
    f.height = 3000;
    f.frame.enabled = false;
    return f;
}

inline ParamFields benchPower3() {
    ParamFields f = benchPower1();
    f.values[kPowerSlot] = std::string("3");
    f.bleed = "40";
    f.frame.enabled = true;
    f.frame.width = "40";
    f.frame.height = "40";
    f.frame.senmei = f.frame.shadow = f.frame.line = 25;
    f.frame.color = 0; // black
    return f;
}

inline const std::string kColorSetName = "虹";

} // namespace wavory::samples
