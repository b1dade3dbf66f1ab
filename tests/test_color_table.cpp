#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorTable.h"
#include "colorsets/GradientBar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using namespace wavory;

namespace {

const GColor& builtin(const std::string& name) {
    for (const GColor& set : builtinColorSets()) {
        if (set.name == name)
            return set;
    }
    throw std::runtime_error("no built-in set " + name);
}

GColor withLevel(GColor set, std::int16_t level) {
    set.colorLevelCount = level;
    return set;
}

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};
const Rgb kGrey128{128, 128, 128};

// Exact rational evaluation of the bar's column rule, all in integers. `tieUp` decides a
// quantization tie (f x 256 exactly halfway): the real-number evaluation may land on
// either side of it, so both results are accepted there.
Rgb exactColumn(const GColor& set, std::int64_t g, int phase, std::int64_t x, bool tieUp) {
    const std::int64_t n1 = set.colorCount - 1;
    const std::int64_t step = std::int64_t{1} << (8 - set.colorLevelCount);
    const std::int64_t pos = (x + g * phase / 100) % g;
    const std::int64_t t = pos * n1 / g; // floor of pos / w
    // f x 256 = 256 (pos (n-1) - g t) / g
    const std::int64_t num = 256 * (pos * n1 - g * t);
    std::int64_t q = num / g;
    const std::int64_t twice = 2 * (num - q * g);
    if (twice > g || (twice == g && tieUp))
        ++q;
    const std::int64_t m = step * (q / step); // f' = m / 256
    auto channel = [&](std::int64_t a, std::int64_t b) {
        const std::int64_t v = (256 - m) * a + m * b; // channel x 256
        std::int64_t c = v / 256;
        const std::int64_t rest = v % 256;
        if (rest > 128 || (rest == 128 && c % 2 == 1))
            ++c;
        return static_cast<std::uint8_t>(c);
    };
    const auto i = static_cast<std::size_t>(t);
    return {channel(set.r[i], set.r[i + 1]), channel(set.g[i], set.g[i + 1]),
            channel(set.b[i], set.b[i + 1])};
}

} // namespace

TEST(ColorTable, WhiteBlackSmoothAndTwoValued) {
    const ColorTable smooth(builtin("白黒"));
    ASSERT_EQ(smooth.length(), 512);
    EXPECT_EQ(smooth.entry(0), kBlack);
    EXPECT_EQ(smooth.entry(128), kGrey128) << "127.5 rounds to the even 128";
    EXPECT_EQ(smooth.entry(256), kWhite);
    EXPECT_EQ(smooth.entry(384), kGrey128);
    EXPECT_EQ(smooth.entry(512), kBlack);
    EXPECT_EQ(smooth.entry(255), (Rgb{254, 254, 254})) << "the next point is never reached";
    EXPECT_EQ(smooth.lookup(512, 0), kBlack);
    EXPECT_EQ(smooth.lookup(-256, 0), kWhite);

    const ColorTable flat(builtin("白黒(2値)"));
    ASSERT_EQ(flat.length(), 512);
    for (int i = 0; i <= 512; ++i) {
        EXPECT_EQ(flat.entry(i), (i >= 256 && i < 512) ? kWhite : kBlack) << i;
    }
}

TEST(ColorTable, EntriesBetweenPointsWorkedOutByHand) {
    // Each channel blends only with the same channel of the next point; every channel of
    // these points differs, so a channel taken from the wrong place shows.
    GColor distinct;
    distinct.colorCount = 2;
    distinct.r = {10, 200};
    distinct.g = {20, 100};
    distinct.b = {30, 50};
    struct Case {
        GColor set;
        int index;
        Rgb expected;
    };
    const Case cases[] = {
        // RGB: (255,0,0) (0,255,0) (0,0,255) (255,0,0); t = (index mod 256) / 256.
        {builtin("RGB"), 64, {191, 64, 0}},    // 0.75 x 255 = 191.25, 63.75
        {builtin("RGB"), 384, {0, 128, 128}},  // halfway green to blue: 127.5 to even 128
        {builtin("RGB"), 600, {88, 0, 167}},   // t = 88/256: 87.66, 167.34
        {builtin("RGB"), 700, {187, 0, 68}},   // t = 188/256: 187.27, 67.73
        // Level exponent 3: steps of 32, so 300 is taken at 256 + 32.
        {withLevel(builtin("RGB"), 3), 300, {0, 223, 32}}, // 223.125, 31.875
        {distinct, 64, {58, 40, 35}},   // 57.5 to even 58, 15 + 25, 22.5 + 12.5
        {distinct, 128, {105, 60, 40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorTable(c.set).entry(c.index), c.expected) << c.set.name << " " << c.index;
}

TEST(ColorTable, LevelExponentOneGivesTwoColorsPerSegment) {
    const ColorTable table(withLevel(builtin("白黒"), 1));
    for (int i = 0; i < 512; ++i) {
        Rgb expected = kGrey128;
        if (i < 128)
            expected = kBlack;
        if (i >= 256 && i < 384)
            expected = kWhite;
        EXPECT_EQ(table.entry(i), expected) << i;
    }
}

TEST(ColorTable, PhaseTurnsTheGradient) {
    const ColorTable table(builtin("RGB"));
    ASSERT_EQ(table.length(), 768);
    for (int v : {0, 1, 100, 383, 384, 385, 767, 768, 5000}) {
        EXPECT_EQ(table.indexFor(v, 50), (v + 384) % 768) << v;
        EXPECT_EQ(table.lookup(v, 50), table.entry((v + 384) % 768)) << v;
    }
    EXPECT_EQ(table.indexFor(-100, 50), 484) << "the magnitude of the pattern value is used";
}

TEST(ColorTable, TwelvePointsAndUnusableSets) {
    const GColor& thunder = builtin("雷");
    const ColorTable table(thunder);
    ASSERT_EQ(table.length(), 2816);
    EXPECT_EQ(table.entry(0), (Rgb{48, 48, 0}));
    EXPECT_EQ(table.entry(4 * 256), (Rgb{255, 255, 224}));
    EXPECT_EQ(table.entry(2560), kBlack);
    EXPECT_EQ(table.entry(2816), kBlack) << "the last point, the spare entry weighted 0";
    EXPECT_EQ(table.lookup(2816, 0), (Rgb{48, 48, 0}));

    GColor single = thunder;
    single.colorCount = 1;
    const ColorTable none(single);
    EXPECT_EQ(none.length(), 0);
    EXPECT_EQ(none.indexFor(12345, 50), 0) << "an empty gradient never divides by zero";
    EXPECT_GE(table.indexFor(10, -50), 0) << "a negative phase stays inside the table";
    EXPECT_EQ(table.indexFor(10, -50), 2816 - 1408 + 10);
}

TEST(GradientBar, HandComputedColumns) {
    const GColor& whiteBlack = builtin("白黒");
    const auto bar = gradBarColors(whiteBlack, 512, 0);
    ASSERT_EQ(bar.size(), 512u);
    EXPECT_EQ(bar[0], kBlack);
    EXPECT_EQ(bar[128], kGrey128);
    EXPECT_EQ(bar[256], kWhite);
    EXPECT_EQ(bar[511], (Rgb{1, 1, 1}));

    const auto turned = gradBarColors(whiteBlack, 512, 50);
    EXPECT_EQ(turned[0], kWhite);
    EXPECT_EQ(turned[256], kBlack);
    EXPECT_EQ(turned[383], bar[127]);

    // w = 5: column 2 has f = 0.4, round(102.4) = 102, 255 x 102 / 256 = 101.6.
    const auto narrow = gradBarColors(whiteBlack, 10, 0);
    ASSERT_EQ(narrow.size(), 10u);
    EXPECT_EQ(narrow[2], (Rgb{102, 102, 102}));
    EXPECT_EQ(narrow[5], kWhite);

    const auto flat = gradBarColors(builtin("白黒(2値)"), 300, 0);
    for (int x = 0; x < 300; ++x)
        EXPECT_EQ(flat[x], x >= 150 ? kWhite : kBlack) << x;

    // One column per point of the twelve-point set: every column is exactly its point.
    const GColor& thunder = builtin("雷");
    const auto points = gradBarColors(thunder, 11, 0);
    ASSERT_EQ(points.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(points[i], (Rgb{static_cast<std::uint8_t>(thunder.r[i]),
                                  static_cast<std::uint8_t>(thunder.g[i]),
                                  static_cast<std::uint8_t>(thunder.b[i])}))
            << i;
    }
}

TEST(GradientBar, EmptyForUnusableSetsOrWidths) {
    GColor one = builtin("RGB");
    one.colorCount = 1;
    EXPECT_TRUE(gradBarColors(one, 100, 0).empty());
    EXPECT_TRUE(gradBarColors(builtin("RGB"), 0, 0).empty());
    EXPECT_TRUE(gradBarColors(builtin("RGB"), -4, 0).empty());
    EXPECT_EQ(gradBarColors(builtin("RGB"), 1, 99).size(), 1u);
    EXPECT_EQ(gradPreviewColors(builtin("虹"), 333), gradBarColors(builtin("虹"), 333, 0));
    // A negative phase wraps like its positive counterpart.
    EXPECT_EQ(gradBarColors(builtin("虹"), 200, -25), gradBarColors(builtin("虹"), 200, 75));
}

TEST(GradientBar, MatchesExactEvaluationForManyWidthsSetsAndPhases) {
    std::vector<int> widths;
    for (int g = 1; g <= 40; ++g)
        widths.push_back(g);
    for (int g = 77; g <= 640; g += 37)
        widths.push_back(g);
    // Halfway quantizations need widths with a factor 512.
    for (int g : {512, 768, 1024, 1536, 2560})
        widths.push_back(g);
    int ties = 0;
    for (const GColor& base : builtinColorSets()) {
        for (std::int16_t level : {std::int16_t{0}, std::int16_t{3}, std::int16_t{8}}) {
            const GColor set = withLevel(base, level);
            for (int g : widths) {
                for (int phase : {0, 1, 33, 50, 99}) {
                    const auto bar = gradBarColors(set, g, phase);
                    ASSERT_EQ(bar.size(), static_cast<std::size_t>(g));
                    for (int x = 0; x < g; ++x) {
                        const Rgb down = exactColumn(set, g, phase, x, false);
                        const Rgb up = exactColumn(set, g, phase, x, true);
                        if (!(down == up))
                            ++ties;
                        EXPECT_TRUE(bar[x] == down || bar[x] == up)
                            << set.name << " level " << level << " g " << g << " phase " << phase
                            << " x " << x;
                    }
                }
            }
        }
    }
    EXPECT_GT(ties, 0) << "the sweep should include quantization ties";
}
