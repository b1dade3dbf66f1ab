// The drawing snapshot, the refusals before drawing, the progress texts and steps, and
// the program's random source.

#include "engine_test_support.h"

#include "common/RandomSource.h"
#include "engine/DrawMain.h"
#include "engine/DrawRefusal.h"
#include "engine/PreviewParams.h"
#include "engine/ReferenceRenderer.h"
#include "params/DrawParams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

using namespace wavory;
using namespace wavory::testing;

TEST(DrawSnapshot, SlotsAreLeadingNumbersRoundedToEvenAndRaisedToOne) {
    ParamFields f;
    f.values[0] = "12abc";
    f.values[1] = "  7";
    f.values[2] = "";
    f.values[3] = "-5";
    f.values[4] = "2.5";
    f.values[5] = "3.5";
    f.values[6] = "0.4";
    f.values[7] = "1e12";
    f.values[8] = "x9";
    const DrawParams p = takeDrawSnapshot(f);
    EXPECT_EQ(p.slots[0], 12);
    EXPECT_EQ(p.slots[1], 7);
    EXPECT_EQ(p.slots[2], 1); // no number: 0, raised to 1
    EXPECT_EQ(p.slots[3], 1);
    EXPECT_EQ(p.slots[4], 2); // ties to even
    EXPECT_EQ(p.slots[5], 4);
    EXPECT_EQ(p.slots[6], 1);
    EXPECT_EQ(p.slots[7], std::numeric_limits<std::int32_t>::max()); // saturates
    EXPECT_EQ(p.slots[8], 1);
}

TEST(DrawSnapshot, PeriodsAmplitudesAndPower) {
    ParamFields f = fieldsWith(100, 100, {0, 3, 7});
    f.values[0] = "1";
    f.values[7] = "0"; // an amplitude of 0 with its switch on draws as 1
    f.values[9] = "3";
    const DrawParams p = takeDrawSnapshot(f);
    // Slot 1 gives 1/3 + 0.5 in double, stored in single precision.
    EXPECT_EQ(p.period[0], static_cast<float>(1.0 / 3.0 + 0.5));
    EXPECT_NE(static_cast<double>(p.period[0]), 1.0 / 3.0 + 0.5);
    EXPECT_EQ(p.period[3], static_cast<float>(50.0 / 3.0 + 0.5));     // slot 6, circle X
    EXPECT_EQ(p.circlePeriodY, static_cast<float>(70.0 / 3.0 + 0.5)); // slot 8, circle Y
    EXPECT_EQ(p.period[6], static_cast<float>(3000.0 / 3.0 + 0.5));   // slot 14, ribbon
    EXPECT_EQ(p.period[7], 0.0f);                                     // the ripple has no period
    EXPECT_EQ(p.amplitude[0], 300.0f);
    EXPECT_EQ(p.amplitude[1], 0.0f); // switched off
    EXPECT_EQ(p.amplitude[3], 1.0f);
    EXPECT_EQ(p.amplitude[7], 60.0f);
    EXPECT_TRUE(p.componentActive(0));
    EXPECT_FALSE(p.componentActive(1));
    EXPECT_EQ(p.power, 3.0f);
}

TEST(DrawSnapshot, CenterBleedPhaseAndMode) {
    ParamFields f = fieldsWith(100, 100, {0});
    f.center = {"10", "0"};
    f.bleed = "40.5";
    f.phase = 150;
    f.mode = DrawMode::Xor;
    DrawParams p = takeDrawSnapshot(f);
    EXPECT_EQ(p.cx, 40); // a positive X moves the pattern to the left
    EXPECT_EQ(p.cy, 50);
    EXPECT_EQ(p.bleed, 40);
    EXPECT_EQ(p.phase, 99);
    EXPECT_EQ(p.mode, DrawMode::Xor);

    f.width = 101;
    f.height = 7;
    f.center = {"-2147483648", "2147483647"};
    p = takeDrawSnapshot(f);
    EXPECT_EQ(p.cx, 50 + 2147483648LL);
    EXPECT_EQ(p.cy, 3 - 2147483647LL);
}

TEST(DrawSnapshot, FrameSettings) {
    ParamFields f = fieldsWith(200, 100, {0});
    f.frame.enabled = true;
    f.frame.width = "20";
    f.frame.height = "10.5"; // rounds to the even 10
    f.frame.senmei = 10;
    f.frame.shadow = 50;
    f.frame.line = 60; // beyond the slider: held at 50
    f.frame.color = 0x123456;
    const FrameParams fr = takeDrawSnapshot(f).frame;
    EXPECT_TRUE(fr.enabled);
    EXPECT_EQ(fr.fx, 20);
    EXPECT_EQ(fr.fy, 10);
    EXPECT_EQ(fr.strength, static_cast<float>(1.0 - 10 / 50.0));
    EXPECT_EQ(fr.shadow, 0.0f);
    EXPECT_EQ(fr.line, 1.0f);
    EXPECT_EQ(fr.slope, 0.5f);
    EXPECT_EQ(fr.xr, 200 - 20 - 1);
    EXPECT_EQ(fr.yb, 100 - 10 - 1);
    EXPECT_EQ(fr.colorR, 0x56);
    EXPECT_EQ(fr.colorG, 0x34);
    EXPECT_EQ(fr.colorB, 0x12);
}

TEST(DrawSteps, ProgressAndRefreshSteps) {
    EXPECT_EQ(progressStep(150), 4); // round(1.5) = 2, raised to 4
    EXPECT_EQ(refreshStep(150), 20); // round(7.5) = 8, raised to 20
    EXPECT_EQ(progressStep(3000), 30);
    EXPECT_EQ(refreshStep(3000), 150);
    EXPECT_EQ(progressStep(450), 4); // round(4.5) = 4
    EXPECT_EQ(progressStep(650), 6); // round(6.5) = 6
    EXPECT_EQ(refreshStep(450), 22); // round(22.5) = 22
}

TEST(DrawSteps, ProgressPercent) {
    // The columns before the newest one: the first report gives 0, the last 99.
    EXPECT_EQ(progressPercent(1, 150), 0);
    EXPECT_EQ(progressPercent(76, 150), 50);
    EXPECT_EQ(progressPercent(150, 150), 99);
    // floor of x / W x 100 evaluated in that order: 29 / 100 x 100 is just below 29.
    EXPECT_EQ(progressPercent(30, 100), 28);
}

TEST(DrawRefusals, NoComponent) {
    ParamFields f;
    f.componentOn.fill(false);
    const Result message = checkComponents(f);
    ASSERT_FALSE(message.ok());
    ASSERT_EQ(message.messages().size(), 1u);
    EXPECT_EQ(message.failureMessage()->text, "成分が一つも選択されていません。");
    EXPECT_EQ(message.failureMessage()->icon, MessageIcon::Critical);
    f.componentOn[7] = true;
    EXPECT_TRUE(checkComponents(f).ok());
}

TEST(DrawRefusals, UndrawableSetsFramesAndSizes) {
    const GColor good = blackWhiteSet();
    ParamFields f = fieldsWith(10, 10, {0});
    EXPECT_TRUE(drawRefusal(takeDrawSnapshot(f), good).ok());

    GColor one = good;
    one.colorCount = 1;
    Result m = drawRefusal(takeDrawSnapshot(f), one);
    ASSERT_FALSE(m.ok());
    EXPECT_EQ(m.failureMessage()->text, kColorSetTooSmallMessage);
    GColor many = good;
    many.colorCount = 13;
    m = drawRefusal(takeDrawSnapshot(f), many);
    ASSERT_FALSE(m.ok());
    EXPECT_EQ(m.failureMessage()->text, kColorSetTooLargeMessage);

    f.frame.enabled = true;
    f.frame.width = "0";
    m = drawRefusal(takeDrawSnapshot(f), good);
    ASSERT_FALSE(m.ok());
    EXPECT_EQ(m.failureMessage()->text, "枠の横幅と縦幅は1以上にして下さい。");
    f.frame.width = "3";
    f.frame.height = "-2";
    EXPECT_FALSE(drawRefusal(takeDrawSnapshot(f), good).ok());
    f.frame.enabled = false; // a frame that is off is not looked at
    EXPECT_TRUE(drawRefusal(takeDrawSnapshot(f), good).ok());

    f.width = 0;
    m = drawRefusal(takeDrawSnapshot(f), good);
    ASSERT_FALSE(m.ok());
    EXPECT_EQ(m.failureMessage()->text, kImageSizeMessage);
    f.width = kMaxDrawSide + 1;
    m = drawRefusal(takeDrawSnapshot(f), good);
    ASSERT_FALSE(m.ok());
    EXPECT_EQ(m.failureMessage()->text, kImageTooLargeMessage);
}

TEST(DrawRefusals, RefusedDrawingChangesNothing) {
    GColor one = blackWhiteSet();
    one.colorCount = 1;
    ParamFields f = fieldsWith(8, 6, {0});
    Canvas canvas(5, 5);
    fillDistinct(canvas);
    const Canvas before = canvas;
    struct Recorder : DrawObserver {
        int calls = 0;
        void started() override { ++calls; }
        void progress(int, int) override { ++calls; }
        void finished(DrawOutcome) override { ++calls; }
        void columnsReady(int, int) override { ++calls; }
    } recorder;
    const DrawResult r = DrawMain(takeDrawSnapshot(f), one, canvas, &recorder);
    EXPECT_EQ(r.outcome, DrawOutcome::Refused);
    ASSERT_FALSE(r.report.ok());
    EXPECT_EQ(r.report.failureMessage()->text, kColorSetTooSmallMessage);
    EXPECT_EQ(recorder.calls, 0);
    EXPECT_TRUE(sameCanvas(before, canvas));
}

TEST(PreviewParams, AReducedDrawingKeepsEveryTermButTheRippleAtItsSamples) {
    EXPECT_EQ(previewFactor(3000, 3000, 600000), 4);
    EXPECT_EQ(previewFactor(1000, 1000, 1000000), 1);
    EXPECT_EQ(previewFactor(1001, 1000, 1000000), 2);
    DrawParams full;
    full.width = 601;
    full.height = 402;
    full.cx = 300;
    full.cy = 200;
    full.power = 1;
    full.period = {20.5f, 30.5f, 7.5f, 40.5f, 12.5f, 1333.5f, 1000.5f, 0};
    full.amplitude = {300, 250, 200, 150, 120, 100, 80, 0};
    full.circlePeriodY = 23.5f;
    full.frame.enabled = true;
    full.frame.fx = 10;
    full.frame.fy = 7;
    // A factor of 4 divides the center offsets and the periods exactly: the same doubles,
    // but on the center column, where the ribbon takes a dx of 0 as 1 pixel.
    const DrawParams preview = previewParams(full, 4);
    EXPECT_EQ(preview.width, 151);
    EXPECT_EQ(preview.height, 101);
    EXPECT_EQ(preview.frame.fx, 3);
    EXPECT_EQ(preview.frame.fy, 2);
    EXPECT_EQ(preview.frame.xr, 151 - 3 - 1);
    EXPECT_EQ(preview.frame.yb, 101 - 2 - 1);
    for (int j = 0; j < preview.height; j += 3)
        for (int i = 0; i < preview.width; i += i == 74 ? 2 : 1)
            ASSERT_EQ(ReferenceRenderer::patternValue(preview, i, j),
                      ReferenceRenderer::patternValue(full, 4 * i, 4 * j))
                << i << "," << j;
    // The tables a drawing keeps: size, center, power, plus, ribbon and ripple.
    DrawParams next = full;
    next.phase = 40;
    next.period[0] = 3;
    EXPECT_TRUE(sameTableInputs(full, next));
    next.cx += 1;
    EXPECT_FALSE(sameTableInputs(full, next));
    next = full;
    next.period[5] = 7;
    EXPECT_FALSE(sameTableInputs(full, next));
    // The values a drawing keeps: those, and every period and amplitude.
    next = full;
    next.phase = 40;
    EXPECT_TRUE(sameValueInputs(full, next));
    next.amplitude[0] += 1;
    EXPECT_FALSE(sameValueInputs(full, next));
    next = full;
    next.circlePeriodY += 1;
    EXPECT_FALSE(sameValueInputs(full, next));

    Canvas picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0});
    Canvas sampled;
    samplePicture(picture, 2, sampled);
    ASSERT_EQ(sampled.width(), 3);
    ASSERT_EQ(sampled.height(), 2);
    EXPECT_EQ(sampled.pixel(2, 1), (Rgb{4, 2, 0}));
}

TEST(RandomSourceTest, UniformInUnitIntervalAndRepeatable) {
    RandomSource a(42), b(42), c(43);
    double sum = 0;
    std::set<float> distinct;
    bool differs = false;
    for (int i = 0; i < 10000; ++i) {
        const float x = a.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
        sum += x;
        distinct.insert(x);
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    EXPECT_GT(distinct.size(), 9900u);
    a.reseed(42);
    b.reseed(42);
    EXPECT_EQ(a.nextBits(), b.nextBits());
}

TEST(RandomSourceTest, TimeOfDaySeedIsWithinADay) {
    EXPECT_LT(hundredthsOfSecondToday(), 24ull * 3600 * 100);
}
