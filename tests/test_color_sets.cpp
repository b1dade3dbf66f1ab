#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetCommands.h"
#include "colorsets/ImageColorSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wavory;

namespace {

const std::vector<std::string> kBuiltinNames = {
    "紫水黄", "RGB", "虹",     "パステル", "北極",        "砂漠",      "雷",
    "油膜",   "毒",  "紅と黒", "白黒",     "紫水黄(2値)", "迷彩(2値)", "白黒(2値)"};

struct Recorder {
    std::vector<int> selections;
};

ColorSetCollection makeCollection(Recorder& rec) {
    ColorSetCollection sets;
    sets.setSelectionListener([&rec](int index) { rec.selections.push_back(index); });
    return sets;
}

void addNamed(ColorSetCollection& sets, const std::string& name) {
    ASSERT_TRUE(sets.addColorSet(name, 8).ok());
    const int index = sets.colorSetCount() - 1;
    ASSERT_TRUE(sets.addColorPoint(index, index, 0, 0));
    ASSERT_TRUE(sets.addColorPoint(index, 0, index, 0));
}

bool sameSlots(const ColorSetCollection& a, const ColorSetCollection& b) {
    if (a.colorSetCount() != b.colorSetCount())
        return false;
    for (int i = 0; i < a.colorSetCount(); ++i) {
        if (a.at(i).name != b.at(i).name || !sameColors(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

} // namespace

TEST(BuiltinColorSets, TableProperties) {
    const auto& sets = builtinColorSets();
    ASSERT_EQ(sets.size(), kBuiltinNames.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const GColor& set = sets[i];
        EXPECT_EQ(set.name, kBuiltinNames[i]);
        const bool twoValued = set.name.ends_with("(2値)");
        EXPECT_EQ(set.colorLevelCount, twoValued ? 0 : 8) << set.name;
        ASSERT_TRUE(set.drawable()) << set.name;
        const int last = set.colorCount - 1;
        const bool seamless =
            set.r[0] == set.r[last] && set.g[0] == set.g[last] && set.b[0] == set.b[last];
        EXPECT_EQ(seamless, set.name != "雷") << set.name;
    }
    const GColor& thunder = sets[6];
    EXPECT_EQ(thunder.colorCount, 12);
    EXPECT_EQ((std::vector<int>{thunder.r[4], thunder.g[4], thunder.b[4]}),
              (std::vector<int>{255, 255, 224}));
    EXPECT_EQ(sets[2].colorCount, 7);
    EXPECT_EQ(sets[12].colorCount, 6);
    EXPECT_EQ((std::vector<int>{sets[3].r[2], sets[3].g[2], sets[3].b[2]}),
              (std::vector<int>{160, 255, 208}));
    EXPECT_EQ((std::vector<int>{sets[7].r[1], sets[7].g[1], sets[7].b[1]}),
              (std::vector<int>{24, 72, 96}));
    // The smooth and two-valued twins differ only in the level exponent.
    EXPECT_EQ(sets[0].r, sets[11].r);
    EXPECT_EQ(sets[0].b, sets[11].b);
    EXPECT_EQ(sets[10].g, sets[13].g);
}

TEST(BuiltinColorSets, InitColorsReplacesTheCollection) {
    Recorder rec;
    ColorSetCollection sets = makeCollection(rec);
    for (int i = 0; i < 30; ++i)
        (void)addNewColorSet(sets);
    ASSERT_EQ(sets.colorSetCount(), 30);

    initColors(sets);
    EXPECT_EQ(sets.names(), kBuiltinNames);
    EXPECT_EQ(sets.selectedIndex(), 0);
    EXPECT_EQ(rec.selections.back(), 0) << "selecting repaints the gradient bar";
    EXPECT_TRUE(sameColors(sets.at(6), builtinColorSets()[6]));
    EXPECT_EQ(sets.at(14).colorCount, 0) << "former sets are gone";

    initColors(sets);
    EXPECT_EQ(sets.names(), kBuiltinNames) << "no suffix on a second run";
}

TEST(ColorSetCollection, AddColorPointRefusesWithoutSideEffects) {
    ColorSetCollection sets;
    initColors(sets);
    const ColorSetCollection before = sets;
    EXPECT_FALSE(sets.addColorPoint(6, 1, 2, 3)) << "雷 already holds 12 points";
    EXPECT_FALSE(sets.addColorPoint(-1, 1, 2, 3));
    EXPECT_FALSE(sets.addColorPoint(51, 1, 2, 3));
    EXPECT_FALSE(sets.addColorPoint(0, 40000, 0, 0)) << "does not fit 16 bits";
    EXPECT_TRUE(sameSlots(sets, before));
    EXPECT_EQ(sets.at(7).colorCount, 4);

    EXPECT_TRUE(sets.addColorPoint(50, 300, -1, 7)) << "the spare slot takes points too";
    EXPECT_EQ(sets.at(50).r[0], 300) << "values are stored as given";
    EXPECT_EQ(sets.at(50).g[0], -1);
    EXPECT_EQ(sets.colorSetCount(), 14);
}

TEST(ColorSetCollection, AddGColorRenamesTakenNames) {
    Recorder rec;
    ColorSetCollection sets = makeCollection(rec);
    addNamed(sets, "RGB");
    sets.select(0);
    ASSERT_TRUE(sets.addColorSet("RGB", 3).ok());
    EXPECT_EQ(sets.at(1).name, "RGB_02");
    EXPECT_EQ(sets.at(1).colorLevelCount, 3);
    EXPECT_EQ(sets.at(1).colorCount, 0);
    EXPECT_EQ(sets.selectedIndex(), 0) << "adding does not change the selection";

    ASSERT_TRUE(sets.addColorSet("RGB_02", 8).ok());
    EXPECT_EQ(sets.at(2).name, "RGB_03");
    // RGB clashes with position 0 -> RGB_02, which clashes later -> RGB_03 (restart),
    // which clashes too -> RGB_04.
    ASSERT_TRUE(sets.addColorSet("RGB", 8).ok());
    EXPECT_EQ(sets.at(3).name, "RGB_04");

    addNamed(sets, "新規_09");
    ASSERT_TRUE(sets.addColorSet("新規_09", 8).ok());
    EXPECT_EQ(sets.names().back(), "新規_10");

    addNamed(sets, "新規_99");
    ASSERT_TRUE(sets.addColorSet("新規_99", 8).ok());
    EXPECT_EQ(sets.names().back(), "新規_100");
    ASSERT_TRUE(sets.addColorSet("新規_100", 8).ok());
    EXPECT_EQ(sets.names().back(), "新規_100_02") << "the last two characters read 0";

    addNamed(sets, "7");
    ASSERT_TRUE(sets.addColorSet("7", 8).ok());
    EXPECT_EQ(sets.names().back(), "08") << "a one-character number is replaced whole";
    addNamed(sets, "x.5");
    ASSERT_TRUE(sets.addColorSet("x.5", 8).ok());
    EXPECT_EQ(sets.names().back(), "x02") << "0.5 + 1 rounds half to even";
}

TEST(ColorSetCollection, AddGColorContinuesTheScanAfterAppendingSuffix) {
    ColorSetCollection sets;
    addNamed(sets, "RGB_02");
    addNamed(sets, "RGB");
    // "_02" is appended at position 1 and the scan goes on from position 2 only.
    ASSERT_TRUE(sets.addColorSet("RGB", 8).ok());
    EXPECT_EQ(sets.names().back(), "RGB_02");
}

TEST(ColorSetCollection, CapacityIsFiftySets) {
    Recorder rec;
    ColorSetCollection sets = makeCollection(rec);
    for (int i = 0; i < 49; ++i)
        ASSERT_GE(addNewColorSet(sets).index, 0);
    EXPECT_TRUE(sets.colorSetLimitOk().ok());
    EXPECT_EQ(addNewColorSet(sets).index, 49);
    EXPECT_EQ(sets.names().back(), "新規_50");
    ASSERT_EQ(sets.colorSetCount(), 50);
    sets.select(3);

    const ColorSetCollection before = sets;
    const AddedColorSet added = addNewColorSet(sets);
    const AddedColorSet copied = addColorSetCopy(sets, 0);
    EXPECT_EQ(added.index, -1);
    EXPECT_EQ(copied.index, -1);
    const UserMessage expected{MessageIcon::Exclamation,
                               "作成できる色セットは 50個までです。\r\nこれ以上は追加できません。"};
    for (const Result& refused : {added.outcome, copied.outcome, sets.addColorSet("x", 8)}) {
        EXPECT_FALSE(refused.ok());
        EXPECT_EQ(refused.messages(), std::vector<UserMessage>{expected}) << "one message";
    }
    EXPECT_TRUE(sameSlots(sets, before));
    EXPECT_EQ(sets.selectedIndex(), 3);
}

TEST(ColorSetCommands, AddTakesTheFirstFreeNewName) {
    ColorSetCollection sets;
    initColors(sets);
    addNamed(sets, "新規_01");
    addNamed(sets, "新規_02");
    EXPECT_EQ(freeNewSetName(sets), "新規_03");
    const int index = addNewColorSet(sets).index;
    ASSERT_EQ(index, 16);
    const GColor& added = sets.at(index);
    EXPECT_EQ(added.name, "新規_03");
    EXPECT_EQ(added.colorLevelCount, 8);
    ASSERT_EQ(added.colorCount, 4);
    EXPECT_EQ((std::vector<int>{added.r[0], added.r[1], added.r[2], added.r[3]}),
              (std::vector<int>{0, 255, 255, 0}));
    EXPECT_EQ(added.b[2], 255);
    EXPECT_EQ(sets.selectedIndex(), index);

    // A gap is filled first.
    std::int16_t first = 14;
    sets.removeColorSet(first);
    EXPECT_EQ(freeNewSetName(sets), "新規_01");
}

TEST(ColorSetCommands, CopyAndCancel) {
    Recorder rec;
    ColorSetCollection sets = makeCollection(rec);
    initColors(sets);
    sets.select(1);
    const ColorSetCollection before = sets;

    const int first = addColorSetCopy(sets, 1).index;
    ASSERT_EQ(first, 14);
    EXPECT_EQ(sets.at(first).name, "RGBのコピー 1");
    EXPECT_TRUE(sameColors(sets.at(first), sets.at(1)));
    EXPECT_EQ(sets.hasSameColorSet(static_cast<std::int16_t>(first)), 1);
    EXPECT_EQ(sets.selectedIndex(), first);

    sets.select(1);
    const int second = addColorSetCopy(sets, 1).index;
    EXPECT_EQ(sets.at(second).name, "RGBのコピー 2");

    // Cancelling the editor after the second copy.
    undoAddedColorSet(sets, 1);
    EXPECT_EQ(sets.colorSetCount(), 15);
    EXPECT_EQ(sets.selectedIndex(), 1);
    EXPECT_EQ(rec.selections.back(), 1);
    undoAddedColorSet(sets, 1);
    EXPECT_TRUE(sameSlots(sets, before));

    EXPECT_EQ(addColorSetCopy(sets, 14).index, -1) << "only a listed set can be copied";
    EXPECT_EQ(sets.colorSetCount(), 14);
}

TEST(ColorSetCollection, RemoveSelectsTheSetThatTookThePlace) {
    ColorSetCollection sets;
    initColors(sets);

    std::int16_t last = 13;
    ASSERT_TRUE(sets.removeColorSet(last));
    EXPECT_EQ(last, 12);
    EXPECT_EQ(sets.selectedIndex(), 12);
    EXPECT_EQ(sets.at(12).name, "迷彩(2値)");
    EXPECT_EQ(sets.colorSetCount(), 13);

    std::int16_t first = 0;
    ASSERT_TRUE(sets.removeColorSet(first));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(sets.selectedIndex(), 0);
    EXPECT_EQ(sets.at(0).name, "RGB");
    EXPECT_TRUE(sameColors(sets.at(0), builtinColorSets()[1])) << "records move with names";
    EXPECT_EQ(sets.at(5).name, "雷");
    EXPECT_EQ(sets.at(5).colorCount, 12);

    std::int16_t outside = 12;
    EXPECT_FALSE(sets.removeColorSet(outside));
    EXPECT_EQ(sets.colorSetCount(), 12);

    ColorSetCollection one;
    addNamed(one, "only");
    std::int16_t only = 0;
    ASSERT_TRUE(one.removeColorSet(only));
    EXPECT_EQ(only, -1);
    EXPECT_EQ(one.selectedIndex(), -1);
}

TEST(ColorSetCollection, ExistSameGColorComparesPointsAndLevel) {
    ColorSetCollection sets;
    initColors(sets);
    EXPECT_EQ(sets.hasSameColorSet(0), -1) << "紫水黄 and 紫水黄(2値) differ in level";
    EXPECT_EQ(sets.hasSameColorSet(13), -1);

    ASSERT_TRUE(sets.addColorSet("other name", 0).ok());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sets.addColorPoint(14, sets.at(13).r[i], sets.at(13).g[i], sets.at(13).b[i]));
    }
    EXPECT_EQ(sets.hasSameColorSet(14), 13) << "names are not compared";
    EXPECT_EQ(sets.hasSameColorSet(13), 14);
    sets.at(14).b[2] = 1;
    EXPECT_EQ(sets.hasSameColorSet(14), -1);
}

TEST(ColorSetCollection, SelectionAndNameLookup) {
    ColorSetCollection sets;
    initColors(sets);
    sets.at(12).name = "RGB";
    EXPECT_FALSE(sets.select(14));
    EXPECT_EQ(sets.indexOfName("RGB", 1), 12);
    EXPECT_EQ(sets.indexOfName("rgb"), -1) << "names compare case-sensitively";
}

TEST(ImageColorSet, DominantColoursOrderedFromDarkToLight) {
    // Three areas of different size: light yellow, dark blue, middle red.
    Canvas picture(60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            picture.setPixel(x, y, x < 30 ? Rgb{250, 240, 60} : y < 20 ? Rgb{10, 20, 120}
                                                                       : Rgb{200, 30, 30});
    const auto near = [](const GColor& set, int i, Rgb c) {
        return std::abs(set.r[i] - c.r) <= 2 && std::abs(set.g[i] - c.g) <= 2 &&
               std::abs(set.b[i] - c.b) <= 2;
    };
    GColor set;
    ASSERT_TRUE(colorSetFromPicture(picture, 3, "photo", set).ok());
    EXPECT_EQ(set.name, "photo");
    EXPECT_EQ(set.colorLevelCount, 8);
    ASSERT_EQ(set.colorCount, 3);
    EXPECT_TRUE(near(set, 0, {10, 20, 120}));
    EXPECT_TRUE(near(set, 1, {200, 30, 30}));
    EXPECT_TRUE(near(set, 2, {250, 240, 60}));
    // Asked for more points than colours: the colours only. Asked for fewer: merged.
    ASSERT_TRUE(colorSetFromPicture(picture, 12, "photo", set).ok());
    EXPECT_EQ(set.colorCount, 3);
    ASSERT_TRUE(colorSetFromPicture(picture, 2, "photo", set).ok());
    EXPECT_EQ(set.colorCount, 2);
    EXPECT_LT(lightness({static_cast<std::uint8_t>(set.r[0]), static_cast<std::uint8_t>(set.g[0]),
                         static_cast<std::uint8_t>(set.b[0])}),
              lightness({static_cast<std::uint8_t>(set.r[1]), static_cast<std::uint8_t>(set.g[1]),
                         static_cast<std::uint8_t>(set.b[1])}));

    // One colour: a flat set of two equal points; no picture: a message.
    Canvas flat(5, 5);
    ASSERT_TRUE(colorSetFromPicture(flat, 6, "flat", set).ok());
    ASSERT_EQ(set.colorCount, 2);
    EXPECT_TRUE(near(set, 0, {0, 0, 0}) && near(set, 1, {0, 0, 0}));
    const Result none = colorSetFromPicture(Canvas{}, 6, "none", set);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.failureMessage()->text, "画像に色がありません。");
    EXPECT_NEAR(lightness({255, 255, 255}), 100.0, 1e-9);
    EXPECT_EQ(lightness({0, 0, 0}), 0.0);
}
