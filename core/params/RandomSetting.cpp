#include "params/RandomSetting.h"

#include "common/Clamps.h"
#include "common/Numbers.h"

#include <cmath>

namespace wavory {

namespace {

std::int32_t clampValue(double value) {
    const std::int64_t v = roundToInt64(value);
    return static_cast<std::int32_t>(v < 1 ? 1 : (v > kMaxFieldValue ? kMaxFieldValue : v));
}

std::int64_t floorToInt(double value) {
    return static_cast<std::int64_t>(std::floor(value));
}

void randomComponents(ParamModel& model, const UniformSource& random) {
    const auto sure = floorToInt(random() * kComponentCount);
    for (int i = 0; i < kComponentCount; ++i) {
        bool on = floorToInt(2 * random()) != 0;
        if (i == sure)
            on = true;
        model.setComponent(i, on);
    }
}

int componentsOn(const ParamModel& model) {
    int n = 0;
    for (bool on : model.fields().componentOn)
        n += on ? 1 : 0;
    return n;
}

void randomPeriods(ParamModel& model, double tendency, const UniformSource& random) {
    const double shift = (random() - 0.5) / 2.5;
    auto& slots = model.mutableSlots();
    for (int p = 0; p < 9; ++p) {
        const double a = random();
        const double b = random();
        const double c = random();
        const double m = p <= 5 ? 200 : 2200;
        const double base =
            roundHalfEven(std::pow(b, 2.8) * m + (a * 36 + 12) - std::pow(c, 3) * 12);
        slots[2 * p] = clampValue(std::pow(10.0, tendency + shift) * base + 1);
    }
}

void randomAmplitudes(ParamModel& model, int componentCount, double tendency,
                      const UniformSource& random) {
    const double shift = ((random() - 0.5) + (componentCount - 2) / 20.0) / 2.5;
    auto& slots = model.mutableSlots();
    for (int q = 0; q < 8; ++q) {
        const int slot = q <= 3 ? 2 * q + 1 : 2 * q + 3;
        const double a = random();
        const double b = random();
        const double e = q <= 4 ? 1 : 2;
        const double m = q <= 5 ? 340 : 100;
        const double base = roundHalfEven(std::pow(b, 4) * 1200 + std::pow(a, e) * m + 60);
        slots[slot] = clampValue(std::pow(10.0, -tendency - shift) * base + 1);
    }
}

void randomCenter(ParamModel& model, const RandomSettingContext& context,
                  const UniformSource& random) {
    const auto x = floorToInt((random() - 0.5) * 2 * context.imageWidth);
    const auto y = floorToInt((random() - 0.5) * 2 * context.imageHeight);
    model.setCenterText(0, signPositionForm(x));
    model.setCenterText(1, signPositionForm(y));
}

void randomBleed(ParamModel& model, int pointCount, const UniformSource& random) {
    const auto value = floorToInt(random() * (pointCount - 1.5) * 256);
    model.setBleedText(signPositionForm(value));
}

void randomPower(ParamModel& model, const UniformSource& random) {
    const double r = random();
    model.setValueText(kPowerSlot, plainDecimal(floorToInt(r * r * 128 + 1)));
}

void randomColorSet(ParamModel& model, int setCount, const UniformSource& random) {
    const double r = random();
    model.setColorSetIndex(static_cast<int>(floorToInt(setCount * r)));
}

} // namespace

void applyRandomSetting(ParamModel& model, const RandomSettingOptions& options,
                        const RandomSettingContext& context, const UniformSource& random) {
    const auto& on = options.groups;
    if (on[RndComponents])
        randomComponents(model, random);
    const int n = componentsOn(model);
    if (on[RndPeriods])
        randomPeriods(model, options.periodTendency, random);
    if (on[RndAmplitudes])
        randomAmplitudes(model, n, options.amplitudeTendency, random);
    if (on[RndCenter])
        randomCenter(model, context, random);
    // The bleed is scaled by the set chosen before the color set group may change it.
    if (on[RndBleed])
        randomBleed(model, context.selectedSetPointCount, random);
    if (on[RndPower])
        randomPower(model, random);
    if (on[RndColorSet])
        randomColorSet(model, context.colorSetCount, random);
    model.showValues();
}

} // namespace wavory
