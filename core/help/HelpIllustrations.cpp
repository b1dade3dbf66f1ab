#include "help/HelpIllustrations.h"

#include "colorsets/BuiltinColorSets.h"
#include "engine/DrawMain.h"
#include "help/HelpTopics.h"
#include "params/ParamCommands.h"
#include "params/ValueSlots.h"

#include <stdexcept>
#include <string>

namespace wavory {

namespace {

// Picture numbers, as the topics refer to them.
enum Picture : int {
    kStrongBefore = 9,
    kStrongAfter,
    kWeakBefore,
    kWeakAfter,
    kBigBefore,
    kBigAfter,
    kSmallBefore,
    kSmallAfter,
    kPower1,
    kPower32,
    kPhase0,
    kPhase50,
    kCenter0,
    kCenter20,
    kBleed0,
    kBleed256,
    kLevel1,
    kLevel256,
    kSenmei0,
    kSenmei50,
    kShadow0,
    kShadow50,
    kLine0,
    kLine50,
};

// Each component alone: a period and an amplitude at which its shape reads well in a
// small square (the plus and the ribbon need long periods, their arguments grow fast).
struct ComponentLook {
    int period;
    int amplitude;
};
constexpr ComponentLook kComponentLooks[kComponentCount] = {
    {60, 600}, {60, 600}, {45, 600}, {36, 600}, {60, 600}, {900, 600}, {300, 600}, {1, 600}};

const GColor& illustrationColors() {
    return builtinColorSets().front(); // 紫水黄: four points, a seamless wrap
}

ParamFields blankFields() {
    ParamFields f;
    f.width = kIllustrationSide;
    f.height = kIllustrationSide;
    f.componentOn.fill(false);
    for (std::string& v : f.values)
        v.assign(1, '1');
    return f;
}

void setSlot(ParamFields& f, int slot, int value) {
    f.values[static_cast<std::size_t>(slot)] = std::to_string(value);
}

ParamFields componentAlone(int k) {
    ParamFields f = blankFields();
    const ComponentLook look = kComponentLooks[k];
    f.componentOn[static_cast<std::size_t>(k)] = true;
    setSlot(f, kPeriodSlot[static_cast<std::size_t>(k)], look.period);
    if (k == kCircleComponent)
        setSlot(f, kCircleYPeriodSlot, look.period);
    setSlot(f, kAmplitudeSlot[static_cast<std::size_t>(k)], look.amplitude);
    return f;
}

// The drawing every pair starts from: vertical waves over rings, about one turn of the
// color set from the darkest to the brightest pixel.
ParamFields baseFields() {
    ParamFields f = blankFields();
    f.componentOn[0] = true;
    f.componentOn[kCircleComponent] = true;
    setSlot(f, kPeriodSlot[0], 45);
    setSlot(f, kAmplitudeSlot[0], 300);
    setSlot(f, kPeriodSlot[kCircleComponent], 36);
    setSlot(f, kCircleYPeriodSlot, 36);
    setSlot(f, kAmplitudeSlot[kCircleComponent], 400);
    return f;
}

// The base with a visible frame, for the frame sliders' pairs.
ParamFields framedFields() {
    ParamFields f = baseFields();
    f.frame.enabled = true;
    f.frame.width = "14";
    f.frame.height = "14";
    f.frame.color = 0xFFFFFF;
    return f;
}

// The base after one of the whole-set commands.
ParamFields afterCommand(void (*command)(ValueSlots&)) {
    ParamFields f = baseFields();
    ValueSlots slots{};
    for (int i = 0; i < kValueSlotCount; ++i)
        slots[static_cast<std::size_t>(i)] = slotValueOfText(f.values[static_cast<std::size_t>(i)]);
    command(slots);
    for (int i = 0; i < kValueSlotCount; ++i)
        setSlot(f, i, slots[static_cast<std::size_t>(i)]);
    return f;
}

ParamFields pictureFields(int index) {
    if (index >= 1 && index <= kComponentCount)
        return componentAlone(index - 1);
    ParamFields f = baseFields();
    switch (index) {
    case kStrongBefore:
    case kWeakBefore:
    case kBigBefore:
    case kSmallBefore:
    case kPower1:
    case kPhase0:
    case kCenter0:
    case kBleed0:
    case kLevel1:
    case kLevel256:
        return f;
    case kStrongAfter:
        return afterCommand(params::doubleAmplitudes);
    case kWeakAfter:
        return afterCommand(params::halveAmplitudes);
    case kBigAfter:
        return afterCommand(params::doublePeriods);
    case kSmallAfter:
        return afterCommand(params::halvePeriods);
    case kPower32:
        setSlot(f, kPowerSlot, 32);
        return f;
    case kPhase50:
        f.phase = 50;
        return f;
    case kCenter20:
        f.center = {"20", "20"};
        return f;
    case kBleed256:
        f.bleed = "256";
        return f;
    default:
        break;
    }
    f = framedFields();
    switch (index) {
    case kSenmei0:
        f.frame.senmei = 0;
        break;
    case kSenmei50:
        f.frame.senmei = kFrameSliderMax;
        break;
    case kShadow0:
        f.frame.shadow = 0;
        break;
    case kShadow50:
        f.frame.shadow = kFrameSliderMax;
        break;
    case kLine0:
        f.frame.line = 0;
        break;
    case kLine50:
        f.frame.line = kFrameSliderMax;
        break;
    default:
        throw std::out_of_range("illustration " + std::to_string(index));
    }
    return f;
}

} // namespace

IllustrationParams illustrationParams(int index) {
    IllustrationParams p{pictureFields(index), illustrationColors()};
    if (index == kLevel1)
        p.colorSet.colorLevelCount = 0; // one color a segment
    else if (index == kLevel256)
        p.colorSet.colorLevelCount = 8; // 256 colors a segment
    return p;
}

Canvas drawIllustration(int index) {
    const IllustrationParams p = illustrationParams(index);
    Canvas canvas;
    DrawOptions options;
    options.threads = 1; // a few thousand pixels: not worth waking other cores
    options.noiseKey = 0x5EED;
    DrawMain(takeDrawSnapshot(p.fields), p.colorSet, canvas, nullptr, options);
    return canvas;
}

} // namespace wavory
