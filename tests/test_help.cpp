// The easy help topics and their illustrations: which topics exist and what the empty
// topic is, that every picture is used once, the banner's colors, and that each pair of
// pictures differs exactly as its labels say.

#include "colorsets/ColorTable.h"
#include "engine/DrawMain.h"
#include "help/HelpIllustrations.h"
#include "help/HelpTopics.h"
#include "params/ParamCommands.h"
#include "params/ValueSlots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

using namespace wavory;

namespace {

bool samePixels(const Canvas& a, const Canvas& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.data(), a.data() + a.rowBytes() * a.height(), b.data());
}

Canvas draw(const IllustrationParams& p) {
    Canvas canvas;
    DrawOptions options;
    options.noiseKey = 0x5EED;
    DrawMain(takeDrawSnapshot(p.fields), p.colorSet, canvas, nullptr, options);
    return canvas;
}

std::uint32_t packed(Rgb c) {
    return static_cast<std::uint32_t>(c.r) | c.g << 8 | c.b << 16;
}

TEST(HelpTopics, EveryControlTopicExistsAndOthersAreEmpty) {
    const std::vector<int> numbers = helpTopicNumbers();
    EXPECT_EQ(numbers.size(), 8u + 55u);
    for (int n : numbers) {
        EXPECT_FALSE(helpTopic(n).title.empty()) << n;
        EXPECT_FALSE(helpTopic(n).explanation.empty()) << n;
    }
    // 0 clears the window; numbers no control uses show the same empty topic.
    for (int n : {0, 1, 9, 18, 24, 55, 137, -3, 32767}) {
        const HelpTopic& t = helpTopic(n);
        EXPECT_TRUE(t.title.empty() && t.explanation.empty() && t.redNote.empty()) << n;
        EXPECT_EQ(t.level, HelpLevel::None) << n;
        EXPECT_FALSE(t.range.has_value()) << n;
        EXPECT_EQ(t.firstPicture, 0) << n;
    }
}

TEST(HelpTopics, ComponentTopicsUseTheSwitchCaptionsAndOnlyTheDiagonalHasANote) {
    for (int k = 0; k < kComponentCount; ++k) {
        const HelpTopic& t = helpTopic(kFirstComponentTopic + k);
        EXPECT_EQ(t.title, kComponentNames[static_cast<std::size_t>(k)]);
        EXPECT_EQ(t.firstPicture, k + 1);
        EXPECT_EQ(t.secondPicture, 0);
        EXPECT_EQ(t.redNote.empty(), k != 2) << k;
    }
}

TEST(HelpTopics, TwoLineExplanationsJoinWithCrLfAndTheCapacityIsANumber) {
    EXPECT_EQ(helpTopic(43).explanation,
              "現在選択している色セットを削除します。\r\n一度削除すると元に戻せません。");
    EXPECT_NE(helpTopic(42).explanation.find("\r\n色セットは最大50個まで作成できます。"),
              std::string::npos);
    EXPECT_EQ(levelBadgeText(helpTopic(21).level), "中・上級者向け機能");
    EXPECT_EQ(levelBadgeText(helpTopic(22).level), "基本");
    EXPECT_EQ(levelBadgeText(helpTopic(26).level), "");
}

TEST(HelpTopics, EveryIllustrationIsUsedOnceAndLabelledPairsHaveTwo) {
    std::multiset<int> used;
    for (int n : helpTopicNumbers()) {
        const HelpTopic& t = helpTopic(n);
        if (t.firstPicture != 0)
            used.insert(t.firstPicture);
        if (t.secondPicture != 0) {
            EXPECT_NE(t.firstPicture, 0) << n;
            used.insert(t.secondPicture);
        }
        if (t.range) {
            EXPECT_NE(t.secondPicture, 0) << n;
        }
    }
    std::multiset<int> all;
    for (int i = 1; i <= kIllustrationCount; ++i)
        all.insert(i);
    EXPECT_EQ(used, all);
}

TEST(HelpBanner, RampAndCaptionRoundHalfToEven) {
    EXPECT_EQ(bannerRampChannel(0, 40), 128);   // 127.5
    EXPECT_EQ(bannerRampChannel(2, 40), 128);   // 128.5
    EXPECT_EQ(bannerRampChannel(100, 60), 139); // 138.75
    EXPECT_EQ(bannerRampChannel(37, kBannerRampLast), 37);
    EXPECT_EQ(bannerCaptionChannel(0), 92); // 91.8
    EXPECT_EQ(bannerCaptionChannel(255), 255);
}

TEST(HelpIllustrations, ComponentPicturesShowThatComponentAlone) {
    for (int k = 0; k < kComponentCount; ++k) {
        const IllustrationParams p = illustrationParams(k + 1);
        for (int j = 0; j < kComponentCount; ++j)
            EXPECT_EQ(p.fields.componentOn[static_cast<std::size_t>(j)], j == k) << k;
        const Canvas c = drawIllustration(k + 1);
        EXPECT_EQ(c.width(), kIllustrationSide);
        EXPECT_EQ(c.height(), kIllustrationSide);
        std::set<std::uint32_t> colors;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                colors.insert(packed(c.pixel(x, y)));
        EXPECT_GT(colors.size(), 16u) << "component " << k << " draws a flat picture";
    }
    EXPECT_THROW(illustrationParams(0), std::out_of_range);
    EXPECT_THROW(illustrationParams(kIllustrationCount + 1), std::out_of_range);
}

// A labelled pair: the named parameter at the two ends the labels name, everything else
// equal. `value` reads the parameter; `copy` sets the second's parameter to the first's.
struct LabelledPair {
    const char* what;
    int topic;
    std::string left, right;
    std::function<std::string(const IllustrationParams&)> value;
    std::function<void(IllustrationParams& second, const IllustrationParams& first)> copy;
};

TEST(HelpIllustrations, LabelledPairsDifferOnlyInTheirParameterAtTheLabelledEnds) {
    const auto frameSlider = [](int FrameFields::*slider) {
        return LabelledPair{"",
                            0,
                            "0",
                            "50",
                            [slider](const IllustrationParams& p) {
                                return std::to_string(p.fields.frame.*slider);
                            },
                            [slider](IllustrationParams& s, const IllustrationParams& f) {
                                s.fields.frame.*slider = f.fields.frame.*slider;
                            }};
    };
    std::vector<LabelledPair> pairs{
        {"power", 21, "1", "32",
         [](const IllustrationParams& p) { return p.fields.values[kPowerSlot]; },
         [](IllustrationParams& s, const IllustrationParams& f) {
             s.fields.values[kPowerSlot] = f.fields.values[kPowerSlot];
         }},
        {"center", 25, "(0,0)", "(20,20)",
         [](const IllustrationParams& p) {
             return "(" + p.fields.center[0] + "," + p.fields.center[1] + ")";
         },
         [](IllustrationParams& s, const IllustrationParams& f) {
             s.fields.center = f.fields.center;
         }},
        {"bleed", 26, "0", "256", [](const IllustrationParams& p) { return p.fields.bleed; },
         [](IllustrationParams& s, const IllustrationParams& f) {
             s.fields.bleed = f.fields.bleed;
         }},
        {"phase", 47, "0", "50",
         [](const IllustrationParams& p) { return std::to_string(p.fields.phase); },
         [](IllustrationParams& s, const IllustrationParams& f) {
             s.fields.phase = f.fields.phase;
         }},
        {"levels", 62, "1", "256",
         [](const IllustrationParams& p) {
             return std::to_string(1 << p.colorSet.colorLevelCount);
         },
         [](IllustrationParams& s, const IllustrationParams& f) {
             s.colorSet.colorLevelCount = f.colorSet.colorLevelCount;
         }},
    };
    for (auto [topic, slider] :
         {std::pair{72, &FrameFields::senmei}, std::pair{73, &FrameFields::shadow},
          std::pair{74, &FrameFields::line}}) {
        LabelledPair pair = frameSlider(slider);
        pair.what = "frame slider";
        pair.topic = topic;
        pairs.push_back(pair);
    }
    for (const LabelledPair& pair : pairs) {
        SCOPED_TRACE(pair.what + std::string(" topic ") + std::to_string(pair.topic));
        const HelpTopic& t = helpTopic(pair.topic);
        ASSERT_TRUE(t.range.has_value());
        // The labels name the values (a label may carry a word and a unit around it).
        EXPECT_NE(t.range->first.find(pair.left), std::string::npos);
        EXPECT_NE(t.range->second.find(pair.right), std::string::npos);
        const IllustrationParams first = illustrationParams(t.firstPicture);
        IllustrationParams second = illustrationParams(t.secondPicture);
        EXPECT_EQ(pair.value(first), pair.left);
        EXPECT_EQ(pair.value(second), pair.right);
        const Canvas before = drawIllustration(t.firstPicture);
        EXPECT_TRUE(samePixels(before, draw(first)));
        EXPECT_FALSE(samePixels(before, drawIllustration(t.secondPicture)));
        pair.copy(second, first);
        EXPECT_TRUE(samePixels(before, draw(second))) << "more than the named parameter differs";
    }
}

TEST(HelpIllustrations, CommandPairsShowTheValuesBeforeAndAfterTheCommand) {
    const std::map<int, void (*)(ValueSlots&)> commands{{30, params::doublePeriods},
                                                        {31, params::halvePeriods},
                                                        {32, params::doubleAmplitudes},
                                                        {33, params::halveAmplitudes}};
    for (const auto& [topic, command] : commands) {
        SCOPED_TRACE(topic);
        const HelpTopic& t = helpTopic(topic);
        const IllustrationParams first = illustrationParams(t.firstPicture);
        IllustrationParams second = illustrationParams(t.secondPicture);
        ValueSlots slots{};
        for (int i = 0; i < kValueSlotCount; ++i)
            slots[static_cast<std::size_t>(i)] =
                slotValueOfText(first.fields.values[static_cast<std::size_t>(i)]);
        command(slots);
        for (int i = 0; i < kValueSlotCount; ++i)
            EXPECT_EQ(slotValueOfText(second.fields.values[static_cast<std::size_t>(i)]),
                      slots[static_cast<std::size_t>(i)])
                << "slot " << i;
        EXPECT_FALSE(
            samePixels(drawIllustration(t.firstPicture), drawIllustration(t.secondPicture)));
        second.fields.values = first.fields.values;
        EXPECT_TRUE(samePixels(drawIllustration(t.firstPicture), draw(second)));
    }
}

TEST(HelpIllustrations, FiftyPercentPhaseShiftsEveryColorHalfTheTable) {
    const HelpTopic& t = helpTopic(47);
    const IllustrationParams p = illustrationParams(t.firstPicture);
    const ColorTable table(p.colorSet);
    const int half = table.length() / 2;
    // Every table position a color stands at; the shifted picture must show the color half
    // the table further on from one of them.
    std::map<std::uint32_t, std::vector<int>> positions;
    for (int i = 0; i < table.length(); ++i)
        positions[packed(table.entry(i))].push_back(i);
    const Canvas zero = drawIllustration(t.firstPicture);
    const Canvas fifty = drawIllustration(t.secondPicture);
    for (int y = 0; y < zero.height(); ++y)
        for (int x = 0; x < zero.width(); ++x) {
            bool found = false;
            for (int i : positions.at(packed(zero.pixel(x, y))))
                found |=
                    packed(table.entry((i + half) % table.length())) == packed(fifty.pixel(x, y));
            ASSERT_TRUE(found) << x << "," << y;
        }
}

TEST(HelpIllustrations, CenterTwentyScrollsThePictureByTwentyPixels) {
    const HelpTopic& t = helpTopic(25);
    const Canvas centred = drawIllustration(t.firstPicture);
    const Canvas moved = drawIllustration(t.secondPicture);
    for (int y = 0; y + 20 < kIllustrationSide; ++y)
        for (int x = 0; x + 20 < kIllustrationSide; ++x)
            ASSERT_EQ(packed(moved.pixel(x, y)), packed(centred.pixel(x + 20, y + 20)))
                << x << "," << y;
}

TEST(HelpIllustrations, OneLevelShowsOneColorPerSegment) {
    const HelpTopic& t = helpTopic(62);
    const auto colorCount = [](const Canvas& c) {
        std::set<std::uint32_t> colors;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                colors.insert(packed(c.pixel(x, y)));
        return colors.size();
    };
    const IllustrationParams p = illustrationParams(t.firstPicture);
    EXPECT_LE(colorCount(drawIllustration(t.firstPicture)),
              static_cast<std::size_t>(p.colorSet.colorCount - 1));
    EXPECT_GT(colorCount(drawIllustration(t.secondPicture)), 100u);
}

TEST(HelpIllustrations, BleedPicturesAreTheSameOnEveryCall) {
    const HelpTopic& t = helpTopic(26);
    EXPECT_TRUE(samePixels(drawIllustration(t.secondPicture), drawIllustration(t.secondPicture)));
}

} // namespace
