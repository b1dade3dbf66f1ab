// Loading a color set file, the start-up decision on "default.cst", and the two save
// commands with their failures.
#include "ColorSetFileFixture.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetFile.h"
#include "colorsets/ColorSetFileCommands.h"
#include "colorsets/ColorSetExchange.h"
#include "colorsets/GimpGradient.h"
#include "io/IniFile.h"

#include <csignal>
#include <sys/resource.h>

using namespace wavory;
using namespace wavory::testing;
namespace fs = std::filesystem;

namespace {

const std::string kDuplicatesHead =
    "以下の色セットはすでに同じパラメータの物が存在しているため、追加されませんでした。\r\n";
const std::string kFatal =
    "色セットの読み出し中に致命的な異常が発生しました。\r\n色セットを初期化します。";

bool sameAsBuiltins(const ColorSetCollection& sets) {
    const auto& builtins = builtinColorSets();
    if (sets.colorSetCount() != static_cast<int>(builtins.size()))
        return false;
    for (int i = 0; i < sets.colorSetCount(); ++i) {
        if (sets.at(i).name != builtins[i].name || !sameColors(sets.at(i), builtins[i]))
            return false;
    }
    return true;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST_F(ColorSetFileTest, LoadingASavedCollectionAddsNothingAndNamesEverySet) {
    auto sets = collection();
    initColors(sets);
    ASSERT_TRUE(saveAllColorSetsFile(file("all.cst"), sets).ok());

    const auto result = record(loadColorSetFile(file("all.cst"), sets));
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(sameAsBuiltins(sets));
    std::string names;
    for (const auto& set : builtinColorSets())
        names += (names.empty() ? "" : ", ") + set.name;
    EXPECT_EQ(result.dropped, names);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], (UserMessage{MessageIcon::Exclamation, kDuplicatesHead + names}));
    EXPECT_EQ(sets.selectedIndex(), sets.colorSetCount() - 1);
}

TEST_F(ColorSetFileTest, LoadingTakesAQuotedPathAndSelectsTheLastSet) {
    fs::create_directory(file("with blank"));
    put("with blank/one.cst", crlf(setSection(0, "新しい", 8, {{1, 2, 3}, {4, 5, 6}})));
    auto sets = collection();
    initColors(sets);

    const auto result = record(loadColorSetFile("\"" + file("with blank/one.cst") + "\"", sets));
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.dropped, "");
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(sets.colorSetCount(), 15);
    EXPECT_EQ(sets.at(14).name, "新しい");
    EXPECT_EQ(sets.selectedIndex(), 14);

    // A file with no set in it changes nothing but the selection.
    put("empty.cst", "");
    sets.select(0);
    EXPECT_FALSE(record(loadColorSetFile("empty.cst", sets)).error); // program folder
    EXPECT_EQ(sets.colorSetCount(), 15);
    EXPECT_EQ(sets.selectedIndex(), 14);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ColorSetFileTest, LoadingAFileThatCannotBeReadSaysSoAndChangesNothing) {
    fs::create_directory(file("folder.cst"));
    for (const std::string name : {"missing.cst", "folder.cst"}) {
        SCOPED_TRACE(name);
        messages_.clear();
        auto sets = collection();
        initColors(sets);
        sets.select(3);
        const auto result = record(loadColorSetFile(file(name), sets));
        ASSERT_TRUE(result.error);
        EXPECT_TRUE(sameAsBuiltins(sets));
        EXPECT_EQ(sets.selectedIndex(), 3);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], colorSetReadFailureMessage(systemErrorText(result.error)));
        EXPECT_TRUE(messages_[0].text.starts_with("読み込み時にエラーが発生しました。\r\n"));
        EXPECT_EQ(messages_[0].icon, MessageIcon::Critical);
    }
}

TEST_F(ColorSetFileTest, StartUpReadsTheCollectionKeepingDuplicates) {
    const std::string twice = setSection(0, "同じ", 8, {{1, 2, 3}, {4, 5, 6}}) +
                              setSection(1, "同じ", 8, {{1, 2, 3}, {4, 5, 6}}) +
                              setSection(2, "別", 0, {{9, 9, 9}, {8, 8, 8}});
    put(std::string(kCollectionFileName), crlf("[ColorSet]\nCount=3\n" + twice));
    IniFile ini;
    ini.initFile(kCollectionFileName);
    auto sets = collection();
    addSet(sets, "left over", 8, {{0, 0, 0}, {1, 1, 1}});

    EXPECT_EQ(record(readColorSetsAtStartup(ini, sets)).source, StartupColorSets::FromFile);
    ASSERT_EQ(sets.colorSetCount(), 3);
    EXPECT_EQ(sets.at(0).name, "同じ");
    EXPECT_EQ(sets.at(1).name, "同じ_02");
    EXPECT_EQ(sets.at(2).name, "別");
    EXPECT_EQ(sets.selectedIndex(), 0);
    EXPECT_TRUE(messages_.empty());

    // At exit the collection is written back, and the next start reads the same sets.
    ASSERT_FALSE(writeAllColorSets(ini, sets));
    auto next = collection();
    EXPECT_EQ(record(readColorSetsAtStartup(ini, next)).source, StartupColorSets::FromFile);
    ASSERT_EQ(next.colorSetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(next.at(i).name, sets.at(i).name);
        EXPECT_TRUE(sameColors(next.at(i), sets.at(i)));
    }
}

TEST_F(ColorSetFileTest, StartUpWithoutACollectionGivesTheBuiltinSetsQuietly) {
    IniFile ini;
    ini.initFile(kCollectionFileName);
    auto sets = collection();
    // No file at all (the first start).
    EXPECT_EQ(record(readColorSetsAtStartup(ini, sets)).source, StartupColorSets::Builtin);
    EXPECT_TRUE(sameAsBuiltins(sets));
    EXPECT_EQ(sets.selectedIndex(), 0);
    // A single-set file has no "Count"; neither has an empty "Count".
    for (const std::string& text :
         {setSection(0, "solo", 8, {{1, 1, 1}, {2, 2, 2}}),
          "[ColorSet]\nCount=\n" + setSection(0, "solo", 8, {{1, 1, 1}, {2, 2, 2}})}) {
        put(std::string(kCollectionFileName), crlf(text));
        auto again = collection();
        EXPECT_EQ(record(readColorSetsAtStartup(ini, again)).source, StartupColorSets::Builtin);
        EXPECT_TRUE(sameAsBuiltins(again));
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ColorSetFileTest, ADamagedCollectionFileGivesTheFatalMessageAndTheBuiltinSets) {
    IniFile ini;
    ini.initFile(kCollectionFileName);
    const std::string broken[] = {
        "[ColorSet]\nCount=3\n",                                                   // no set at all
        "[ColorSet]\nCount=1\n[ColorSet 0]\nColorSetName=x\nColorCount=1\n",       // no usable set
        "[ColorSet]\nCount=2\n" + setSection(1, "gap", 8, {{1, 1, 1}, {2, 2, 2}}), // no set 0
    };
    for (const auto& text : broken) {
        SCOPED_TRACE(text);
        messages_.clear();
        put(std::string(kCollectionFileName), crlf(text));
        auto sets = collection();
        EXPECT_EQ(record(readColorSetsAtStartup(ini, sets)).source,
                  StartupColorSets::BuiltinAfterFailure);
        EXPECT_TRUE(sameAsBuiltins(sets));
        EXPECT_EQ(sets.selectedIndex(), 0);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], (UserMessage{MessageIcon::Exclamation, kFatal}));
    }

    // A folder where the file should be cannot be read at all.
    fs::remove(file(std::string(kCollectionFileName)));
    fs::create_directory(file(std::string(kCollectionFileName)));
    messages_.clear();
    auto sets = collection();
    EXPECT_EQ(record(readColorSetsAtStartup(ini, sets)).source,
              StartupColorSets::BuiltinAfterFailure);
    EXPECT_TRUE(sameAsBuiltins(sets));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], fatalColorSetFileMessage());
}

TEST_F(ColorSetFileTest, SavingReplacesAReadOnlyFileAndReportsAFolderThatIsNotThere) {
    auto sets = collection();
    initColors(sets);
    put("locked.cst", "old");
    fs::permissions(file("locked.cst"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(saveColorSetFile(file("locked.cst"), sets, 0).ok());
    auto back = collection();
    readColorSetsFromBytes(get("locked.cst"), back, false);
    ASSERT_EQ(back.colorSetCount(), 1);
    EXPECT_EQ(back.at(0).name, "紫水黄");

    const Result saved = saveAllColorSetsFile(file("no such folder/all.cst"), sets);
    ASSERT_FALSE(saved.ok());
    ASSERT_EQ(saved.messages().size(), 1u);
    const UserMessage* missing = saved.failureMessage();
    EXPECT_EQ(*missing, colorSetWriteFailureMessage(systemErrorText(
                            std::make_error_code(std::errc::no_such_file_or_directory))));
    EXPECT_TRUE(missing->text.starts_with("書き込み時にエラーが発生しました。\r\n"));
    EXPECT_EQ(missing->icon, MessageIcon::Critical);

    fs::create_directory(file("folder.cst"));
    EXPECT_FALSE(saveColorSetFile(file("folder.cst"), sets, 0).ok());
    EXPECT_TRUE(fs::is_directory(file("folder.cst")));
    // No selection: nothing to save.
    EXPECT_FALSE(saveColorSetFile(file("none.cst"), sets, -1).ok());
    EXPECT_FALSE(fs::exists(file("none.cst")));
}

TEST_F(ColorSetFileTest, AFailedSaveAllLeavesTheOldFileWhole) {
    auto sets = collection();
    initColors(sets);
    put("all.cst", crlf("[ColorSet]\nCount=1\n" + setSection(0, "old", 8, {{1, 1, 1}, {2, 2, 2}})));
    const std::string before = get("all.cst");

    // A disk that fills up: no file may grow beyond a few hundred bytes.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 300;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result written = saveAllColorSetsFile(file("all.cst"), sets);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(
        written.failureMessage()->text.starts_with("書き込み時にエラーが発生しました。\r\n"));
    EXPECT_EQ(get("all.cst"), before);
    EXPECT_EQ(filesIn(home_), std::vector<std::string>{"all.cst"}); // no temporary left
}

// GIMP gradients and palettes: the layout those programs read, and their own files read
// back to the same colours.
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    EXPECT_TRUE(line.empty()) << "the last line has no line end";
    return lines;
}

std::vector<double> numbersIn(const std::string& line) {
    std::vector<double> v;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t used = 0;
        v.push_back(std::stod(line.substr(pos), &used));
        pos += used;
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
    }
    return v;
}

std::vector<Point> pointsOf(const GColor& set) {
    std::vector<Point> points;
    for (int i = 0; i < set.colorCount; ++i)
        points.push_back({set.r[i], set.g[i], set.b[i]});
    return points;
}

} // namespace

TEST_F(ColorSetFileTest, GimpFilesWrittenFollowTheirLayoutAndReadBackToTheSameSet) {
    for (const GColor& set : builtinColorSets()) {
        SCOPED_TRACE(set.name);
        const int segments = set.colorCount - 1;
        ASSERT_TRUE(exportExchangeColorSet(file("g.ggr"), set, ExchangeFormat::GimpGradient).ok());
        ASSERT_TRUE(exportExchangeColorSet(file("p.gpl"), set, ExchangeFormat::GimpPalette).ok());

        const auto ggr = linesOf(get("g.ggr"));
        ASSERT_GE(ggr.size(), 4u);
        EXPECT_EQ(ggr[0], "GIMP Gradient");
        EXPECT_EQ(ggr[1], "Name: " + set.name);
        const int count = std::stoi(ggr[2]);
        // Smooth sets: a straight segment per pair of points; flat sets one per point.
        EXPECT_EQ(count, segments);
        ASSERT_EQ(ggr.size(), 3u + count);
        double right = 0;
        for (int k = 0; k < count; ++k) {
            const auto v = numbersIn(ggr[3 + k]);
            ASSERT_EQ(v.size(), 15u) << ggr[3 + k];
            EXPECT_DOUBLE_EQ(v[0], right);
            EXPECT_NEAR(v[1], (v[0] + v[2]) / 2, 1e-6);
            right = v[2];
            EXPECT_EQ(v[6], 1.0);
            EXPECT_EQ(v[10], 1.0);
            const bool flat = set.colorLevelCount == 0;
            EXPECT_NEAR(v[3] * 255, set.r[k], 1e-3);
            EXPECT_NEAR(v[9] * 255, flat ? set.b[k] : set.b[k + 1], 1e-3);
        }
        EXPECT_EQ(right, 1.0);

        const auto gpl = linesOf(get("p.gpl"));
        ASSERT_EQ(gpl.size(), 4u + set.colorCount);
        EXPECT_EQ(gpl[0], "GIMP Palette");
        EXPECT_EQ(gpl[1], "Name: " + set.name);
        for (int i = 0; i < set.colorCount; ++i) {
            const auto v = numbersIn(gpl[4 + i].substr(0, gpl[4 + i].find('\t')));
            EXPECT_EQ(v,
                      (std::vector<double>{double(set.r[i]), double(set.g[i]), double(set.b[i])}));
        }

        auto sets = collection();
        ASSERT_TRUE(importExchangeColorSet(file("p.gpl"), sets).ok());
        if (set.colorLevelCount == 8) {
            ASSERT_TRUE(importExchangeColorSet(file("g.ggr"), sets).ok());
        }
        for (int i = 0; i < sets.colorSetCount(); ++i) {
            EXPECT_EQ(pointsOf(sets.at(i)), pointsOf(set)) << i;
            EXPECT_EQ(sets.at(i).colorLevelCount, 8);
        }
        EXPECT_EQ(sets.selectedIndex(), sets.colorSetCount() - 1);
    }
}

TEST_F(ColorSetFileTest, GimpsOwnLayoutsReadAsTheirColours) {
    // As GIMP writes them: red to blue in the first half, blue to white in the second.
    put("two.ggr", "GIMP Gradient\nName: Two\n2\n"
                         "0.000000 0.250000 0.500000 1.000000 0.000000 0.000000 1.000000 "
                         "0.000000 0.000000 1.000000 1.000000 0 0 0 0\n"
                         "0.500000 0.750000 1.000000 0.000000 0.000000 1.000000 1.000000 "
                         "1.000000 1.000000 1.000000 1.000000 0 0\n");
    // Older files: no name, eleven numbers, CR LF.
    put("old.ggr", "GIMP Gradient\r\n1\r\n0 0.5 1 0 0 0 1 1 1 1 1\r\n");
    // The whole hue circle, counter-clockwise in HSV.
    put("hue.ggr", "GIMP Gradient\nName: Hue\n1\n0 0.5 1 1 0 0 1 1 0 0.0001 1 0 1\n");
    put("pal.gpl", "GIMP Palette\r\nName: Pal\r\nColumns: 3\r\n# a comment\r\n"
                         "255   0   0\tRed\r\n  0 128   0 Green\r\n\r\n 10  20  30\r\n");
    std::string many = "GIMP Palette\n#\n";
    for (int i = 0; i < 23; ++i)
        many += std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i) + "\n";
    put("many.gpl", many);
    put("one.gpl", "GIMP Palette\n1 2 3 x\n");

    auto sets = collection();
    for (const char* name : {"two.ggr", "old.ggr", "hue.ggr", "pal.gpl", "many.gpl", "one.gpl"})
        ASSERT_TRUE(importExchangeColorSet(file(name), sets).ok()) << name;
    ASSERT_EQ(sets.colorSetCount(), 6);
    EXPECT_EQ(sets.at(0).name, "Two");
    EXPECT_EQ(pointsOf(sets.at(0)),
              (std::vector<Point>{{255, 0, 0}, {0, 0, 255}, {255, 255, 255}}));
    EXPECT_EQ(sets.at(1).name, "old"); // the file's name when it has none
    EXPECT_EQ(pointsOf(sets.at(1)), (std::vector<Point>{{0, 0, 0}, {255, 255, 255}}));
    // Straight in RGB between the six primaries and secondaries: exactly seven points.
    EXPECT_EQ(pointsOf(sets.at(2)), (std::vector<Point>{{255, 0, 0},
                                                        {255, 255, 0},
                                                        {0, 255, 0},
                                                        {0, 255, 255},
                                                        {0, 0, 255},
                                                        {255, 0, 255},
                                                        {255, 0, 0}}));
    EXPECT_EQ(sets.at(3).name, "Pal");
    EXPECT_EQ(pointsOf(sets.at(3)), (std::vector<Point>{{255, 0, 0}, {0, 128, 0}, {10, 20, 30}}));
    // 23 colours: twelve chosen evenly, every second one, the first and the last kept.
    std::vector<Point> even;
    for (int i = 0; i < 23; i += 2)
        even.push_back({i, i, i});
    EXPECT_EQ(pointsOf(sets.at(4)), even);
    EXPECT_EQ(pointsOf(sets.at(5)), (std::vector<Point>{{1, 2, 3}, {1, 2, 3}}));
}

TEST_F(ColorSetFileTest, ImportedNamesAreTextWithinTheEditorsRuleAndSurviveTheCollectionFile) {
    const std::string segment = "1\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n";
    put("cp932.gpl", "GIMP Palette\nName: " + *textcodec::toCp932("桜色") + "\n1 2 3\n");
    put("neither.gpl", "GIMP Palette\nName: a\xFF\xFE\n1 2 4\n");
    put("long.ggr", "GIMP Gradient\nName: " + std::string(10'000'000, 'x') + "\n" + segment);
    put("blank.ggr", "GIMP Gradient\nName: \x01\x7F \t\n" + segment);
    put("full.ggr", "GIMP Gradient\nName: 一二三四五六七八九十壱弐参\n" + segment);
    auto sets = collection();
    initColors(sets);
    const int builtins = sets.colorSetCount();
    for (const char* name : {"cp932.gpl", "neither.gpl", "long.ggr", "blank.ggr", "full.ggr"})
        ASSERT_TRUE(importExchangeColorSet(file(name), sets).ok()) << name;
    const std::vector<std::string> expected = {"桜色", "a\uFFFD\uFFFD", std::string(24, 'x'),
                                               "新規_01", "一二三四五六七八九十壱弐"};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(sets.at(builtins + static_cast<int>(i)).name, expected[i]) << i;
    // Whatever bytes a name is given as, the collection holds text.
    ASSERT_TRUE(sets.addColorSet(*textcodec::toCp932("藤"), 8).ok());
    const int last = sets.colorSetCount() - 1;
    EXPECT_EQ(sets.at(last).name, "藤");
    sets.addColorPoint(last, 0, 0, 0);
    sets.addColorPoint(last, 9, 9, 9);

    // Every name comes back from the collection file as it was written, the built-in
    // ones ("紫水黄" among them) included.
    ASSERT_TRUE(saveAllColorSetsFile(file("all.cst"), sets).ok());
    auto again = collection();
    readColorSetsFromBytes(get("all.cst"), again, false);
    EXPECT_EQ(again.names(), sets.names());
}

TEST(GimpGradient, HsvSegmentsBlendAsWorkedOutByHand) {
    // Red (1, 0, 0) to a mostly green (0.2, 0.8, 0.4), linear, middle 0.5. By hand:
    //   red:   hue 0, saturation 1, value 1.
    //   green: max 0.8 (green), min 0.2, d = 0.6: hue = ((B - R) / d + 2) / 6
    //          = (0.2 / 0.6 + 2) / 6 = 0.388889, saturation 0.6 / 0.8 = 0.75, value 0.8.
    // At 0.25 counter-clockwise: hue 0.097222 (x6 = 0.583333: sector 0, f = 0.583333),
    //   s = 0.9375, v = 0.95; p = v(1 - s) = 0.059375, t = v(1 - s(1 - f)) = 0.578906:
    //   (v, t, p) = (242.25, 147.621094, 15.140625).
    // At 0.5 counter-clockwise: hue 0.194444 (x6 = 1.166667: sector 1, f = 0.166667),
    //   s = 0.875, v = 0.9; p = 0.1125, q = v(1 - s f) = 0.76875:
    //   (q, v, p) = (196.03125, 229.5, 28.6875).
    // At 0.5 clockwise: hue from 1 down to 0.388889, 0.694444 (x6 = 4.166667: sector 4,
    //   f = 0.166667); t = 0.24375: (t, p, v) = (62.15625, 28.6875, 229.5).
    // At 1: the end colour itself, (51, 204, 102).
    const std::string segment = "0 0.5 1 1 0 0 1 0.2 0.8 0.4 1 0 ";
    const struct {
        int coloring;
        double position;
        RealRgb expected;
    } cases[] = {
        {1, 0.25, {242.25, 147.621094, 15.140625}},
        {1, 0.5, {196.03125, 229.5, 28.6875}},
        {2, 0.5, {62.15625, 28.6875, 229.5}},
        {1, 1.0, {51, 204, 102}},
        {2, 1.0, {51, 204, 102}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.coloring) + " at " + std::to_string(c.position));
        GimpGradient gradient;
        std::string error;
        ASSERT_TRUE(parseGimpGradient("GIMP Gradient\n1\n" + segment +
                                          std::to_string(c.coloring) + "\n",
                                      gradient, error))
            << error;
        const RealRgb color = gradient.colorAt(c.position);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(color[i], c.expected[i], 1e-4) << i;
    }
}

TEST_F(ColorSetFileTest, DamagedGimpFilesAreRefusedWithTheirReasonAndAddNothing) {
    const std::string segment = "0 0.5 1 0 0 0 1 1 1 1 1 0 0\n";
    const std::pair<std::string, std::string> cases[] = {
        {"GIMP Palette\n255 0 0\n256 0 0\n", "パレットファイルの 3 行目の色を読み取れません。"},
        {"GIMP Palette\n# nothing\n", "パレットに色がありません。"},
        {"GIMP Palette\n1 2\n", "パレットファイルの 2 行目の色を読み取れません。"},
        {"GIMP Gradient\nName: x\n2\n" + segment,
         "グラデーションの区間が足りません（2 個のはずが 1 個）。"},
        {"GIMP Gradient\nName: x\n1\n0 0.5 1 0 0 0 1 1 1 1 1 9 0\n",
         "グラデーションファイルの 4 行目を読み取れません。"},
        {"GIMP Gradient\nName: x\n1\n0.5 0.2 1 0 0 0 1 1 1 1 1 0 0\n",
         "グラデーションファイルの 4 行目を読み取れません。"},
        {"GIMP Gradient\nName: x\n99999999\n" + segment,
         "グラデーションファイルの 3 行目を読み取れません。"},
        // Kinds beyond every int, and fractions: refused, not truncated to a kind.
        {"GIMP Gradient\r\n1\r\n0 0.5 1 0 0 1 1 0 1 1 1 " + std::string(98, '6') + "5 1\r\n",
         "グラデーションファイルの 3 行目を読み取れません。"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 1 1 1 1.9 0\n",
         "グラデーションファイルの 3 行目を読み取れません。"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 1 1 1 -0.5 0\n",
         "グラデーションファイルの 3 行目を読み取れません。"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 1e300\n",
         "グラデーションファイルの 3 行目を読み取れません。"},
        {"GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 1.5\n",
         "グラデーションファイルの 3 行目を読み取れません。"},
        {"[ColorSet 0]\n", "GIMP のグラデーション(.ggr)でもパレット(.gpl)でもありません。"},
    };
    auto sets = collection();
    initColors(sets);
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        put("bad.ggr", text);
        const Result result = importExchangeColorSet(file("bad.ggr"), sets);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(*result.failureMessage(), colorSetReadFailureMessage(reason));
    }
    fs::create_directory(file("folder.gpl"));
    EXPECT_FALSE(importExchangeColorSet(file("folder.gpl"), sets).ok());
    EXPECT_TRUE(sameAsBuiltins(sets));

    // A full collection takes nothing more.
    put("ok.gpl", "GIMP Palette\n1 2 3\n");
    while (sets.colorSetCount() < ColorSetCollection::kCapacity)
        ASSERT_TRUE(importExchangeColorSet(file("ok.gpl"), sets).ok());
    const Result full = importExchangeColorSet(file("ok.gpl"), sets);
    EXPECT_EQ(*full.failureMessage(), colorSetLimitMessage());
    // Writing where only a folder can be fails with the write message.
    const Result write =
        exportExchangeColorSet(file("folder.gpl"), sets.at(0), ExchangeFormat::GimpPalette);
    ASSERT_FALSE(write.ok());
    EXPECT_TRUE(write.failureMessage()->text.starts_with("書き込み時にエラーが発生しました。\r\n"));
}
