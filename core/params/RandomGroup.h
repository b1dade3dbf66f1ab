#pragma once
// The parameter groups a random setting may change. The settings file stores one flag per
// group under "DoRndSet" and the group number, so the numbers never change.

namespace wavory {

enum RandomGroup : int {
    RndPeriods = 0,    // "周期"
    RndAmplitudes = 1, // "振幅"
    RndComponents = 2, // "成分のオン／オフ"
    RndCenter = 3,     // "画像の中心"
    RndBleed = 4,      // "にじみ"
    RndPower = 5,      // "べき乗"
    RndColorSet = 6,   // "使用色セット"
    RandomGroupCount = 7,
};

} // namespace wavory
