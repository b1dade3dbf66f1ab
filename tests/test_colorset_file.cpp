// Writing and reading color set files: the exact layout, and the reader's rules for
// damaged and unusual files.
#include "ColorSetFileFixture.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetFile.h"
#include "colorsets/ColorSetFileCommands.h"
#include "io/IniFile.h"

using namespace wavory;
using namespace wavory::testing;

namespace {

const char* const kRgbSection = "[ColorSet 0]\n"
                                "ColorSetName=RGB\n"
                                "ColorCount=4\n"
                                "ColorLevelCount=8\n"
                                "Color 0R=255\nColor 0G=0\nColor 0B=0\n"
                                "Color 1R=0\nColor 1G=255\nColor 1B=0\n"
                                "Color 2R=0\nColor 2G=0\nColor 2B=255\n"
                                "Color 3R=255\nColor 3G=0\nColor 3B=0\n";

} // namespace

TEST_F(ColorSetFileTest, SingleSetFileHoldsSetZeroWithoutCount) {
    auto sets = collection();
    initColors(sets); // "RGB" is the second built-in set
    ASSERT_EQ(sets.at(1).name, "RGB");
    // An earlier content must not survive: the file holds exactly one set.
    put("rgb.cst", crlf("[ColorSet]\nCount=9\n[Other]\nx=1\n"));
    EXPECT_TRUE(saveColorSetFile(file("rgb.cst"), sets, 1).ok());
    EXPECT_EQ(get("rgb.cst"), crlf(kRgbSection));
}

TEST_F(ColorSetFileTest, SaveAllWritesCountThenEverySetInOrder) {
    auto sets = collection();
    addSet(sets, "A", 0, {{1, 2, 3}, {4, 5, 6}});
    addSet(sets, "B", 8, {{-1, 300, 7}, {0, 0, 0}, {9, 9, 9}});
    EXPECT_TRUE(saveAllColorSetsFile("all.cst", sets).ok()); // relative: the program folder
    EXPECT_EQ(get("all.cst"),
              crlf("[ColorSet]\nCount=2\n" + setSection(0, "A", 0, {{1, 2, 3}, {4, 5, 6}}) +
                   setSection(1, "B", 8, {{-1, 300, 7}, {0, 0, 0}, {9, 9, 9}})));
    EXPECT_EQ(colorSetSection(10), "ColorSet 10");
    EXPECT_EQ(colorPointKey(11, 'B'), "Color 11B");

    // A set of the most points a set holds comes back whole.
    std::vector<Point> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back({i * 20, 255 - i * 20, i * 7 + 1});
    addSet(sets, "C", 5, twelve);
    EXPECT_TRUE(saveAllColorSetsFile("all.cst", sets).ok());
    auto back = collection();
    readColorSetsFromBytes(get("all.cst"), back, false);
    ASSERT_EQ(back.colorSetCount(), 3);
    expectPoints(back.at(2), twelve);
}

TEST_F(ColorSetFileTest, WriteColorSetOutsideABatchKeepsTheOtherSections) {
    auto sets = collection();
    addSet(sets, "A", 8, {{1, 2, 3}, {4, 5, 6}});
    put("mixed.cst", crlf("[Keep]\nk=v\n"));
    IniFile ini;
    ini.initFile("mixed.cst");
    EXPECT_FALSE(writeColorSet(ini, sets, 0, 3));
    EXPECT_EQ(get("mixed.cst"),
              crlf("[Keep]\nk=v\n" + setSection(3, "A", 8, {{1, 2, 3}, {4, 5, 6}})));
    EXPECT_EQ(writeColorSet(ini, sets, 1, 0), std::errc::invalid_argument); // no such set
}

TEST_F(ColorSetFileTest, JapaneseNamesWithWaveDashAndBarAreWrittenAndReadByteExactly) {
    // "～" is 0x81 0x60 and "―" is 0x81 0x5C in CP932, as Japanese Windows writes them.
    const std::string name = "波～線―";
    const std::string nameBytes = "\x94\x67\x81\x60\x90\xFC\x81\x5C";
    ASSERT_EQ(cp932(name), nameBytes);

    auto sets = collection();
    addSet(sets, name, 8, {{0, 0, 0}, {255, 255, 255}});
    ASSERT_TRUE(saveAllColorSetsFile("wave.cst", sets).ok());
    const std::string written = get("wave.cst");
    EXPECT_NE(written.find("ColorSetName=" + nameBytes + "\r\n"), std::string::npos);

    auto back = collection();
    EXPECT_EQ(readColorSetsFromBytes(written, back, false).dropped, "");
    ASSERT_EQ(back.colorSetCount(), 1);
    EXPECT_EQ(back.at(0).name, name);

    // A CP932 file read and written again comes out the same, byte for byte.
    ASSERT_TRUE(saveAllColorSetsFile("again.cst", back).ok());
    EXPECT_EQ(get("again.cst"), written);

    // The wave dash that Linux input methods type would read back as the fullwidth
    // tilde from CP932, so that file is written in UTF-8 and keeps the name.
    auto dash = collection();
    addSet(dash, "波\u301C", 8, {{0, 0, 0}, {255, 255, 255}});
    ASSERT_TRUE(saveAllColorSetsFile("dash.cst", dash).ok());
    auto dashBack = collection();
    readColorSetsFromBytes(get("dash.cst"), dashBack, false);
    ASSERT_EQ(dashBack.colorSetCount(), 1);
    EXPECT_EQ(dashBack.at(0).name, "波\u301C");

    // The same name in a UTF-8 file (edited by hand) reads the same.
    auto utf8 = collection();
    readColorSetsFromBytes(setSection(0, name, 8, {{0, 0, 0}, {1, 1, 1}}), utf8, false);
    ASSERT_EQ(utf8.colorSetCount(), 1);
    EXPECT_EQ(utf8.at(0).name, name);
}

TEST_F(ColorSetFileTest, TheFirstMissingOrEmptyNameEndsTheFile) {
    const std::string gap = setSection(0, "zero", 8, {{1, 1, 1}, {2, 2, 2}}) +
                            setSection(2, "two", 8, {{3, 3, 3}, {4, 4, 4}}) +
                            setSection(3, "three", 8, {{5, 5, 5}, {6, 6, 6}});
    auto sets = collection();
    readColorSetsFromBytes(gap, sets, true);
    ASSERT_EQ(sets.colorSetCount(), 1);
    EXPECT_EQ(sets.at(0).name, "zero");

    const std::string emptyName = setSection(0, "zero", 8, {{1, 1, 1}, {2, 2, 2}}) +
                                  "[ColorSet 1]\nColorSetName=\nColorCount=2\n" +
                                  setSection(2, "two", 8, {{3, 3, 3}, {4, 4, 4}});
    auto other = collection();
    readColorSetsFromBytes(emptyName, other, true);
    EXPECT_EQ(other.colorSetCount(), 1);
}

TEST_F(ColorSetFileTest, SetsWithoutAUsablePointCountAreSkippedSilently) {
    const std::string text = "[ColorSet 0]\nColorSetName=one point\nColorCount=1\n"
                             "Color 0R=1\nColor 0G=1\nColor 0B=1\n"
                             "[ColorSet 1]\nColorSetName=no count\n"
                             "[ColorSet 2]\nColorSetName=word\nColorCount=many\n"
                             "[ColorSet 3]\nColorSetName=negative\nColorCount=-4\n"
                             "[ColorSet 4]\nColorSetName=huge\nColorCount=99999\n" +
                             setSection(5, "kept", 3, {{1, 2, 3}, {4, 5, 6}});
    auto sets = collection();
    const ColorSetsRead read = readColorSetsFromBytes(text, sets, true);
    EXPECT_EQ(read.dropped, "");
    ASSERT_EQ(sets.colorSetCount(), 1);
    EXPECT_EQ(sets.at(0).name, "kept");
    EXPECT_EQ(sets.at(0).colorLevelCount, 3);
    EXPECT_TRUE(read.outcome.messages().empty());
}

TEST_F(ColorSetFileTest, MissingPointKeysReadAsZeroAndValuesAreStoredAsRead) {
    const std::string text = "[colorset 0]\n"                // names match in any letter case
                             "  colorsetname =  \"Odd\"  \n" // quotes and blanks removed
                             "COLORCOUNT=3\nColorLevelCount=12\n"
                             "Color 0R=300\nColor 0G=-5\nColor 0B= 7 apples\n"
                             "Color 1G=12\n" // R and B missing
                             "Color 2R=2.5\nColor 2G=3.5\nColor 2B=x\n";
    auto sets = collection();
    readColorSetsFromBytes(text, sets, false);
    ASSERT_EQ(sets.colorSetCount(), 1);
    EXPECT_EQ(sets.at(0).name, "Odd");
    EXPECT_EQ(sets.at(0).colorLevelCount, 12);
    // Halves round to even.
    expectPoints(sets.at(0), {{300, -5, 7}, {0, 12, 0}, {2, 4, 0}});
}

TEST_F(ColorSetFileTest, AThirteenthPointIsDroppedAndTheNextSetKeepsItsOwnPoints) {
    std::string text = "[ColorSet 0]\nColorSetName=long\nColorCount=15\nColorLevelCount=8\n";
    for (int i = 0; i < 15; ++i) {
        const std::string key = "Color " + std::to_string(i);
        text += key + "R=" + std::to_string(i) + "\n" + key + "G=" + std::to_string(100 + i) +
                "\n" + key + "B=" + std::to_string(200 + i) + "\n";
    }
    text += setSection(1, "next", 8, {{7, 8, 9}, {10, 11, 12}});
    text += setSection(2, "last", 0, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});

    for (const bool removeDuplicates : {false, true}) {
        SCOPED_TRACE(removeDuplicates);
        auto sets = collection();
        readColorSetsFromBytes(text, sets, removeDuplicates);
        ASSERT_EQ(sets.colorSetCount(), 3);
        const GColor& first = sets.at(0);
        EXPECT_EQ(first.name, "long");
        ASSERT_EQ(first.colorCount, 12);
        EXPECT_EQ(first.r[11], 11);
        EXPECT_EQ(first.g[11], 111);
        EXPECT_EQ(first.b[11], 211);
        EXPECT_EQ(sets.at(1).name, "next");
        expectPoints(sets.at(1), {{7, 8, 9}, {10, 11, 12}});
        EXPECT_EQ(sets.at(2).name, "last");
        expectPoints(sets.at(2), {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
    }
}

TEST_F(ColorSetFileTest, AValueTooLargeAbandonsOnlyItsOwnSet) {
    const std::string text = "[ColorSet 0]\nColorSetName=big\nColorCount=3\nColorLevelCount=8\n"
                             "Color 0R=1\nColor 0G=2\nColor 0B=3\n"
                             "Color 1R=70000\nColor 1G=0\nColor 1B=0\n"
                             "Color 2R=5\nColor 2G=5\nColor 2B=5\n"
                             "[ColorSet 1]\nColorSetName=level\nColorCount=2\n"
                             "ColorLevelCount=40000\n" +
                             setSection(2, "fine", 8, {{4, 5, 6}, {7, 8, 9}});
    auto sets = collection();
    readColorSetsFromBytes(text, sets, true);
    ASSERT_EQ(sets.colorSetCount(), 2);
    // The set stays with the points read before the bad value; a level that cannot be
    // held keeps the set out altogether.
    EXPECT_EQ(sets.at(0).name, "big");
    expectPoints(sets.at(0), {{1, 2, 3}});
    EXPECT_EQ(sets.at(1).name, "fine");
    expectPoints(sets.at(1), {{4, 5, 6}, {7, 8, 9}});
}

TEST_F(ColorSetFileTest, DuplicatesAreDroppedAndReportedByTheirNamesInTheFile) {
    auto sets = collection();
    initColors(sets);
    const int before = sets.colorSetCount();
    // "RGB" has the points of the built-in "RGB": renamed to RGB_02 on adding, then
    // dropped, and reported as RGB. "白" has the points of "白黒" under another name.
    // "虹" has a name in use but other points: kept, renamed.
    const std::string text =
        setSection(0, "RGB", 8, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 0, 0}}) +
        setSection(1, "白", 8, {{0, 0, 0}, {255, 255, 255}, {0, 0, 0}}) +
        setSection(2, "虹", 8, {{1, 2, 3}, {4, 5, 6}}) +
        setSection(3, "白黒(2値)", 8, {{0, 0, 0}, {255, 255, 255}, {0, 0, 0}});
    EXPECT_EQ(readColorSetsFromBytes(text, sets, true).dropped, "RGB, 白, 白黒(2値)");
    ASSERT_EQ(sets.colorSetCount(), before + 1);
    EXPECT_EQ(sets.at(before).name, "虹_02");
    expectPoints(sets.at(before), {{1, 2, 3}, {4, 5, 6}});

    // Without removal the same file adds all four.
    auto keep = collection();
    initColors(keep);
    EXPECT_EQ(readColorSetsFromBytes(text, keep, false).dropped, "");
    ASSERT_EQ(keep.colorSetCount(), before + 4);
    EXPECT_EQ(keep.at(before).name, "RGB_02");
    EXPECT_EQ(keep.at(before + 3).name, "白黒(2値)_02");
}

TEST_F(ColorSetFileTest, AFullCollectionEndsReadingAfterOneMessage) {
    auto sets = collection();
    for (int i = 0; i < 48; ++i)
        addSet(sets, std::to_string(i) + "s", 8, {{i, 0, 0}, {0, i, 0}});
    // Set 1 is a duplicate and takes no place; 0 and 2 fill the collection, 3 is refused
    // and 4 is never looked at.
    const std::string text = setSection(0, "a", 8, {{1, 1, 1}, {2, 2, 2}}) +
                             setSection(1, "dup", 8, {{5, 0, 0}, {0, 5, 0}}) +
                             setSection(2, "b", 8, {{3, 3, 3}, {4, 4, 4}}) +
                             setSection(3, "c", 8, {{5, 5, 5}, {6, 6, 6}}) +
                             setSection(4, "d", 8, {{7, 7, 7}, {8, 8, 8}});
    const ColorSetsRead read = readColorSetsFromBytes(text, sets, true);
    EXPECT_EQ(read.dropped, "dup");
    ASSERT_EQ(sets.colorSetCount(), 50);
    EXPECT_EQ(sets.at(48).name, "a");
    EXPECT_EQ(sets.at(49).name, "b");
    EXPECT_TRUE(read.outcome.ok()) << "the sets read so far stay";
    EXPECT_EQ(read.outcome.messages(), std::vector<UserMessage>{colorSetLimitMessage()});
}
