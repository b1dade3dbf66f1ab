// The fast synthesis (DrawMain) against the plain per-pixel evaluation, pixel for pixel,
// on varied parameters, thread counts and sizes; and the formulas themselves on cases
// whose values are known.

#include "engine_test_support.h"

#include "colorsets/ColorTable.h"
#include "common/Numbers.h"
#include "common/RandomSource.h"
#include "engine/BleedNoise.h"
#include "engine/DrawMain.h"
#include "engine/ReferenceRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace wavory;
using namespace wavory::testing;

namespace {

struct Case {
    std::string name;
    ParamFields fields;
    GColor set = rainbowSet();
    std::uint64_t key = 1;
};

// Draws the case with the fast engine on every thread count, observed and not, onto a
// canvas that already holds a picture, and compares with the reference.
void expectSameAsReference(const Case& c) {
    SCOPED_TRACE(c.name);
    const DrawParams params = takeDrawSnapshot(c.fields);
    Canvas expected(params.width, params.height);
    fillDistinct(expected);
    const Canvas background = expected;
    ASSERT_EQ(ReferenceRenderer::render(params, c.set, c.key, expected).outcome,
              DrawOutcome::Completed);
    for (unsigned threads : {1u, 2u, 3u}) {
        for (bool observed : {false, true}) {
            SCOPED_TRACE("threads " + std::to_string(threads) + (observed ? " observed" : ""));
            Canvas actual = background;
            DrawObserver observer;
            DrawOptions options;
            options.threads = threads;
            options.noiseKey = c.key;
            const DrawResult r =
                DrawMain(params, c.set, actual, observed ? &observer : nullptr, options);
            EXPECT_EQ(r.outcome, DrawOutcome::Completed);
            EXPECT_EQ(r.columnsDrawn, params.width);
            EXPECT_TRUE(sameCanvas(expected, actual));
        }
    }
}

Case makeCase(std::string name, ParamFields f) {
    return Case{std::move(name), std::move(f)};
}

} // namespace

TEST(SynthesisMatchesReference, EachComponentAlone) {
    for (int component = 0; component < kComponentCount; ++component) {
        ParamFields f = fieldsWith(37, 23, {component});
        f.center = {"3", "-2"};
        expectSameAsReference(makeCase("component " + std::to_string(component), f));
        f.values[9] = "3";
        expectSameAsReference(makeCase("component " + std::to_string(component) + " cubed", f));
    }
}

TEST(SynthesisMatchesReference, AllComponentsWithPowersAndPhases) {
    for (const char* power : {"1", "2", "3", "4", "7", "999999"}) {
        for (int phase : {0, 37, 99}) {
            ParamFields f = allComponents(64, 48);
            f.values[9] = power;
            f.phase = phase;
            expectSameAsReference(
                makeCase(std::string("power ") + power + " phase " + std::to_string(phase), f));
        }
    }
}

TEST(SynthesisMatchesReference, ShortPeriodsAndHugeAmplitudes) {
    ParamFields f = allComponents(41, 29);
    for (int slot : {0, 2, 4, 6, 8, 10, 12, 14, 16})
        f.values[static_cast<std::size_t>(slot)] = "1";
    for (int slot : {1, 3, 5, 7, 11, 13, 15, 17})
        f.values[static_cast<std::size_t>(slot)] = "999999";
    expectSameAsReference(makeCase("periods 1, amplitudes 999999", f));
    f.values[9] = "2";
    f.bleed = "999999";
    expectSameAsReference(makeCase("and power 2, bleed 999999", f));
}

TEST(SynthesisMatchesReference, BleedWithKeys) {
    for (const char* bleed : {"1", "40", "1000"}) {
        for (std::uint64_t key : {0ull, 7ull, 0xFFFFFFFFFFFFFFFFull}) {
            ParamFields f = allComponents(33, 31);
            f.bleed = bleed;
            Case c = makeCase(std::string("bleed ") + bleed + " key " + std::to_string(key), f);
            c.key = key;
            expectSameAsReference(c);
        }
    }
}

TEST(SynthesisMatchesReference, CentersInsideOnTheEdgeAndOutside) {
    const std::vector<std::pair<const char*, const char*>> centers = {
        {"0", "0"},   {"17", "-11"}, {"-16", "11"},      {"18", "12"},  {"-18", "-12"},
        {"200", "0"}, {"0", "-300"}, {"99999", "-4000"}, {"-50", "50"}, {"7.5", "-6.5"}};
    for (const auto& [x, y] : centers) {
        ParamFields f = allComponents(35, 24);
        f.center = {x, y};
        expectSameAsReference(makeCase(std::string("center ") + x + "," + y, f));
    }
}

TEST(SynthesisMatchesReference, LargerPicturesWithEveryTable) {
    // Enough columns for many prime factors, tables that cover part of the picture only
    // (center off the middle) and bands of columns split by the center.
    const std::vector<std::pair<const char*, const char*>> centers = {
        {"0", "0"}, {"40", "-30"}, {"-101", "90"}, {"150", "0"}};
    for (const auto& [x, y] : centers) {
        ParamFields f = allComponents(241, 187);
        f.center = {x, y};
        f.values[9] = "2";
        f.bleed = "9";
        expectSameAsReference(makeCase(std::string("241x187 center ") + x + "," + y, f));
    }
}

TEST(SynthesisMatchesReference, ExtremeCentersOnLongImages) {
    // Products and squares of offsets beyond 32 bits: exact in 64 bits, no wrap.
    const std::vector<std::pair<const char*, const char*>> centers = {
        {"99999", "99999"},
        {"-2147483648", "2147483647"},
        {"2147483647", "-2147483648"},
        {"-2147483648", "-2147483648"}};
    for (const auto& [x, y] : centers) {
        for (auto [w, h] : {std::pair{3000, 2}, std::pair{2, 3000}}) {
            ParamFields f = allComponents(w, h);
            f.center = {x, y};
            f.values[9] = "2";
            expectSameAsReference(makeCase(std::string("center ") + x + "," + y + " size " +
                                               std::to_string(w) + "x" + std::to_string(h),
                                           f));
        }
    }
}

TEST(SynthesisMatchesReference, LargeThinSizesWithPowerBleedAndFrame) {
    // Sides far beyond the window's 3000, few pixels: every component, the center off the
    // middle, and a frame along the long side.
    for (auto [w, h] : {std::pair{16384, 4}, std::pair{4, 16384}, std::pair{5000, 7}}) {
        ParamFields f = allComponents(w, h);
        f.center = {"-1234", "1"};
        f.values[kPowerSlot] = "3";
        f.bleed = "25";
        f.frame.enabled = true;
        f.frame.width = std::to_string(w > h ? 700 : 1);
        f.frame.height = std::to_string(w > h ? 1 : 900);
        expectSameAsReference(makeCase("size " + std::to_string(w) + "x" + std::to_string(h), f));
    }
}

TEST(SynthesisMatchesReference, TinyAndOddSizes) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 9}, std::pair{9, 1}, std::pair{2, 2},
                        std::pair{3, 5}, std::pair{4, 4}, std::pair{101, 3}, std::pair{5, 77}}) {
        ParamFields f = allComponents(w, h);
        f.bleed = "30";
        expectSameAsReference(makeCase("size " + std::to_string(w) + "x" + std::to_string(h), f));
    }
}

TEST(SynthesisMatchesReference, KeptTablesOnlyWhereTheirInputsAreTheSame) {
    // One picture size throughout: each step changes one value that the plus, ribbon or
    // ripple tables depend on (or one they do not), and every drawing after the first
    // finds the tables of the one before. A slot of -1 switches the component instead.
    struct Step {
        const char* name;
        int slot;
        std::string value;
        int component = -1;
    };
    const Step steps[] = {
        {"start", kPowerSlot, "1"},
        {"circle period only", kPeriodSlot[3], "51"},
        {"power", kPowerSlot, "2"},
        {"plus period", kPeriodSlot[5], "33"},
        {"plus amplitude", kAmplitudeSlot[5], "71"},
        {"ribbon period", kPeriodSlot[6], "500"},
        {"ribbon amplitude", kAmplitudeSlot[6], "91"},
        {"ripple amplitude", kAmplitudeSlot[7], "41"},
        {"plus off", -1, "", 5},
        {"ripple off", -1, "", 7},
    };
    ParamFields f = allComponents(45, 33);
    for (const Step& step : steps) {
        if (step.slot >= 0)
            f.values[static_cast<std::size_t>(step.slot)] = step.value;
        else
            f.componentOn[static_cast<std::size_t>(step.component)] = false;
        expectSameAsReference(makeCase(step.name, f));
    }
    f.center = {"1", "-1"};
    expectSameAsReference(makeCase("center", f));
}

TEST(SynthesisMatchesReference, EveryDrawMode) {
    for (DrawMode mode : {DrawMode::Normal, DrawMode::And, DrawMode::Or, DrawMode::Xor}) {
        ParamFields f = allComponents(30, 20);
        f.mode = mode;
        expectSameAsReference(makeCase("mode " + std::to_string(static_cast<int>(mode)), f));
    }
}

TEST(SynthesisFormulas, VerticalOnlyColumnsOfAHundredWideImage) {
    // Amplitude 1: column 50 is the center (cos 0 = 1, v = 1); where |cos| < 0.5, v = 0.
    for (int phase : {0, 50}) {
        ParamFields f = fieldsWith(100, 20, {0});
        f.values[0] = "30"; // P0 = 10.5
        f.values[1] = "1";
        f.phase = phase;
        const GColor set = blackWhiteSet();
        const ColorTable table(set);
        Canvas canvas;
        DrawMain(takeDrawSnapshot(f), set, canvas);
        const Rgb zero = table.entry(static_cast<int>(roundHalfEven(phase / 100.0 * 512)) % 512);
        const Rgb one =
            table.entry((1 + static_cast<int>(roundHalfEven(phase / 100.0 * 512))) % 512);
        int zeroColumns = 0;
        for (int x = 0; x < 100; ++x) {
            const double c = std::cos((x - 50) / static_cast<double>(static_cast<float>(10.5)));
            for (int y = 0; y < 20; ++y) {
                if (x == 50) {
                    EXPECT_EQ(canvas.pixel(x, y), one) << y;
                }
                if (std::fabs(c) < 0.5) {
                    EXPECT_EQ(canvas.pixel(x, y), zero) << x << "," << y;
                }
            }
            zeroColumns += std::fabs(c) < 0.5;
        }
        EXPECT_GT(zeroColumns, 10);
        EXPECT_NE(zero, one);
    }
}

TEST(SynthesisFormulas, RibbonAtTheCenterColumnDividesByOne) {
    ParamFields f = fieldsWith(21, 21, {6});
    const DrawParams p = takeDrawSnapshot(f);
    ASSERT_EQ(p.cx, 10);
    const double p6 = p.period[6];
    for (int dy : {-7, -1, 0, 3, 10}) {
        const double expected = roundHalfEven(80.0 * std::cos(std::atan(dy / 1.0) / p6 * 400.0));
        EXPECT_EQ(ReferenceRenderer::patternValue(p, 10, 10 + dy), expected) << dy;
    }
    EXPECT_EQ(ReferenceRenderer::patternValue(p, 10, 10), 80);
}

TEST(SynthesisFormulas, EachComponentAtOnePixel) {
    ParamFields f = fieldsWith(50, 40, {});
    f.center = {"4", "-3"}; // cx = 21, cy = 23
    const int x = 37, y = 6;
    const double dx = 16, dy = -17;
    struct Expect {
        int component;
        double value;
    };
    const auto P = [](double slot) {
        return static_cast<double>(static_cast<float>(slot / 3 + 0.5));
    };
    const std::vector<Expect> expects = {
        {0, 300 * std::cos(dx / P(60))},
        {1, 250 * std::cos(dy / P(80))},
        {2, 200 * std::cos((dx + dy) / P(100))},
        {3, 150 * (std::cos(dy / P(70)) * std::cos(dx / P(50)))},
        {4, 120 * std::cos((std::fabs(dx - dy) + std::fabs(dx + dy)) / P(90))},
        {5, 100 * std::cos((dx * dy) / P(4000))},
        {6, 80 * std::cos(std::atan(dy / dx) / P(3000) * 400)},
        {7, 60 * std::cos(dx * dx + dy * dy + 1)},
    };
    for (const auto& e : expects) {
        ParamFields one = f;
        one.componentOn[static_cast<std::size_t>(e.component)] = true;
        EXPECT_EQ(ReferenceRenderer::patternValue(takeDrawSnapshot(one), x, y),
                  roundHalfEven(e.value))
            << "component " << e.component;
    }
    // Power 3: each value cubed before the amplitude.
    ParamFields cubed = f;
    cubed.componentOn[1] = true;
    cubed.componentOn[2] = true;
    cubed.values[9] = "3";
    EXPECT_EQ(ReferenceRenderer::patternValue(takeDrawSnapshot(cubed), x, y),
              roundHalfEven(250 * std::pow(std::cos(dy / P(80)), 3.0) +
                            200 * std::pow(std::cos((dx + dy) / P(100)), 3.0)));
}

TEST(SynthesisFormulas, PlusAndRippleStayExactForExtremeCenters) {
    ParamFields f = fieldsWith(3000, 3, {5});
    f.center = {"-2147483648", "2147483647"};
    const DrawParams p = takeDrawSnapshot(f);
    const __int128 dx = 0 - (1500 + static_cast<__int128>(2147483648LL));
    const __int128 dy = 2 - (1 - static_cast<__int128>(2147483647LL));
    const double plus = std::cos(static_cast<double>(dx * dy) / p.period[5]);
    EXPECT_EQ(ReferenceRenderer::patternValue(p, 0, 2), roundHalfEven(100 * plus));

    f.componentOn = {false, false, false, false, false, false, false, true};
    const DrawParams q = takeDrawSnapshot(f);
    const double ripple = std::cos(static_cast<double>(dx * dx + dy * dy + 1));
    EXPECT_EQ(ReferenceRenderer::patternValue(q, 0, 2), roundHalfEven(60 * ripple));
}

TEST(SynthesisFormulas, CosineIsEvenAndArctangentOddToTheBit) {
    // The synthesis shares the circle, plus and ribbon terms between (dx, dy) and its
    // sign changes, which gives the same doubles only while the C library keeps these.
    RandomSource random(77);
    for (int i = 0; i < 200000; ++i) {
        // Magnitudes from 2^-20 to 2^60: angles, quotients, products and squares.
        const int exponent = static_cast<int>(random.nextBits() % 80) - 20;
        const double x = std::ldexp(static_cast<double>(random.nextBits() >> 11), exponent - 53);
        const double c = std::cos(x), cn = std::cos(-x);
        const double a = std::atan(x), an = -std::atan(-x);
        ASSERT_EQ(std::memcmp(&c, &cn, sizeof c), 0) << x;
        ASSERT_EQ(std::memcmp(&a, &an, sizeof a), 0) << x;
    }
}

TEST(SynthesisFormulas, RippleIgnoresItsPeriodSlot) {
    ParamFields f = fieldsWith(40, 30, {7, 1});
    Canvas a, b;
    f.values[16] = "1";
    DrawMain(takeDrawSnapshot(f), rainbowSet(), a);
    f.values[16] = "12345";
    DrawMain(takeDrawSnapshot(f), rainbowSet(), b);
    EXPECT_TRUE(sameCanvas(a, b));
}

TEST(SynthesisFormulas, ZeroAmplitudeDrawsAsOne) {
    ParamFields f = fieldsWith(30, 30, {0, 3});
    Canvas a, b;
    f.values[1] = "0";
    DrawMain(takeDrawSnapshot(f), rainbowSet(), a);
    f.values[1] = "1";
    DrawMain(takeDrawSnapshot(f), rainbowSet(), b);
    EXPECT_TRUE(sameCanvas(a, b));
}

TEST(SynthesisBleed, NoiseIsKeyedByDrawingAndPixel) {
    for (std::int64_t x : {0, 1, 2999}) {
        for (std::int64_t y : {0, 5, 2999}) {
            const float r = bleedNoise(99, x, y);
            EXPECT_GE(r, 0.0f);
            EXPECT_LT(r, 1.0f);
            EXPECT_EQ(r, bleedNoise(99, x, y));
        }
    }
    EXPECT_NE(bleedNoise(1, 3, 4), bleedNoise(2, 3, 4));
    EXPECT_NE(bleedNoise(1, 3, 4), bleedNoise(1, 4, 3));
    double sum = 0;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            sum += bleedNoise(5, x, y);
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
}

TEST(SynthesisBleed, EveryDrawingContinuesTheSequence) {
    ParamFields f = fieldsWith(40, 30, {0});
    f.values[1] = "1";
    f.bleed = "600";
    const DrawParams p = takeDrawSnapshot(f);
    RandomSource program(2024);
    Canvas first, second, again;
    DrawOptions o;
    o.noiseKey = program.nextBits();
    DrawMain(p, rainbowSet(), first, nullptr, o);
    o.noiseKey = program.nextBits();
    DrawMain(p, rainbowSet(), second, nullptr, o);
    EXPECT_FALSE(sameCanvas(first, second)); // same parameters, fresh noise
    program.reseed(2024);
    o.noiseKey = program.nextBits();
    DrawMain(p, rainbowSet(), again, nullptr, o);
    EXPECT_TRUE(sameCanvas(first, again)); // a fixed seed repeats the image
}
