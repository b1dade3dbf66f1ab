#include "params/ParamCommands.h"
#include "params/ParamModel.h"

#include <gtest/gtest.h>

using namespace wavory;

namespace {

ValueSlots slotsWithPeriods(std::initializer_list<std::int32_t> first) {
    ValueSlots s{};
    int i = 0;
    for (auto v : first)
        s[kPeriodSlots[i++]] = v;
    return s;
}

} // namespace

TEST(ParamCommands, HalvingByCommandRoundsHalfEvenAndByUpDownTruncates) {
    ValueSlots s = slotsWithPeriods({1, 3, 5, 7});
    params::halvePeriods(s);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[2], 2);
    EXPECT_EQ(s[4], 2);
    EXPECT_EQ(s[6], 4);

    ValueSlots d = slotsWithPeriods({1, 3, 5, 7});
    for (int slot : {0, 2, 4, 6})
        params::slotDown(d, slot);
    EXPECT_EQ(d[0], 1);
    EXPECT_EQ(d[2], 1);
    EXPECT_EQ(d[4], 2);
    EXPECT_EQ(d[6], 3);
}

TEST(ParamCommands, DoublingClampsAndLeavesOtherGroupsAlone) {
    ValueSlots s{};
    for (int i = 0; i < kValueSlotCount; ++i)
        s[i] = 10 + i;
    s[0] = 999999;
    s[2] = 0;
    s[4] = -7;
    s[6] = 600000;
    const ValueSlots before = s;
    params::doublePeriods(s);
    EXPECT_EQ(s[0], 999999);
    EXPECT_EQ(s[2], 1);
    EXPECT_EQ(s[4], 1);
    EXPECT_EQ(s[6], 999999);
    EXPECT_EQ(s[16], 2 * before[16]);
    for (int a : kAmplitudeSlots)
        EXPECT_EQ(s[a], before[a]);
    EXPECT_EQ(s[kPowerSlot], before[kPowerSlot]);

    ValueSlots t = before;
    params::doubleAmplitudes(t);
    for (int p : kPeriodSlots)
        EXPECT_EQ(t[p], before[p]);
    EXPECT_EQ(t[kPowerSlot], before[kPowerSlot]);
    for (int a : kAmplitudeSlots)
        EXPECT_EQ(t[a], 2 * before[a]);

    ValueSlots h = before;
    h[1] = 1;
    h[3] = 0;
    params::halveAmplitudes(h);
    EXPECT_EQ(h[1], 1); // 0.5 rounds to 0, clamped to 1
    EXPECT_EQ(h[3], 1);
    EXPECT_EQ(h[5], 8); // 15 / 2 = 7.5 -> 8
    EXPECT_EQ(h[kPowerSlot], before[kPowerSlot]);
}

TEST(ParamCommands, UpDownOfOneSlotOnly) {
    ValueSlots s{};
    s[9] = 3;
    s[10] = 500000;
    params::slotUp(s, 9);
    EXPECT_EQ(s[9], 6);
    params::slotUp(s, 10);
    EXPECT_EQ(s[10], 999999);
    params::slotDown(s, 11); // 0 div 2 = 0 -> 1
    EXPECT_EQ(s[11], 1);
    EXPECT_EQ(s[0], 0);
}

TEST(ParamCommands, BleedUpDown) {
    EXPECT_EQ(params::bleedUpText("0"), "1");
    EXPECT_EQ(params::bleedUpText("1"), "2");
    EXPECT_EQ(params::bleedUpText("1.3"), "3");
    EXPECT_EQ(params::bleedUpText("abc"), "1");
    EXPECT_EQ(params::bleedUpText(" 600000"), "999999");
    EXPECT_EQ(params::bleedUpText("-4"), "0");
    EXPECT_EQ(params::bleedDownText("1"), "0");
    EXPECT_EQ(params::bleedDownText("0"), "0");
    EXPECT_EQ(params::bleedDownText("7"), "3");
    EXPECT_EQ(params::bleedDownText("2.5"), "1"); // 2.5 -> 2, div 2 -> 1
    EXPECT_EQ(params::bleedDownText("-9"), "0");
}

TEST(ParamCommands, ComponentFieldsAndPhaseLabel) {
    EXPECT_EQ(componentFields(0), (std::vector<int>{0, 1}));
    EXPECT_EQ(componentFields(3), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(componentFields(4), (std::vector<int>{10, 11}));
    EXPECT_EQ(componentFields(7), (std::vector<int>{16, 17}));
    EXPECT_EQ(params::phaseLabelText(25), "位相のずれ : 25 %");
    EXPECT_EQ(params::phaseLabelText(0), "位相のずれ : 0 %");
}

TEST(ParamModel, SlotsFollowChangedTextsOnly) {
    ParamModel m;
    // Untouched fields keep slot 0 although they show "1"; the power starts at 1.
    EXPECT_EQ(m.fields().values[0], "1");
    EXPECT_EQ(m.valueSlots()[0], 0);
    EXPECT_EQ(m.valueSlots()[kPowerSlot], 1);
    EXPECT_FALSE(m.setValueText(0, "1"));
    EXPECT_EQ(m.valueSlots()[0], 0);
    EXPECT_TRUE(m.setValueText(0, "2.5"));
    EXPECT_EQ(m.valueSlots()[0], 2);
    EXPECT_TRUE(m.setValueText(0, "abc"));
    EXPECT_EQ(m.valueSlots()[0], 0);
    EXPECT_TRUE(m.setValueText(1, "-5x"));
    EXPECT_EQ(m.valueSlots()[1], -5);
}

TEST(ParamModel, DoublingAnUneditedSlotGivesOne) {
    ParamModel m;
    m.doublePeriods();
    EXPECT_EQ(m.valueSlots()[0], 1);
    EXPECT_EQ(m.fields().values[0], "1");
    m.setValueText(2, "5");
    m.doublePeriods();
    EXPECT_EQ(m.valueSlots()[0], 2);
    EXPECT_EQ(m.fields().values[2], "10");
    // Amplitudes untouched by the period command but still written back.
    EXPECT_EQ(m.fields().values[1], "0");
    EXPECT_EQ(m.fields().values[kPowerSlot], "1");
}

TEST(ParamModel, RaiseKeepsTextsAndAssignMovesOnlyChangedSlots) {
    ParamModel m;
    m.setValueText(3, "0"); // unchanged text: slot stays 0
    m.setValueText(5, "-2");
    m.raiseSlotsToOne();
    EXPECT_EQ(m.valueSlots()[3], 1);
    EXPECT_EQ(m.valueSlots()[5], 1);
    EXPECT_EQ(m.fields().values[5], "-2");

    ParamModel n;
    ParamFields f = n.fields();
    f.values[0] = std::string("1"); // same as shown: slot stays 0
    f.values[2] = "40";
    f.bleed = " 12";
    f.componentOn[7] = true;
    n.assignFields(f);
    EXPECT_EQ(n.valueSlots()[0], 0);
    EXPECT_EQ(n.valueSlots()[2], 40);
    EXPECT_EQ(n.fields().bleed, " 12");
    EXPECT_TRUE(n.fields().componentOn[7]);
}

TEST(ParamModel, UpDownWriteBackAllFields) {
    ParamModel m;
    m.setValueText(7, "12");
    m.valueUp(7);
    EXPECT_EQ(m.fields().values[7], "24");
    EXPECT_EQ(m.fields().values[0], "0"); // write-back shows the unedited slot's 0
    m.valueDown(7);
    m.valueDown(7);
    EXPECT_EQ(m.fields().values[7], "6");
    m.setBleedText("0");
    m.bleedUp();
    m.bleedUp();
    EXPECT_EQ(m.fields().bleed, "2");
    m.bleedDown();
    EXPECT_EQ(m.fields().bleed, "1");
}
