#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorEditing.h"
#include "colorsets/ColorSetCollection.h"
#include "common/ColorValue.h"
#include "common/RandomSource.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using namespace wavory;

namespace {

constexpr std::int32_t kRed = rgbValue(255, 0, 0);
constexpr std::int32_t kGreen = rgbValue(0, 255, 0);
constexpr std::int32_t kBlue = rgbValue(0, 0, 255);
constexpr std::int32_t kBlack = 0;

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Concatenation by appending (GCC 12 warns falsely on literal + temporary string).
std::string join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts)
        out += p;
    return out;
}

ColorSetCollection builtinCollection() {
    ColorSetCollection sets;
    initColors(sets);
    return sets;
}

} // namespace

TEST(ColorEditing, RandomColorRoundsToEvenAndStaysInRange) {
    EXPECT_EQ(randomColorValue(0.0), 0);
    EXPECT_EQ(randomColorValue(0.5), 8388608);
    EXPECT_EQ(randomColorValue(0.5 / 16777216), 0) << "half a step rounds to even 0";
    EXPECT_EQ(randomColorValue(1.5 / 16777216), 2) << "one and a half steps round to even 2";
    // Within 2^-25 of 1 the product rounds up to 16777216: kept as white.
    EXPECT_EQ(randomColorValue(1.0 - std::ldexp(1.0, -26)), kWhiteColorValue);
    EXPECT_EQ(randomColorValue(std::nextafter(1.0, 0.0)), kWhiteColorValue);

    // One draw per point, in order, from the program's kind of source.
    RandomSource a(77), b(77);
    std::array<std::int32_t, 12> points{};
    randomizeColors(points, a);
    for (std::int32_t c : points) {
        EXPECT_EQ(c, randomColorValue(b.next()));
        EXPECT_GE(c, 0);
        EXPECT_LE(c, kWhiteColorValue);
    }
    EXPECT_NE(points[0], points[1]);
}

TEST(ColorEditing, NegativeAndHueRotationCycles) {
    EXPECT_EQ(negativeColor(kRed), rgbValue(0, 255, 255));
    EXPECT_EQ(negativeColor(rgbValue(10, 128, 255)), rgbValue(245, 127, 0));
    // Red turns blue, green turns red, blue turns green.
    EXPECT_EQ(hueRotated120(kRed), kBlue);
    EXPECT_EQ(hueRotated120(kGreen), kRed);
    EXPECT_EQ(hueRotated120(kBlue), kGreen);
    EXPECT_EQ(hueRotated120(rgbValue(1, 2, 3)), rgbValue(2, 3, 1));

    const std::vector<std::int32_t> original = {0, kWhiteColorValue, rgbValue(1, 2, 3),
                                                rgbValue(200, 17, 99), rgbValue(255, 0, 128)};
    std::vector<std::int32_t> points = original;
    negateColors(points);
    EXPECT_NE(points, original);
    negateColors(points);
    EXPECT_EQ(points, original);

    rotateHues(points);
    EXPECT_NE(points, original);
    rotateHues(points);
    EXPECT_NE(points, original);
    rotateHues(points);
    EXPECT_EQ(points, original);
}

TEST(ColorEditing, LuminanceRoundsHalfToEven) {
    EXPECT_EQ(luminance(kWhiteColorValue), 255);
    EXPECT_EQ(luminance(kBlack), 0);
    EXPECT_EQ(luminance(kRed), 76) << "76.5 rounds to the even 76";
    EXPECT_EQ(luminance(kGreen), 150);
    EXPECT_EQ(luminance(kBlue), 28);
    EXPECT_EQ(luminance(rgbValue(128, 128, 128)), 128);
}

TEST(ColorEditing, TintMakesShadesOfTheChosenColor) {
    // 白黒 tinted red: black stays black, white becomes the chosen color.
    std::vector<std::int32_t> points = {kBlack, kWhiteColorValue, kBlack};
    tintColors(points, kRed);
    EXPECT_EQ(points, (std::vector<std::int32_t>{kBlack, kRed, kBlack}));

    // Shades in proportion to luminance: 128/255 of the chosen color, rounded.
    points = {kWhiteColorValue, rgbValue(128, 128, 128)};
    tintColors(points, rgbValue(200, 100, 50));
    EXPECT_EQ(points[0], rgbValue(200, 100, 50));
    EXPECT_EQ(points[1], rgbValue(100, 50, 25));

    // The brightest point becomes the chosen color even when it is dark.
    points = {rgbValue(20, 20, 20), rgbValue(10, 10, 10), kBlack};
    tintColors(points, rgbValue(255, 255, 0));
    EXPECT_EQ(points[0], rgbValue(255, 255, 0));
    EXPECT_EQ(points[1], rgbValue(128, 128, 0));
    EXPECT_EQ(points[2], kBlack);

    // k = 1/6 in single precision lies above 1/6, so 1 × 3 × k is just above one half
    // and rounds up; the exact half would round to the even 0.
    points = {rgbValue(6, 6, 6), rgbValue(3, 3, 3)};
    tintColors(points, rgbValue(1, 0, 0));
    EXPECT_EQ(points[0], rgbValue(1, 0, 0));
    EXPECT_EQ(points[1], rgbValue(1, 0, 0));
}

TEST(ColorEditing, TintOfAllBlackStaysBlack) {
    std::vector<std::int32_t> points = {kBlack, kBlack};
    tintColors(points, kWhiteColorValue);
    EXPECT_EQ(points, (std::vector<std::int32_t>{kBlack, kBlack}));
}

TEST(ColorEditing, BrightnessAppliesToTheKeptColorsOfVisiblePoints) {
    const std::array<std::int32_t, 4> kept = {rgbValue(10, 128, 250), kBlack, kWhiteColorValue,
                                              rgbValue(1, 2, 3)};
    std::array<std::int32_t, 4> points{};
    applyBrightness(kept, points, 3, 256);
    EXPECT_EQ(points[0], kWhiteColorValue);
    EXPECT_EQ(points[1], kWhiteColorValue);
    EXPECT_EQ(points[2], kWhiteColorValue);
    EXPECT_EQ(points[3], kept[3]) << "a hidden point keeps its color";

    applyBrightness(kept, points, 3, -256);
    EXPECT_EQ(points[0], kBlack);
    EXPECT_EQ(points[2], kBlack);

    applyBrightness(kept, points, 3, 10);
    EXPECT_EQ(points[0], rgbValue(20, 138, 255));
    applyBrightness(kept, points, 3, -20);
    EXPECT_EQ(points[0], rgbValue(0, 108, 230));
    applyBrightness(kept, points, 3, 0);
    EXPECT_EQ(points, kept);
}

TEST(ColorEditing, EdgeMatching) {
    std::vector<std::int32_t> points = {kRed, kGreen, kBlue};
    matchEdges(points);
    EXPECT_EQ(points, (std::vector<std::int32_t>{kRed, kGreen, kRed}));

    points = {kBlue, kGreen, kRed};
    matchEdgesAfterChange(points, 0);
    EXPECT_EQ(points.back(), kBlue);
    points = {kBlue, kGreen, kRed};
    matchEdgesAfterChange(points, 2);
    EXPECT_EQ(points.front(), kRed);
    points = {kBlue, kGreen, kRed};
    matchEdgesAfterChange(points, 1);
    EXPECT_EQ(points, (std::vector<std::int32_t>{kBlue, kGreen, kRed}));
}

TEST(ColorEditing, Texts) {
    EXPECT_EQ(swatchToolTip(kRed), " R= 255 G= 0 B= 0");
    EXPECT_EQ(swatchToolTip(rgbValue(1, 22, 255)), " R= 1 G= 22 B= 255");
    EXPECT_EQ(brightnessLabel(0), "+0");
    EXPECT_EQ(brightnessLabel(25), "+25");
    EXPECT_EQ(brightnessLabel(-10), "-10");
    EXPECT_EQ(brightnessLabel(256), "+256");
    EXPECT_EQ(brightnessLabel(-256), "-256");
}

TEST(ColorEditing, NameFitsTwentyFourCp932Bytes) {
    const std::string twelve = repeat("雷", 12);
    EXPECT_EQ(fitCp932Bytes(twelve), twelve);
    EXPECT_EQ(fitCp932Bytes(join({twelve, "雷"})), twelve);
    EXPECT_EQ(fitCp932Bytes(repeat("a", 25)), repeat("a", 24));
    EXPECT_EQ(fitCp932Bytes(join({"a", twelve})), join({"a", repeat("雷", 11)}))
        << "no half character";
    EXPECT_EQ(fitCp932Bytes(repeat("ｱ", 24)), repeat("ｱ", 24)) << "half-width kana: 1 byte";
}

TEST(ColorEditing, LimitedEditCutsOnlyTheInsertion) {
    const std::string eleven = repeat("雷", 11);
    // The twelfth full-width character is accepted, a thirteenth is not.
    const std::string twelve = join({eleven, "虹"});
    LimitedEdit e = limitEdit(eleven, twelve);
    EXPECT_FALSE(e.cut);
    EXPECT_EQ(e.text, twelve);
    e = limitEdit(twelve, join({twelve, "虹"}));
    EXPECT_TRUE(e.cut);
    EXPECT_EQ(e.text, twelve);

    // A paste in the middle keeps what fits, the caret after it.
    const std::string four = repeat("雷", 4);
    const std::string five = repeat("雷", 5);
    e = limitEdit(join({"ab", four, five, "cd"}), join({"ab", four, "xyz", five, "cd"}));
    EXPECT_TRUE(e.cut);
    EXPECT_EQ(e.text, join({"ab", four, "xy", five, "cd"}));
    EXPECT_EQ(e.caret, 2 + 4 * 3 + 2u);

    // Replacing a selection: the removed part frees its bytes.
    e = limitEdit(twelve, join({repeat("雷", 10), "あいう"}));
    EXPECT_EQ(e.text, join({repeat("雷", 10), "あい"}));
    EXPECT_EQ(e.caret, 12 * 3u);

    // A full-width character inserted between equal characters is not split.
    e = limitEdit(repeat("a", 23), join({repeat("a", 12), "あ", repeat("a", 11)}));
    EXPECT_TRUE(e.cut);
    EXPECT_EQ(e.text, repeat("a", 23));
    EXPECT_EQ(e.caret, 12u);

    // A stored name longer than the limit can still be shortened.
    const std::string longName = repeat("雷", 14);
    e = limitEdit(longName, repeat("雷", 13));
    EXPECT_EQ(e.text, repeat("雷", 13));
    EXPECT_FALSE(e.cut);
}

// The message a check refuses with; nothing when it lets the name pass.
std::optional<UserMessage> refusal(const Result& check) {
    if (check.ok())
        return std::nullopt;
    EXPECT_EQ(check.messages().size(), 1u);
    return *check.failureMessage();
}

TEST(ColorEditing, NameChecks) {
    ColorSetCollection sets = builtinCollection();
    const UserMessage empty{MessageIcon::Critical, "'名前' を入力してください。"};
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "")), empty);
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "   ")), empty);
    EXPECT_EQ(refusal(checkEditedName(sets, 1, " \xE3\x80\x80 ")), empty) << "full-width blank";
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "\t")), std::nullopt) << "a tab is not a blank";

    EXPECT_EQ(refusal(checkEditedName(sets, 1, "RGB")), std::nullopt) << "its own name";
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "新しい名前")), std::nullopt);
    const auto dup = refusal(checkEditedName(sets, 1, "虹"));
    ASSERT_TRUE(dup.has_value());
    EXPECT_EQ(dup->text, "この名前の色セットが他に存在しています。");
    EXPECT_EQ(dup->icon, MessageIcon::Critical);
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "rgb")), std::nullopt) << "names compare exactly";
    EXPECT_EQ(refusal(checkEditedName(sets, 1, "虹 ")), std::nullopt);
}

TEST(ColorEditing, WriteBackReplacesPointsLevelAndName) {
    ColorSetCollection sets = builtinCollection();
    const GColor before = sets.at(6); // 雷, 12 points
    const std::vector<std::int32_t> points = {kRed, rgbValue(1, 2, 3), kRed};
    ASSERT_TRUE(writeEditedSet(sets, 6, "赤", 3, points));
    const GColor& set = sets.at(6);
    EXPECT_EQ(set.name, "赤");
    EXPECT_EQ(set.colorCount, 3);
    EXPECT_EQ(set.colorLevelCount, 3);
    EXPECT_EQ(set.r[1], 1);
    EXPECT_EQ(set.g[1], 2);
    EXPECT_EQ(set.b[1], 3);
    EXPECT_EQ(set.r[2], 255);
    EXPECT_EQ(set.b[2], 0);
    EXPECT_EQ(sets.at(5).name, "砂漠") << "neighbours untouched";

    // Refused without a change: no such set, or more points than a set holds.
    const GColor now = sets.at(6);
    EXPECT_FALSE(writeEditedSet(sets, 14, "x", 8, points));
    EXPECT_FALSE(writeEditedSet(sets, -1, "x", 8, points));
    EXPECT_FALSE(writeEditedSet(sets, 6, "x", 8, std::vector<std::int32_t>(13, kRed)));
    EXPECT_EQ(sets.at(6).name, now.name);
    EXPECT_TRUE(sameColors(sets.at(6), now));
    EXPECT_FALSE(sameColors(now, before));

    // The preview set of the same points.
    const GColor preview = editedSet("p", 8, points);
    EXPECT_EQ(preview.colorCount, 3);
    EXPECT_EQ(preview.r[0], 255);
    EXPECT_EQ(preview.b[1], 3);
}
