// The bevelled border frame: the examples with known colors, the inheritance of q along
// the drawing order, and the fast engine against the reference over many frames.

#include "engine_test_support.h"

#include "common/Numbers.h"
#include "engine/DrawMain.h"
#include "engine/FrameEffect.h"
#include "engine/ReferenceRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace wavory;
using namespace wavory::testing;

namespace {

ParamFields framed(int w, int h, const char* fx, const char* fy, int senmei, int shadow, int line,
                   std::int32_t color) {
    ParamFields f = allComponents(w, h);
    f.frame.enabled = true;
    f.frame.width = fx;
    f.frame.height = fy;
    f.frame.senmei = senmei;
    f.frame.shadow = shadow;
    f.frame.line = line;
    f.frame.color = color;
    return f;
}

Canvas draw(const ParamFields& f, unsigned threads = 2) {
    Canvas canvas;
    DrawOptions o;
    o.threads = threads;
    EXPECT_EQ(DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, nullptr, o).outcome,
              DrawOutcome::Completed);
    return canvas;
}

std::uint8_t halfOf(std::uint8_t c) { return static_cast<std::uint8_t>(roundHalfEven(c * 0.5)); }

} // namespace

TEST(FrameEffect, BlackTenPixelFrameFadesTheLeftBand) {
    // S = 1, D = 1, L = 0, black: column 0 black, column 5 half, column 10 unchanged.
    const ParamFields f = framed(60, 50, "10", "10", 0, 0, 0, 0x000000);
    ParamFields plain = f;
    plain.frame.enabled = false;
    const Canvas withFrame = draw(f);
    const Canvas without = draw(plain);
    for (int y = 11; y < 50 - 10 - 1; ++y) {
        EXPECT_EQ(withFrame.pixel(0, y), (Rgb{0, 0, 0})) << y;
        const Rgb c = without.pixel(5, y);
        EXPECT_EQ(withFrame.pixel(5, y), (Rgb{halfOf(c.r), halfOf(c.g), halfOf(c.b)})) << y;
        for (int x = 10; x < 60 - 10 - 1; ++x) {
            EXPECT_EQ(withFrame.pixel(x, y), without.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(FrameEffect, WhiteLinesAtFullSharpness) {
    // L = 1: on the top-left lines q = 2 and m = 0, so 2 x 255 capped at 255.
    const ParamFields f = framed(40, 40, "8", "8", 25, 25, 50, 0xFFFFFF);
    const Canvas c = draw(f);
    const Rgb white{255, 255, 255};
    for (int i = 1; i < 8; ++i) EXPECT_EQ(c.pixel(i, i), white) << "mitre " << i; // k = 1
    for (int y = 9; y < 30; ++y) EXPECT_EQ(c.pixel(8, y), white) << "edge x " << y;
    for (int x = 9; x < 30; ++x) EXPECT_EQ(c.pixel(x, 8), white) << "edge y " << x;
}

TEST(FrameEffect, FullStrengthBorderIsTheFrameColor) {
    // Senmei 50: S = 0, so m = 0 in every band and the color is q times the frame color.
    const ParamFields f = framed(50, 40, "6", "5", 50, 25, 0, 0x3264C8); // R 200, G 100, B 50
    const Canvas c = draw(f);
    const Rgb frameColor{200, 100, 50};
    const Rgb darkened{100, 50, 25}; // q = D = 0.5
    for (int y = 0; y < 5; ++y)
        for (int x = 8; x < 40; ++x) EXPECT_EQ(c.pixel(x, y), frameColor) << x << "," << y;
    for (int y = 8; y < 30; ++y) EXPECT_EQ(c.pixel(2, y), frameColor) << "left band " << y;
    for (int y = 8; y < 30; ++y) EXPECT_EQ(c.pixel(47, y), darkened) << "right band " << y;
    for (int x = 10; x < 40; ++x) EXPECT_EQ(c.pixel(x, 37), darkened) << "bottom band " << x;
}

TEST(FrameEffect, FrameOffDrawsAsIfThereWereNone) {
    ParamFields f = framed(33, 27, "5", "7", 10, 40, 30, 0x00FF00);
    f.frame.enabled = false;
    EXPECT_TRUE(sameCanvas(draw(allComponents(33, 27)), draw(f)));
}

TEST(FrameEffect, InteriorIsUnchangedAndBandsDiffer) {
    const ParamFields f = framed(64, 48, "12", "9", 20, 30, 15, 0x808080);
    ParamFields plain = f;
    plain.frame.enabled = false;
    const Canvas a = draw(f);
    const Canvas b = draw(plain);
    int changed = 0;
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 48; ++y) {
            const bool inside = x > 12 && x < 64 - 12 - 1 && y > 9 && y < 48 - 9 - 1 - 1;
            if (inside) {
                EXPECT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
            }
            changed += !(a.pixel(x, y) == b.pixel(x, y));
        }
    EXPECT_GT(changed, 64 * 9);
}

TEST(FrameEffect, InheritedQFollowsTheDrawingOrder) {
    // A frame higher than the image: every row from yb - 1 = -1 on may inherit, so q
    // crosses from one column's last pixel to the next column's first.
    for (auto [w, h, fx, fy] : {std::tuple{9, 6, "3", "8"}, std::tuple{12, 3, "2", "5"},
                                std::tuple{5, 5, "9", "9"}, std::tuple{20, 4, "1", "3"}}) {
        FrameParams frame = takeDrawSnapshot(framed(w, h, fx, fy, 10, 30, 20, 0)).frame;
        const FrameShading shading(frame, w, h);
        const std::vector<double> carry = shading.carryIn();
        double q = 0.0;
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(carry[static_cast<std::size_t>(x)], q) << "column " << x;
            for (int y = 0; y < h; ++y) q = shading.at(x, y, q).q;
        }
    }
}

TEST(FrameEffect, EveryCaseOfTheTable) {
    // 20 x 20, frame 4 x 2: k = 0.5, xr = 15, yb = 17.
    const FrameParams fr = takeDrawSnapshot(framed(20, 20, "4", "2", 20, 30, 10, 0)).frame;
    ASSERT_EQ(fr.xr, 15);
    ASSERT_EQ(fr.yb, 17);
    const FrameShading shading(fr, 20, 20);
    const double S = fr.strength, D = fr.shadow, L = fr.line;
    struct Expect {
        const char* what;
        int x, y;
        double m, q;
    };
    const std::vector<Expect> cases = {
        {"top-left mitre", 2, 1, (1 - L) * S * (0.5 * 1 / 2), L + 1},
        {"bottom-right mitre", 16, 18, (1 - L) * S * ((-1.0 / 2 + 1) * 0.75), (1 - L) * D},
        {"bevel below", 10, 18, S * 0.5, D},
        {"bevel right", 18, 8, S * 0.25, D},
        {"top-left edge, column", 4, 8, S * (1 - L), L + 1},
        {"top-left edge, row", 8, 2, S * (1 - L), L + 1},
        {"bottom-right edge, column", 15, 8, S * (1 - L / 2), (1 - L) * D},
        {"bottom-right edge, row", 8, 17, S * (1 - L / 2), (1 - L) * D},
        {"left band", 2, 8, S * 0.5, 1},
        {"inside", 9, 9, 1, 1},
    };
    for (const Expect& e : cases) {
        const FrameWeights w = shading.at(e.x, e.y, 0.125);
        EXPECT_EQ(w.m, e.m) << e.what;
        EXPECT_EQ(w.q, e.q) << e.what;
        EXPECT_FALSE(w.inherited) << e.what;
    }
    // From row yb - 1 down, anything else keeps the q of the pixel before.
    for (auto [x, y] : {std::pair{2, 16}, std::pair{2, 17}, std::pair{9, 16}}) {
        const FrameWeights w = shading.at(x, y, 0.125);
        EXPECT_TRUE(w.inherited) << x << "," << y;
        EXPECT_EQ(w.q, 0.125) << x << "," << y;
    }
}

TEST(FrameEffect, RowAboveTheBottomBandInheritsAMitreQ) {
    // 20 x 10, frame 5 x 5: yb = 4, the mitre passes (2, 2), and (2, 3) inherits its q.
    const FrameParams fr = takeDrawSnapshot(framed(20, 10, "5", "5", 0, 0, 25, 0xFFFFFF)).frame;
    const FrameShading shading(fr, 20, 10);
    const FrameWeights mitre = shading.at(2, 2, 1.0);
    EXPECT_EQ(mitre.q, static_cast<double>(fr.line) + 1);
    const FrameWeights below = shading.at(2, 3, mitre.q);
    EXPECT_TRUE(below.inherited);
    EXPECT_EQ(below.q, mitre.q);
}

TEST(FrameEffect, BlendRoundsAndCaps) {
    EXPECT_EQ(FrameShading::blend(100, 255, {0.0, 2.0, false}), 255); // 510 capped
    EXPECT_EQ(FrameShading::blend(100, 0, {0.5, 1.0, false}), 50);
    EXPECT_EQ(FrameShading::blend(101, 0, {0.5, 1.0, false}), 50); // 50.5 to even
    EXPECT_EQ(FrameShading::blend(103, 0, {0.5, 1.0, false}), 52); // 51.5 to even
    EXPECT_EQ(FrameShading::blend(0, 255, {1.5, 1.0, false}), 0);   // below 0 held at 0
}

TEST(FrameMatchesReference, ManyFramesSizesAndSliders) {
    struct F {
        int w, h;
        const char *fx, *fy;
        int senmei, shadow, line;
        std::int32_t color;
    };
    const std::vector<F> frames = {
        {60, 50, "10", "10", 0, 0, 0, 0x000000},   {60, 50, "10", "10", 25, 25, 25, 0xFFFFFF},
        {61, 47, "1", "1", 50, 50, 50, 0x123456},  {61, 47, "30", "23", 10, 40, 5, 0xFF8000},
        {40, 40, "20", "20", 33, 17, 49, 0x00FF00}, {40, 40, "19", "21", 0, 50, 1, 0x0000FF},
        {9, 7, "3", "8", 12, 20, 30, 0x808080},    {1, 1, "1", "1", 25, 25, 25, 0xFFFFFF},
        {2, 9, "5", "1", 5, 5, 45, 0x010203},      {13, 2, "2", "7", 45, 5, 20, 0xFEFDFC},
        {30, 20, "100", "100", 25, 25, 25, 0x404040}, {70, 30, "34", "2", 0, 25, 50, 0xFFFFFF},
        {64, 64, "3", "60", 20, 20, 20, 0x7F7F7F},
    };
    for (const F& fr : frames) {
        SCOPED_TRACE(std::to_string(fr.w) + "x" + std::to_string(fr.h) + " frame " + fr.fx +
                     "x" + fr.fy);
        for (const char* bleed : {"0", "25"}) {
            ParamFields f = framed(fr.w, fr.h, fr.fx, fr.fy, fr.senmei, fr.shadow, fr.line, fr.color);
            f.bleed = bleed;
            f.center = {"2", "-3"};
            const DrawParams p = takeDrawSnapshot(f);
            Canvas expected;
            ReferenceRenderer::render(p, rainbowSet(), 11, expected);
            for (unsigned threads : {1u, 2u, 3u}) {
                Canvas actual;
                DrawOptions o;
                o.threads = threads;
                o.noiseKey = 11;
                DrawMain(p, rainbowSet(), actual, nullptr, o);
                EXPECT_TRUE(sameCanvas(expected, actual)) << "threads " << threads;
                DrawObserver observer;
                Canvas observed;
                DrawMain(p, rainbowSet(), observed, &observer, o);
                EXPECT_TRUE(sameCanvas(expected, observed)) << "observed, threads " << threads;
            }
        }
    }
}
