#include "params/Variations.h"

#include "common/Clamps.h"
#include "common/Numbers.h"
#include "common/RandomSource.h"
#include "params/ValueSlots.h"

#include <algorithm>
#include <cmath>

namespace wavory {

namespace {

double lerp(double from, double to, double t) {
    return from + (to - from) * t;
}

// From the current slot towards the random one on a logarithmic scale, within 1..999999.
void moveSlot(ParamModel& model, const ParamModel& random, int slot, double t) {
    const auto from = static_cast<double>(std::max(model.valueSlots()[slot], 1));
    const auto to = static_cast<double>(std::max(random.valueSlots()[slot], 1));
    const double moved = std::exp(lerp(std::log(from), std::log(to), t));
    const auto value = static_cast<std::int32_t>(
        std::clamp(roundHalfEven(moved), 1.0, static_cast<double>(kMaxFieldValue)));
    if (value != model.valueSlots()[slot])
        model.setValueText(slot, plainDecimal(value));
}

// A plain number text moved towards another within [low, high]; unchanged when equal.
std::string movedText(const std::string& from, const std::string& to, double t, double low,
                      double high) {
    const double a = leadingNumber(from);
    const double moved = std::clamp(roundHalfEven(lerp(a, leadingNumber(to), t)), low, high);
    if (moved == a)
        return from;
    return signPositionForm(static_cast<std::int64_t>(moved));
}

ParamModel oneVariation(const ParamModel& base, const RandomSettingOptions& options,
                        const RandomSettingContext& context, double t, RandomSource& source) {
    const UniformSource uniform = [&source] { return static_cast<double>(source.next()); };
    ParamModel random = base;
    applyRandomSetting(random, options, context, uniform);
    ParamModel model = base;
    const auto& on = options.groups;

    // The switches and the color set: one draw each, whether the group is on or not, so
    // that the sequence does not depend on the groups chosen.
    std::array<bool, kComponentCount> takeSwitch{};
    for (bool& take : takeSwitch)
        take = uniform() < t;
    const bool takeSet = uniform() < t;

    if (on[RndComponents]) {
        bool any = false;
        for (int i = 0; i < kComponentCount; ++i) {
            const bool v = takeSwitch[static_cast<std::size_t>(i)]
                               ? random.fields().componentOn[static_cast<std::size_t>(i)]
                               : base.fields().componentOn[static_cast<std::size_t>(i)];
            model.setComponent(i, v);
            any = any || v;
        }
        // A drawable set stays drawable: the random setting always switches one on.
        if (!any && t > 0) {
            for (int i = 0; i < kComponentCount; ++i)
                model.setComponent(i, random.fields().componentOn[static_cast<std::size_t>(i)]);
        }
    }
    if (on[RndPeriods]) {
        for (int slot : kPeriodSlots)
            moveSlot(model, random, slot, t);
    }
    if (on[RndAmplitudes]) {
        for (int slot : kAmplitudeSlots)
            moveSlot(model, random, slot, t);
    }
    if (on[RndCenter]) {
        const double sides[2] = {static_cast<double>(context.imageWidth),
                                 static_cast<double>(context.imageHeight)};
        for (int axis = 0; axis < 2; ++axis) {
            const auto a = static_cast<std::size_t>(axis);
            model.setCenterText(axis, movedText(base.fields().center[a], random.fields().center[a],
                                                t, -sides[a], sides[a] - 1));
        }
    }
    if (on[RndBleed]) {
        const double most = std::max(0.0, (context.selectedSetPointCount - 1.5) * 256 - 1);
        model.setBleedText(movedText(base.fields().bleed, random.fields().bleed, t, 0, most));
    }
    if (on[RndPower])
        moveSlot(model, random, kPowerSlot, t);
    if (on[RndColorSet] && takeSet)
        model.setColorSetIndex(random.fields().colorSetIndex);
    return model;
}

} // namespace

Variations makeVariations(const ParamModel& base, const RandomSettingOptions& options,
                          const RandomSettingContext& context, int spread, std::uint64_t seed) {
    const double t = std::clamp(spread, 0, kMaxVariationSpread) / double(kMaxVariationSpread);
    RandomSource source(seed);
    Variations result;
    for (ParamModel& variation : result)
        variation = t > 0 ? oneVariation(base, options, context, t, source) : base;
    return result;
}

} // namespace wavory
