#include "params/RandomSetting.h"
#include "params/Variations.h"

#include "common/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace wavory;

namespace {

// Hands out a scripted sequence (then a fill value) and counts the draws.
struct ScriptedSource {
    std::vector<double> script;
    double fill = 0.5;
    std::size_t draws = 0;
    UniformSource source() {
        return [this] { return draws < script.size() ? script[draws++] : (++draws, fill); };
    }
};

RandomSettingOptions only(std::initializer_list<int> groups) {
    RandomSettingOptions o;
    o.groups.fill(false);
    for (int g : groups)
        o.groups[g] = true;
    return o;
}

} // namespace

TEST(RandomSetting, DrawCountsFollowTheGroups) {
    struct Case {
        int group;
        std::size_t draws;
    };
    for (const Case c :
         {Case{RndComponents, 9}, Case{RndPeriods, 28}, Case{RndAmplitudes, 17}, Case{RndCenter, 2},
          Case{RndBleed, 1}, Case{RndPower, 1}, Case{RndColorSet, 1}}) {
        ParamModel m;
        ScriptedSource src;
        applyRandomSetting(m, only({c.group}), {}, src.source());
        EXPECT_EQ(src.draws, c.draws) << "group " << c.group;
    }
}

TEST(RandomSetting, PeriodsAndAmplitudesAtMidValues) {
    ParamModel m; // four components on
    ScriptedSource src;
    applyRandomSetting(m, only({RndPeriods, RndAmplitudes}), {}, src.source());
    for (int s : {0, 2, 4, 6, 8, 10})
        EXPECT_EQ(m.valueSlots()[s], 58) << s;
    for (int s : {12, 14, 16})
        EXPECT_EQ(m.valueSlots()[s], 345) << s;
    // Amplitude shift (0 + (4 - 2) / 20) / 2.5 with four components on.
    for (int s : {1, 3, 5, 7, 11})
        EXPECT_EQ(m.valueSlots()[s], 279) << s;
    EXPECT_EQ(m.valueSlots()[13], 202);
    for (int s : {15, 17})
        EXPECT_EQ(m.valueSlots()[s], 147) << s;
    EXPECT_EQ(m.fields().values[0], "58");
    EXPECT_EQ(m.fields().values[17], "147");
    EXPECT_EQ(m.valueSlots()[kPowerSlot], 1);
}

TEST(RandomSetting, AmplitudeShiftCountsComponentsEvenWithoutTheirGroup) {
    ParamModel one;
    for (int k = 1; k < kComponentCount; ++k)
        one.setComponent(k, false);
    ScriptedSource a;
    applyRandomSetting(one, only({RndAmplitudes}), {}, a.source());
    EXPECT_EQ(one.valueSlots()[1], 320);
    EXPECT_EQ(one.valueSlots()[13], 231);
    EXPECT_EQ(one.valueSlots()[17], 169);

    ParamModel all;
    for (int k = 0; k < kComponentCount; ++k)
        all.setComponent(k, true);
    ScriptedSource b;
    applyRandomSetting(all, only({RndAmplitudes}), {}, b.source());
    EXPECT_EQ(all.valueSlots()[1], 232);
    EXPECT_EQ(all.valueSlots()[15], 122);
}

TEST(RandomSetting, TendencyAndShiftScalePeriods) {
    ParamModel m;
    RandomSettingOptions o = only({RndPeriods});
    o.periodTendency = 1;
    ScriptedSource src;
    applyRandomSetting(m, o, {}, src.source());
    EXPECT_EQ(m.valueSlots()[0], 571);

    ParamModel n;
    ScriptedSource shifted{{0.9}, 0.9}; // shift (0.9 - 0.5) / 2.5, every a, b, c 0.9
    applyRandomSetting(n, only({RndPeriods}), {}, shifted.source());
    EXPECT_EQ(n.valueSlots()[0], 268);

    ParamModel big;
    RandomSettingOptions huge = only({RndPeriods, RndAmplitudes});
    huge.periodTendency = 9;
    huge.amplitudeTendency = 9;
    ScriptedSource s3;
    applyRandomSetting(big, huge, {}, s3.source());
    EXPECT_EQ(big.valueSlots()[0], 999999);
    EXPECT_EQ(big.valueSlots()[1], 1);
}

TEST(RandomSetting, ComponentsAlwaysKeepOneOn) {
    ParamModel m;
    ScriptedSource zeros{{}, 0.0};
    applyRandomSetting(m, only({RndComponents}), {}, zeros.source());
    EXPECT_EQ(m.fields().componentOn,
              (std::array<bool, 8>{true, false, false, false, false, false, false, false}));

    ParamModel n;
    // k = floor(0.99 * 8) = 7; then eight coin draws.
    ScriptedSource src{{0.99, 0.6, 0.1, 0.5, 0.49, 0.0, 0.7, 0.2, 0.3}};
    applyRandomSetting(n, only({RndComponents}), {}, src.source());
    EXPECT_EQ(n.fields().componentOn,
              (std::array<bool, 8>{true, false, true, false, false, true, false, true}));
}

TEST(RandomSetting, CenterBleedPowerAndColorSetTexts) {
    ParamModel m;
    m.setColorSetIndex(2);
    RandomSettingContext ctx;
    ctx.imageWidth = 200;
    ctx.imageHeight = 100;
    ctx.colorSetCount = 14;
    ctx.selectedSetPointCount = 12;
    ScriptedSource src{{0.75, 0.25, 0.5, 0.5, 0.999}};
    applyRandomSetting(m, only({RndCenter, RndBleed, RndPower, RndColorSet}), ctx, src.source());
    EXPECT_EQ(m.fields().center[0], " 100");
    EXPECT_EQ(m.fields().center[1], "-50");
    EXPECT_EQ(m.fields().bleed, " 1344"); // floor(0.5 x 10.5 x 256), from the set chosen before
    EXPECT_EQ(m.fields().values[kPowerSlot], "33");
    EXPECT_EQ(m.valueSlots()[kPowerSlot], 33);
    EXPECT_EQ(m.fields().colorSetIndex, 13);
}

TEST(RandomSetting, PowerOnlyChangesSlotNineButRewritesEveryField) {
    ParamModel m;
    m.setValueText(4, "77");
    m.setCenterText(0, "5");
    m.setBleedText("3");
    const ParamFields before = m.fields();
    const ValueSlots slotsBefore = m.valueSlots();
    ScriptedSource src{{0.0}};
    applyRandomSetting(m, only({RndPower}), {}, src.source());
    EXPECT_EQ(m.valueSlots()[kPowerSlot], 1);
    for (int i = 0; i < kValueSlotCount; ++i) {
        if (i != kPowerSlot) {
            EXPECT_EQ(m.valueSlots()[i], slotsBefore[i]) << i;
        }
    }
    EXPECT_EQ(m.fields().values[0], "0"); // written back from its untouched slot
    EXPECT_EQ(m.fields().values[4], "77");
    EXPECT_EQ(m.fields().center, before.center);
    EXPECT_EQ(m.fields().bleed, before.bleed);
    EXPECT_EQ(m.fields().componentOn, before.componentOn);
    EXPECT_EQ(m.fields().colorSetIndex, before.colorSetIndex);
}

TEST(RandomSetting, SameSequenceSameResult) {
    auto run = [] {
        ParamModel m;
        std::uint32_t state = 12345;
        RandomSettingOptions all;
        all.groups.fill(true);
        RandomSettingContext ctx{14, 4, 300, 200};
        applyRandomSetting(m, all, ctx, [&state] {
            state = state * 1664525u + 1013904223u;
            return (state >> 8) / 16777216.0;
        });
        return std::make_pair(m.fields(), m.valueSlots());
    };
    const auto a = run();
    const auto b = run();
    EXPECT_EQ(a.second, b.second);
    EXPECT_EQ(a.first.values, b.first.values);
    EXPECT_EQ(a.first.center, b.first.center);
    for (int s : kPeriodSlots)
        EXPECT_GE(a.second[s], 1);
}

namespace {

// A model with every slot, the center and the bleed set to plain values.
ParamModel variationBase() {
    ParamModel m;
    for (int s = 0; s < kValueSlotCount; ++s)
        m.setValueText(s, s == kPowerSlot ? "3" : "40");
    m.setCenterText(0, "10");
    m.setCenterText(1, "-20");
    m.setBleedText("30");
    m.setColorSetIndex(2);
    return m;
}

RandomSettingContext variationContext() {
    RandomSettingContext c;
    c.colorSetCount = 14;
    c.selectedSetPointCount = 4;
    return c;
}

} // namespace

TEST(Variations, SpreadZeroKeepsEverything) {
    const ParamModel base = variationBase();
    RandomSettingOptions all;
    all.groups.fill(true);
    for (const ParamModel& v : makeVariations(base, all, variationContext(), 0, 7)) {
        EXPECT_EQ(v.fields(), base.fields());
        EXPECT_EQ(v.valueSlots(), base.valueSlots());
    }
}

TEST(Variations, OnlyTheChosenGroupsChangeAndStayInRange) {
    const ParamModel base = variationBase();
    const RandomSettingContext context = variationContext();
    for (int group = 0; group < RandomGroupCount; ++group) {
        const Variations nine = makeVariations(base, only({group}), context, 100, 11);
        bool changed = false;
        for (const ParamModel& v : nine) {
            const ParamFields& f = v.fields();
            const ParamFields& b = base.fields();
            changed = changed || !(f == b);
            if (group != RndComponents) {
                EXPECT_EQ(f.componentOn, b.componentOn) << group;
            } else {
                EXPECT_NE(std::count(f.componentOn.begin(), f.componentOn.end(), true), 0);
            }
            for (int s = 0; s < kValueSlotCount; ++s) {
                const bool inGroup = s == kPowerSlot ? group == RndPower
                                     : s % 2 == 0 && s < 17
                                         ? group == RndPeriods
                                         : group == RndAmplitudes;
                if (!inGroup) {
                    EXPECT_EQ(f.values[s], b.values[s]) << group << " slot " << s;
                }
                EXPECT_GE(v.valueSlots()[s], 1);
                EXPECT_LE(v.valueSlots()[s], 999999);
                EXPECT_EQ(plainDecimal(v.valueSlots()[s]), f.values[s]) << s;
            }
            if (group != RndCenter) {
                EXPECT_EQ(f.center, b.center);
            }
            for (int axis = 0; axis < 2; ++axis) {
                const double c = leadingNumber(f.center[axis]);
                EXPECT_GE(c, -200);
                EXPECT_LE(c, 199);
            }
            if (group != RndBleed) {
                EXPECT_EQ(f.bleed, b.bleed);
            }
            EXPECT_GE(leadingNumber(f.bleed), 0);
            EXPECT_LE(leadingNumber(f.bleed), (4 - 1.5) * 256 - 1);
            if (group != RndColorSet) {
                EXPECT_EQ(f.colorSetIndex, b.colorSetIndex);
            }
            EXPECT_GE(f.colorSetIndex, 0);
            EXPECT_LT(f.colorSetIndex, context.colorSetCount);
        }
        EXPECT_TRUE(changed) << "group " << group;
    }
}

TEST(Variations, SameSeedSameNineAndSmallSpreadStaysNear) {
    const ParamModel base = variationBase();
    const RandomSettingOptions options; // periods, amplitudes, components, color set
    const Variations a = makeVariations(base, options, variationContext(), 40, 5);
    const Variations b = makeVariations(base, options, variationContext(), 40, 5);
    const Variations c = makeVariations(base, options, variationContext(), 40, 6);
    bool differ = false;
    for (int i = 0; i < kVariationCount; ++i) {
        EXPECT_EQ(a[i].fields(), b[i].fields()) << i;
        differ = differ || !(a[i].fields() == c[i].fields());
        EXPECT_FALSE(i > 0 && a[i].fields() == a[0].fields()) << i;
    }
    EXPECT_TRUE(differ);
    // A spread of 10 moves a period of 40 by at most 10 % of the way to the random one
    // on a log scale: the random periods lie within 1..~400, so within 40 x 10^(+-0.16).
    for (const ParamModel& v : makeVariations(base, options, variationContext(), 10, 9)) {
        for (int s : {0, 2, 4, 6, 8, 10}) {
            EXPECT_GE(v.valueSlots()[s], 27) << s;
            EXPECT_LE(v.valueSlots()[s], 60) << s;
        }
    }
}
