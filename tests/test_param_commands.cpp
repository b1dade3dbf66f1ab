#include "engine_test_support.h"

#include "common/Numbers.h"
#include "engine/ReferenceRenderer.h"
#include "params/DrawParams.h"
#include "params/ParamCommands.h"
#include "params/ParamModel.h"
#include "params/SeamlessTile.h"

#include <numbers>
#include <string>
#include <vector>

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

TEST(ParamCommands, FineStepsMoveTheSecondDigitWithinTheTypedRange) {
    struct Step {
        const char* from;
        int direction;
        const char* value;  // a value field's text after the step
        const char* bleed;  // the bleed's
        const char* center; // a center offset's (fine, then coarse)
        const char* centerCoarse;
    };
    const Step steps[] = {
        {"7", +1, "8", "8", "8", "17"},
        {"99", +1, "100", "100", "100", "109"},
        {"100", -1, "99", "99", "99", "90"},
        {"350", +1, "360", "360", "351", "360"},
        {"1000", -1, "990", "990", "999", "990"},
        {"1000", +1, "1100", "1100", "1001", "1010"},
        {"1", -1, "1", "0", "0", "-9"},
        {"0", -1, "1", "0", "-1", "-10"},
        {"999999", +1, "999999", "999999", "99999", "99999"},
        {"-9995", -1, "1", "0", "-9996", "-9999"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.from) + (s.direction > 0 ? " up" : " down"));
        EXPECT_EQ(plainDecimal(params::slotStepped(slotValueOfText(s.from), s.direction)), s.value);
        EXPECT_EQ(params::bleedSteppedText(s.from, s.direction), s.bleed);
        EXPECT_EQ(params::centerSteppedText(s.from, s.direction, false), s.center);
        EXPECT_EQ(params::centerSteppedText(s.from, s.direction, true), s.centerCoarse);
    }
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
    // A fine step rewrites its own field only; a coarse one is the up-down.
    m.setValueText(0, "abc");
    m.stepValue(7, +1, false);
    EXPECT_EQ(m.fields().values[7], "7");
    EXPECT_EQ(m.fields().values[0], "abc");
    m.stepValue(7, +1, true);
    EXPECT_EQ(m.fields().values[7], "14");
    EXPECT_EQ(m.fields().values[0], "0");
    m.stepBleed(+1, true);
    EXPECT_EQ(m.fields().bleed, "2");
    m.stepCenter(1, -1, true);
    EXPECT_EQ(m.fields().center[1], "-10");
}

namespace {

Canvas drawn(const ParamFields& fields) {
    Canvas canvas;
    const DrawResult result = ReferenceRenderer::render(
        takeDrawSnapshot(fields), wavory::testing::rainbowSet(), 0, canvas);
    EXPECT_EQ(result.outcome, DrawOutcome::Completed);
    return canvas;
}

// The image drawn one pixel wider and higher around the same pattern center: its extra
// column must be the first column and its extra row the first row, as a tiling shows them.
::testing::AssertionResult edgesContinue(const ParamFields& fields) {
    const Canvas tile = drawn(fields);
    ParamFields larger = fields;
    larger.width = fields.width + 1;
    larger.height = fields.height + 1;
    const auto moved = [](const std::string& center, int side) {
        return std::to_string(slotValueOfText(center) + (side + 1) / 2 - side / 2);
    };
    larger.center = {moved(fields.center[0], fields.width), moved(fields.center[1], fields.height)};
    const Canvas big = drawn(larger);
    const int w = fields.width, h = fields.height;
    for (int y = 0; y <= h; ++y)
        for (int x = 0; x <= w; ++x) {
            const Rgb expected = tile.pixel(x % w, y % h);
            if (!(big.pixel(x, y) == expected))
                return ::testing::AssertionFailure()
                       << w << "x" << h << ": pixel (" << x << "," << y << ") is "
                       << wavory::testing::describe(big.pixel(x, y)) << ", tile gives "
                       << wavory::testing::describe(expected);
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(SeamlessTile, EdgesContinueIntoTheOppositeEdges) {
    struct Case {
        int width, height;
        std::vector<int> components;
        const char* power;
        int phase;
    };
    const Case cases[] = {
        {200, 200, {0, 1, 2, 3, 4, 5, 6, 7}, "1", 0},
        {120, 80, {0, 1, 3, 4, 5}, "2", 37},
        {64, 150, {3, 4}, "3", 99},
        {300, 46, {0, 5}, "1", 12},
        {8, 6, {0, 1, 3}, "1", 50},
    };
    for (const Case& c : cases) {
        ParamFields fields = wavory::testing::fieldsWith(c.width, c.height, {});
        for (int component : c.components)
            fields.componentOn[static_cast<std::size_t>(component)] = true;
        fields.values[kPowerSlot] = c.power;
        fields.phase = c.phase;
        fields.center = {"7", "-3"};
        fields.frame.enabled = true;
        ParamModel model;
        model.assignFields(fields);
        if (c.width == 200) { // the check finds the seam of the unchanged parameters
            EXPECT_FALSE(edgesContinue(model.fields()));
        }
        const SeamlessChange change = makeSeamless(model);
        EXPECT_FALSE(change.oddSide);
        EXPECT_TRUE(model.fields().componentOn[c.components.front()]) << c.width;
        EXPECT_TRUE(edgesContinue(model.fields()));
    }
}

TEST(SeamlessTile, PeriodsMoveToTheNearestFittingSlot) {
    constexpr double twoPi = 2 * std::numbers::pi;
    // P = 20.5; 200 / 2π / 2 = 15.9 is nearer than 31.8.
    EXPECT_EQ(seamlessPeriodSlot(60, 200, twoPi), 46);
    // Longer than one wave across the side: one wave.
    EXPECT_EQ(seamlessPeriodSlot(1000, 200, twoPi), 94);
    // An unset slot draws as 1; 38 waves of 0.838 fit, 39 would be too short.
    EXPECT_EQ(seamlessPeriodSlot(0, 200, twoPi), 1);
    // Even one wave across 3 pixels is shorter than the smallest period.
    EXPECT_EQ(seamlessPeriodSlot(100, 3, twoPi), std::nullopt);
}

TEST(SeamlessTile, ComponentsThatCannotTileAreSwitchedOffAndNamed) {
    ParamModel model;
    ParamFields fields = wavory::testing::allComponents(199, 200);
    fields.frame.enabled = true;
    model.assignFields(fields);
    const SeamlessChange change = makeSeamless(model);
    // 199 and 200 share no side for the rectangle and the plus.
    EXPECT_EQ(change.switchedOff, (std::vector<int>{2, 4, 5, 6, 7}));
    EXPECT_TRUE(change.frameSwitchedOff);
    EXPECT_TRUE(change.oddSide);
    EXPECT_FALSE(model.fields().frame.enabled);
    EXPECT_EQ(model.fields().center, (std::array<std::string, 2>{"0", "0"}));
    const Result report = seamlessChangeReport(change);
    ASSERT_EQ(report.messages().size(), 1u);
    EXPECT_EQ(report.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(report.messages()[0].text,
              "次の成分は継ぎ目なしにできないため、オフにしました。\r\n"
              "斜め成分、矩形成分、＋型成分、リボン型成分、波紋型成分\r\n"
              "枠は画像の端に継ぎ目を作るため、オフにしました。\r\n"
              "画像の幅か高さが奇数のため、継ぎ目は完全には消えません。\r\n"
              "幅と高さを偶数にすると端が正確につながります。");
    EXPECT_TRUE(seamlessChangeReport(SeamlessChange{}).messages().empty());
}
