#include "TempFolder.h"

#include "colorsets/ColorSetCollection.h"
#include "history/HistoryFile.h"
#include "image/Thumbnail.h"
#include "io/AppSettings.h"
#include "io/AtomicFile.h"
#include "io/FormPosition.h"
#include "io/TileViewFile.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

using namespace wavory;
using wavory::testing::TempProgramFolder;
namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return home_ + "/" + name; }
    void putIni(const std::string& bytes) const {
        ASSERT_FALSE(writeFileAtomically(file("wavory.ini"), bytes));
    }
    std::string get(const std::string& name) const {
        std::string bytes;
        EXPECT_FALSE(readWholeFile(file(name), bytes));
        return bytes;
    }
    // Loads a file holding ExistINI and the given lines into default settings.
    AppSettings loadWith(const std::string& lines) const {
        putIni(lines + "[App]\r\nExistINI=True\r\n");
        AppSettings s;
        readSettings(s);
        return s;
    }

    // A model in which every value differs from its default.
    AppSettings sample() const {
        AppSettings s;
        s.form.main = WindowPosition{96, -8};
        s.form.picture = WindowPosition{400, 30};
        s.form.help = WindowPosition{0, 500};
        s.form.button = WindowPosition{1200, 0};
        s.picture.width = 640;
        s.picture.height = 480;
        s.picture.jpegSaveQ = 85;
        s.picture.jpegSavePrgrs = true;
        s.picture.pngSaveQ = 2;
        s.picture.path = "/home/user/画像/";
        s.picture.txtPath = "/home/user/text/";
        s.picture.cSetPath = home_ + "/colorset/";
        s.button = {1, 0x123456, 0, 50, 7, "12", "30", 1};
        s.anim = {"5", "95", "120", "", home_, "波～線", "0007", 3, 250, 2, 65};
        s.tileView = {true, false, "Noto Sans CJK JP", 18, 0x00FF00, "試し書き text"};
        s.tool = {true, false};
        s.option.shell = "/usr/bin/gimp";
        s.option.hello = false;
        s.option.quitQ = true;
        s.option.drewBeep = true;
        s.option.drawOnRnd = false;
        s.option.textOnGrp = true;
        s.option.activeAfterDrawing = false;
        s.option.drawOnChange = true;
        s.option.rndSetSw = -0.25;
        s.option.rndSetBs = 0.4;
        s.option.doRndSet = {false, true, false, true, true, false, true};
        s.extras = {true, 65};
        return s;
    }

    TempProgramFolder folder_;
    std::string home_ = folder_.str();
};

} // namespace

TEST_F(SettingsTest, WrittenFileHasEveryKeyInOrderAndForm) {
    AppSettings s = sample();
    s.picture.cSetPath = "/cs/";
    s.anim.path = "/anim/";
    const auto result = writeSettings(s);
    EXPECT_FALSE(result.settingsFile);
    EXPECT_FALSE(result.tileViewFile);
    // Japanese values are written in CP932.
    const std::string form = "[Form]\r\n"
                             "MainL= 1440\r\nMainT=-120\r\n"
                             "PictureL= 6000\r\nPictureT= 450\r\n"
                             "HelpL= 0\r\nHelpT= 7500\r\n"
                             "ButtonL= 18000\r\nButtonT= 0\r\n";
    const std::string picture = "[Picture]\r\n"
                                "Width= 640\r\nHeight= 480\r\n"
                                "JpegSaveQ=85\r\nJpegSavePrgrs=True\r\nPNGSaveQ=2\r\n"
                                "Path=/home/user/\x89\xE6\x91\x9C/\r\n" // 画像
                                "TxtPath=/home/user/text/\r\nCSetPath=/cs/\r\n";
    const std::string button = "[Button]\r\n"
                               "Enabled=1\r\nColor=1193046\r\nSenmei=0\r\nShadow=50\r\n"
                               "Line=7\r\nWidth=12\r\nHeight=30\r\nXYFix=1\r\n";
    const std::string anim = "[Anim]\r\n"
                             "IsoFrom=5\r\nIsoTo=95\r\nFrame=120\r\nDrive=\r\nPath=/anim/\r\n"
                             "Name=\x94\x67\x81\x60\x90\xFC\r\n" // 波～線
                             "NumberFrom=0007\r\nNumber=3\r\nFormat=2\r\nPreviewSpeed=250\r\n"
                             "VideoQuality=65\r\n";
    const std::string tileAndTool = "[TileView]\r\n"
                                    "FontBold=True\r\nFontItalic=False\r\n"
                                    "FontName=Noto Sans CJK JP\r\nFontSize=18\r\nColor=65280\r\n"
                                    "[Tool]\r\n"
                                    "ButtonShow=True\r\nHelpShow=False\r\n";
    const std::string optionAndApp = "[Option]\r\n"
                                     "Shell=/usr/bin/gimp\r\nHello=False\r\nQuitQ=True\r\n"
                                     "DrewBeep=True\r\nDrawOnRnd=False\r\nTextOnGrp=True\r\n"
                                     "ActiveAfterDrawing=False\r\nDrawOnChange=True\r\n"
                                     "RndSetSW=-0.25\r\nRndSetBS=0.4\r\n"
                                     "DoRndSet 0=False\r\nDoRndSet 1=True\r\nDoRndSet 2=False\r\n"
                                     "DoRndSet 3=True\r\nDoRndSet 4=True\r\nDoRndSet 5=False\r\n"
                                     "DoRndSet 6=True\r\n"
                                     "[App]\r\n"
                                     "Version=2.50\r\nExistINI=True\r\n"
                                     "[Extras]\r\nKeepHistory=True\r\nVariationSpread=65\r\n";
    EXPECT_EQ(get("wavory.ini"), form + picture + button + anim + tileAndTool + optionAndApp);
    EXPECT_EQ(get("Tileview.ini"), "\"\x8E\x8E\x82\xB5\x8F\x91\x82\xAB text\"\r\n");
}

TEST_F(SettingsTest, SettingsReadBackToTheSameModel) {
    const AppSettings saved = sample();
    EXPECT_FALSE(settingsExist());
    writeSettings(saved);
    EXPECT_TRUE(settingsExist());

    AppSettings loaded;
    readSettings(loaded);
    EXPECT_TRUE(readTileViewFile(loaded.tileView.text));
    EXPECT_EQ(loaded.form, saved.form);
    EXPECT_EQ(loaded.picture, saved.picture);
    EXPECT_EQ(loaded.button, saved.button);
    EXPECT_EQ(loaded.anim, saved.anim);
    EXPECT_EQ(loaded.tileView, saved.tileView);
    EXPECT_EQ(loaded.tool, saved.tool);
    EXPECT_EQ(loaded.option, saved.option);
    EXPECT_EQ(loaded.extras, saved.extras);

    // Saving what was loaded changes no byte.
    const std::string first = get("wavory.ini");
    writeSettings(loaded);
    EXPECT_EQ(get("wavory.ini"), first);
}

// Every member makes the round trip with a value unlike its default, and every key of a
// written file is read: the line of one key taken from another model's file changes what
// loads.
TEST_F(SettingsTest, EveryKeyIsWrittenAndRead) {
    AppSettings a = sample();
    a.tileView.text.clear(); // kept in "Tileview.ini"
    a.tileView.fontItalic = true;
    a.tool = {true, true};
    a.option.hello = true;
    a.option.drawOnRnd = true;
    a.option.activeAfterDrawing = true;
    a.option.doRndSet.fill(true);
    a.anim.drive = "D:";
    AppSettings b;
    b.form = {WindowPosition{1, 2}, WindowPosition{3, 4}, WindowPosition{5, 6},
              WindowPosition{7, 8}};
    writeSettings(b);
    const std::string other = get("wavory.ini");
    writeSettings(a);
    const std::string written = get("wavory.ini");
    AppSettings loaded;
    readSettings(loaded);
    EXPECT_EQ(loaded, a);

    // Lines as (section, key, line); a section's header has no key.
    using Line = std::tuple<std::string, std::string, std::string>;
    const auto linesOf = [](const std::string& text) {
        std::vector<Line> lines;
        std::string section;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find("\r\n", at);
            const std::string line = text.substr(at, end - at);
            at = end + 2;
            if (line.starts_with('['))
                section = line;
            lines.emplace_back(section, line.starts_with('[') ? "" : line.substr(0, line.find('=')),
                               line);
        }
        return lines;
    };
    const std::vector<Line> mine = linesOf(written);
    const std::vector<Line> theirs = linesOf(other);
    int keys = 0;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const auto& [section, key, line] = mine[i];
        if (key.empty() || section == "[App]")
            continue;
        ++keys;
        const auto match = std::find_if(theirs.begin(), theirs.end(), [&](const Line& l) {
            return std::get<0>(l) == section && std::get<1>(l) == key;
        });
        ASSERT_NE(match, theirs.end()) << key;
        std::string text;
        for (std::size_t j = 0; j < mine.size(); ++j)
            text += (j == i ? std::get<2>(*match) : std::get<2>(mine[j])) + "\r\n";
        putIni(text);
        AppSettings changed;
        readSettings(changed);
        EXPECT_NE(changed, a) << section << key;
    }
    EXPECT_EQ(keys, 61);
}

TEST_F(SettingsTest, FirstStartDecisionAndDefaults) {
    EXPECT_FALSE(settingsExist()); // no file
    putIni("[Picture]\r\nWidth= 640\r\n[App]\r\nVersion=2.50\r\n");
    EXPECT_FALSE(settingsExist()); // a file without the marker
    putIni("[App]\r\nExistINI=\r\n");
    EXPECT_FALSE(settingsExist()); // an empty marker
    putIni("[app]\r\nexistini=1\r\n");
    EXPECT_TRUE(settingsExist()); // only tested for being non-empty

    AppSettings s;
    applyFirstStartDefaults(s, "Noto Sans CJK JP");
    EXPECT_EQ(s.picture.jpegSaveQ, 100);
    EXPECT_FALSE(s.picture.jpegSavePrgrs);
    EXPECT_EQ(s.picture.pngSaveQ, 0);
    EXPECT_FALSE(s.option.hello || s.option.quitQ || s.option.drewBeep || s.option.textOnGrp ||
                 s.option.drawOnChange);
    EXPECT_TRUE(s.option.drawOnRnd && s.option.activeAfterDrawing);
    EXPECT_EQ(s.option.doRndSet,
              (std::array<bool, 7>{true, true, true, false, false, false, true}));
    EXPECT_EQ(s.tileView.fontName, "Noto Sans CJK JP");
    EXPECT_EQ(s.tileView.fontSize, 12);
    EXPECT_TRUE(s.tool.buttonShow && s.tool.helpShow);
    EXPECT_EQ(s.picture.path, "");
    EXPECT_EQ(s.picture.cSetPath, home_ + "/colorset/");
}

TEST_F(SettingsTest, FileHoldingOnlyTheMarker) {
    const AppSettings s = loadWith("");
    AppSettings expected;                        // the values before reading ...
    expected.option.doRndSet[RndPeriods] = true; // ... with a random setting that changes something
    expected.option.doRndSet[RndAmplitudes] = true;
    expected.tool = {true, true}; // and both tool windows shown
    expected.anim.name = "";      // a missing name empties the box
    EXPECT_EQ(s, expected);
    EXPECT_FALSE(s.form.main.has_value());
    EXPECT_EQ(s.picture.width, 200);
    EXPECT_FALSE(s.option.drawOnRnd); // not the first-start value
    EXPECT_EQ(s.tileView.fontName, "");
    EXPECT_EQ(s.tileView.fontSize, 0);
}

TEST_F(SettingsTest, EachUnreadableValueKeepsItsTarget) {
    const AppSettings s = loadWith("[Form]\r\nMainL= 1440\r\nPictureL=abc\r\nPictureT= 15\r\n"
                                   "HelpL= 1234.5\r\nHelpT=-120\r\n"
                                   "[Picture]\r\nWidth= 640\r\nJpegSaveQ=300\r\n"
                                   "JpegSavePrgrs=maybe\r\nPNGSaveQ=1.5\r\n"
                                   "[Button]\r\nEnabled=2\r\nColor=-1\r\nSenmei=51\r\n"
                                   "Shadow=x\r\nLine= 40 \r\nWidth=12.5\r\nHeight=7px\r\n"
                                   "[Anim]\r\nPath=/no/such/folder\r\nNumber=8\r\nFormat=5\r\n"
                                   "PreviewSpeed=4\r\nVideoQuality=0\r\n"
                                   "[TileView]\r\nFontBold=yes\r\nFontSize=abc\r\nColor=12red\r\n"
                                   "[Tool]\r\nButtonShow=False\r\nHelpShow=perhaps\r\n"
                                   "[Extras]\r\nKeepHistory=often\r\nVariationSpread=101\r\n");
    const AppSettings before;
    EXPECT_FALSE(s.form.main.has_value());    // MainT missing: no move at all
    EXPECT_FALSE(s.form.picture.has_value()); // one value not a number
    ASSERT_TRUE(s.form.help.has_value());
    EXPECT_EQ(*s.form.help, (WindowPosition{82, -8})); // 1234.5 twips = 82.3 pixels
    EXPECT_EQ(s.picture.width, 200);                   // Height missing: 200 x 200
    EXPECT_EQ(s.picture.height, 200);
    EXPECT_EQ(s.picture.jpegSaveQ, before.picture.jpegSaveQ);
    EXPECT_EQ(s.picture.jpegSavePrgrs, before.picture.jpegSavePrgrs);
    EXPECT_EQ(s.picture.pngSaveQ, 2); // half to even
    EXPECT_EQ(s.button.enabled, before.button.enabled);
    EXPECT_EQ(s.button.color, before.button.color);
    EXPECT_EQ(s.button.senmei, before.button.senmei);
    EXPECT_EQ(s.button.shadow, before.button.shadow);
    EXPECT_EQ(s.button.line, 40);
    EXPECT_EQ(s.button.width, "12"); // converted and written back as decimal text
    EXPECT_EQ(s.button.height, before.button.height);
    EXPECT_EQ(s.anim.path, before.anim.path);
    EXPECT_EQ(s.anim.number, before.anim.number);
    EXPECT_EQ(s.anim.format, before.anim.format);
    EXPECT_EQ(s.anim.previewSpeed, before.anim.previewSpeed);
    EXPECT_EQ(s.anim.videoQuality, before.anim.videoQuality);
    EXPECT_EQ(s.tileView.fontBold, before.tileView.fontBold);
    EXPECT_EQ(s.tileView.fontSize, 0);
    EXPECT_EQ(s.tileView.color, 12); // numeric prefix
    EXPECT_FALSE(s.tool.buttonShow);
    EXPECT_TRUE(s.tool.helpShow);
    EXPECT_EQ(s.extras, before.extras);
}

TEST_F(SettingsTest, ImageSizeOutsideTheCanvasRangeKeeps200) {
    EXPECT_EQ(loadWith("[Picture]\r\nWidth= 0\r\nHeight= 300\r\n").picture.width, 200);
    EXPECT_EQ(loadWith("[Picture]\r\nWidth= 4\r\nHeight= 99999\r\n").picture.height, 200);
    const AppSettings s = loadWith("[Picture]\r\nWidth= 4\r\nHeight= 3000\r\n");
    EXPECT_EQ(s.picture.width, 4);
    EXPECT_EQ(s.picture.height, 3000);
}

TEST_F(SettingsTest, RandomSettingFlags) {
    std::string allFalse = "[Option]\r\n";
    for (int i = 0; i < 7; ++i)
        allFalse += doRndSetKey(i) + "=False\r\n";
    EXPECT_EQ(loadWith(allFalse).option.doRndSet,
              (std::array<bool, 7>{true, true, false, false, false, false, false}));

    // Keys without the blank are not the program's keys.
    EXPECT_EQ(loadWith("[Option]\r\nDoRndSet5=True\r\nDoRndSet 6=True\r\n").option.doRndSet,
              (std::array<bool, 7>{false, false, false, false, false, false, true}));
    EXPECT_EQ(loadWith("[Option]\r\nDoRndSet 4=-1\r\nDoRndSet 5=nonsense\r\n").option.doRndSet,
              (std::array<bool, 7>{false, false, false, false, true, false, false}));

    const AppSettings s = loadWith("[Option]\r\nRndSetSW= 0.5abc\r\nRndSetBS=\r\n");
    EXPECT_EQ(s.option.rndSetSw, 0.5);
    EXPECT_EQ(s.option.rndSetBs, 0.0);
}

TEST_F(SettingsTest, WelcomeDialogRunsWhenHelloIsTrue) {
    putIni("[Option]\r\nHello=1\r\nDrewBeep=TRUE\r\n[TileView]\r\nFontSize=9\r\n"
           "[App]\r\nExistINI=True\r\n");
    AppSettings s;
    int calls = 0;
    readSettings(s, [&](AppSettings& shown) {
        ++calls;
        EXPECT_TRUE(shown.option.drewBeep);    // the options are read before it
        EXPECT_EQ(shown.tileView.fontSize, 0); // the tile view after it
        shown.option.hello = false;            // the user unticked the box
    });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(s.option.hello);
    EXPECT_EQ(s.tileView.fontSize, 9);

    putIni("[Option]\r\nHello=False\r\n[App]\r\nExistINI=True\r\n");
    AppSettings quiet;
    readSettings(quiet, [&](AppSettings&) { ++calls; });
    EXPECT_EQ(calls, 1);
}

TEST_F(SettingsTest, SavingKeepsUnknownKeysAndRewritesReadOnlyFiles) {
    putIni("; hand-written note\r\n[Form]\r\nMainL= 300\r\nMainT= 450\r\nOldKey=7\r\n"
           "[Extra]\r\nA=1\r\n");
    fs::permissions(file("wavory.ini"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    AppSettings s; // main window position unknown: the stored one stays
    s.form.picture = WindowPosition{10, 20};
    EXPECT_FALSE(writeSettings(s).settingsFile);
    const std::string text = get("wavory.ini");
    EXPECT_EQ(text.rfind("; hand-written note\r\n[Form]\r\nMainL= 300\r\nMainT= 450\r\n"
                         "OldKey=7\r\nPictureL= 150\r\nPictureT= 300\r\n[Extra]\r\nA=1\r\n"
                         "[Picture]\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("ExistINI=True\r\n"), std::string::npos);
}

TEST_F(SettingsTest, UnwritableFolderLeavesNothingBehind) {
    ::setenv("WAVORY_HOME", (home_ + "/missing").c_str(), 1);
    const auto result = writeSettings(sample());
    EXPECT_TRUE(result.settingsFile);
    EXPECT_TRUE(result.tileViewFile);
    EXPECT_FALSE(fs::exists(home_ + "/missing"));
    // One message names both files.
    const Result told = settingsSaveOutcome(result);
    ASSERT_EQ(told.messages().size(), 1u);
    const std::string& text = told.messages()[0].text;
    EXPECT_EQ(text.rfind("設定を保存できませんでした。\r\n" + home_ + "/missing/wavory.ini\r\n", 0),
              0u);
    EXPECT_NE(text.find("\r\n" + home_ + "/missing/Tileview.ini\r\n"), std::string::npos);
    EXPECT_TRUE(settingsSaveOutcome({}).ok());
}

TEST(FormPosition, ChkFormPosBringsWindowsBackOnScreen) {
    const ScreenSize screen{1920, 1080};
    // Beyond the right edge: flush with it.
    EXPECT_EQ(keepOnScreen({2500, 100, 400, 300}, screen), (WindowRect{1520, 100, 400, 300}));
    // Exactly at the edge is off-screen too.
    EXPECT_EQ(keepOnScreen({1920, 100, 400, 300}, screen).left, 1520);
    // Below the bottom: to the top.
    EXPECT_EQ(keepOnScreen({100, 1200, 400, 300}, screen), (WindowRect{100, 0, 400, 300}));
    // Negative positions stay; visible ones too.
    EXPECT_EQ(keepOnScreen({-120, -50, 400, 300}, screen), (WindowRect{-120, -50, 400, 300}));
    EXPECT_EQ(keepOnScreen({1919, 1079, 400, 300}, screen), (WindowRect{1919, 1079, 400, 300}));
    EXPECT_EQ(keepOnScreen({5000, 5000, 400, 300}, screen), (WindowRect{1520, 0, 400, 300}));

    EXPECT_EQ(pixelsToTwips(96), 1440);
    EXPECT_EQ(twipsToPixels(1440), 96);
    EXPECT_EQ(twipsToPixels(22.5), 2); // 1.5 pixels, half to even
    EXPECT_EQ(twipsToPixels(-120), -8);
}

TEST_F(SettingsTest, TileViewFileQuoting) {
    ASSERT_FALSE(writeTileViewFile("ab\"cd"));
    EXPECT_EQ(get("Tileview.ini"), "\"ab\"cd\"\r\n");
    std::string text = "before";
    EXPECT_TRUE(readTileViewFile(text));
    EXPECT_EQ(text, "ab");

    ASSERT_FALSE(writeTileViewFile(""));
    text = "x";
    EXPECT_TRUE(readTileViewFile(text));
    EXPECT_EQ(text, "");

    EXPECT_EQ(parseTileViewFile("  \"波～線\"  \r\n"), "波～線");
    EXPECT_EQ(parseTileViewFile("\"unclosed\r\n"), "unclosed");
    EXPECT_EQ(parseTileViewFile("  plain text  \r\nsecond\r\n"), "plain text");
    EXPECT_EQ(parseTileViewFile(""), std::nullopt);

    ASSERT_FALSE(writeFileAtomically(file("Tileview.ini"), ""));
    text = "kept";
    EXPECT_FALSE(readTileViewFile(text));
    EXPECT_EQ(text, "kept");
    fs::remove(file("Tileview.ini"));
    EXPECT_FALSE(readTileViewFile(text));
    EXPECT_EQ(text, "kept");
}

namespace {

// Noise, which compression cannot shrink: the byte budgets below are about whole pictures.
Canvas noisePicture(int n, int side) {
    Canvas picture(side, side / 2);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(n);
    for (std::size_t i = 0; i < picture.rowBytes() * static_cast<std::size_t>(side / 2); ++i) {
        noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
        picture.data()[i] = static_cast<std::uint8_t>(noise);
    }
    return picture;
}

// An entry whose picture, parameters and set all depend on n.
HistoryEntry historyEntry(int n, int side = 40) {
    HistoryEntry e;
    e.time = 1'700'000'000 + n;
    e.fields.values[0] = std::to_string(n);
    e.fields.center[1] = "-" + std::to_string(n);
    e.fields.componentOn[7] = n % 2 == 1;
    e.fields.width = 100 + n;
    e.fields.mode = DrawMode::Xor;
    e.fields.frame.width = "x" + std::to_string(n);
    e.colorSet.name = "セット" + std::to_string(n);
    e.colorSet.colorCount = 3;
    e.colorSet.r = {static_cast<std::int16_t>(n), 0, 255};
    const Canvas picture = noisePicture(n, side);
    e.thumbnail = makeThumbnail(picture, kHistoryThumbnailSide);
    e.picture = PackedCanvas::pack(picture);
    if (n % 2 == 0)
        e.noiseKey = 0xF00D'0000'0000'0000u + static_cast<std::uint64_t>(n);
    return e;
}

// A history file's bytes: the entries' payloads, each with its length and checksum.
std::string historyBytes(const std::vector<std::string>& payloads) {
    std::string out = "WAVORY-HISTORY 1\n";
    auto u32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>(v >> (8 * i)));
    };
    for (const std::string& p : payloads) {
        u32(static_cast<std::uint32_t>(p.size()));
        u32(static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(p.data()), static_cast<uInt>(p.size()))));
        out += p;
    }
    return out;
}

void expectSameEntry(const HistoryEntry& a, const HistoryEntry& b) {
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.fields, b.fields);
    EXPECT_EQ(a.colorSet.name, b.colorSet.name);
    EXPECT_TRUE(sameColors(a.colorSet, b.colorSet));
    EXPECT_EQ(a.thumbnail, b.thumbnail);
    EXPECT_EQ(a.noiseKey, b.noiseKey);
}

} // namespace

TEST(DrawingHistory, NewestFirstWithinCountAndPictureBudget) {
    const std::size_t twoPictures =
        historyEntry(7).picture->bytes() + historyEntry(6).picture->bytes();
    DrawingHistory history({/*maxEntries*/ 5, /*maxPictures*/ 3, /*maxPictureBytes*/ twoPictures});
    for (int n = 0; n < 8; ++n)
        history.add(historyEntry(n));
    ASSERT_EQ(history.entries().size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(history.entries()[i].time, 1'700'000'007 - i);
    // The byte budget holds two pictures although three would be allowed by count.
    EXPECT_TRUE(history.entries()[0].picture && history.entries()[1].picture);
    EXPECT_FALSE(history.entries()[2].picture);
    EXPECT_EQ(history.pictureBytes(), twoPictures);
    // Kept compressed, given back exactly.
    Canvas back;
    ASSERT_TRUE(history.entries()[0].picture->unpackInto(back));
    EXPECT_EQ(back, noisePicture(7, 40));
    // A picture tall enough to be packed in bands on several cores: rows 0, 1 and those
    // at the seams included.
    const Canvas tall = noisePicture(11, 2100);
    ASSERT_TRUE(PackedCanvas::pack(tall)->unpackInto(back));
    EXPECT_EQ(back, tall);
    // A picture larger than the whole budget is not kept; the smaller ones behind it are.
    history.add(historyEntry(9, 200));
    EXPECT_FALSE(history.entries()[0].picture);
    EXPECT_FALSE(history.entries()[0].thumbnail.empty());
    EXPECT_TRUE(history.entries()[1].picture);
    // Older runs' entries go behind, within the count; ids stay unique.
    std::deque<HistoryEntry> older{historyEntry(100), historyEntry(101)};
    history.clear();
    history.add(historyEntry(1));
    history.appendOlder(std::move(older));
    ASSERT_EQ(history.entries().size(), 3u);
    EXPECT_EQ(history.entries()[2].time, 1'700'000'101);
    EXPECT_EQ(history.find(history.entries()[1].id), &history.entries()[1]);
    EXPECT_NE(history.entries()[1].id, history.entries()[2].id);
}

TEST(DrawingHistory, ThumbnailAveragesEachBlockRounded) {
    // Sizes with blocks of unequal widths and heights, and one already small enough.
    for (const auto& [side, w, h] : {std::tuple{300, 128, 64}, {263, 128, 64}, {100, 100, 50}}) {
        const Canvas picture = noisePicture(side, side);
        const Canvas small = makeThumbnail(picture, kHistoryThumbnailSide);
        ASSERT_EQ(small.width(), w);
        ASSERT_EQ(small.height(), h);
        for (int ty = 0; ty < h; ++ty) {
            for (int tx = 0; tx < w; ++tx) {
                const int x0 = tx * side / w, x1 = std::max((tx + 1) * side / w, x0 + 1);
                const int y0 = ty * (side / 2) / h,
                          y1 = std::max((ty + 1) * (side / 2) / h, y0 + 1);
                int sum[3] = {0, 0, 0};
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x) {
                        const Rgb c = picture.pixel(x, y);
                        sum[0] += c.r, sum[1] += c.g, sum[2] += c.b;
                    }
                const int n = (x1 - x0) * (y1 - y0);
                const Rgb expected{static_cast<std::uint8_t>((sum[0] + n / 2) / n),
                                   static_cast<std::uint8_t>((sum[1] + n / 2) / n),
                                   static_cast<std::uint8_t>((sum[2] + n / 2) / n)};
                ASSERT_EQ(small.pixel(tx, ty), expected) << side << " at " << tx << "," << ty;
            }
        }
    }
}

TEST_F(SettingsTest, HistoryFileRoundTripAndDamage) {
    std::deque<HistoryEntry> entries;
    for (int n = 0; n < 4; ++n)
        entries.push_back(historyEntry(n, n == 3 ? 300 : 40)); // one thumbnail shrunk
    const std::string path = file(kHistoryFileName);
    ASSERT_FALSE(writeHistoryFile(path, entries));
    DecodedHistory read = readHistoryFile(path);
    EXPECT_FALSE(read.damaged);
    ASSERT_EQ(read.entries.size(), 4u);
    for (int i = 0; i < 4; ++i)
        expectSameEntry(read.entries[i], entries[i]);
    EXPECT_EQ(read.entries[3].thumbnail.width(), kHistoryThumbnailSide);
    EXPECT_FALSE(read.entries[0].picture); // pictures are never written

    // The count limit keeps the newest.
    EXPECT_EQ(decodeHistory(encodeHistory(entries, 2)).entries.size(), 2u);

    const std::string bytes = get(kHistoryFileName);
    // One flipped byte inside the second entry: that entry goes, the others stay.
    const auto firstLength = static_cast<unsigned char>(bytes[17]) +
                             256u * static_cast<unsigned char>(bytes[18]);
    const std::size_t second = 17 + 8 + firstLength + 8 + 20;
    std::string flipped = bytes;
    flipped[second] = static_cast<char>(flipped[second] ^ 0x5A);
    const DecodedHistory damaged = decodeHistory(flipped);
    EXPECT_TRUE(damaged.damaged);
    EXPECT_EQ(damaged.entries.size(), 3u);
    // Cut short: what came before the cut.
    const DecodedHistory cut = decodeHistory(std::string_view(bytes).substr(0, bytes.size() - 5));
    EXPECT_TRUE(cut.damaged);
    ASSERT_EQ(cut.entries.size(), 3u);
    expectSameEntry(cut.entries[2], entries[2]);
    // Not a history file, or nothing at all.
    EXPECT_TRUE(decodeHistory("[Option]\r\nHello=True\r\n").entries.empty());
    EXPECT_TRUE(decodeHistory(bytes.substr(0, 10)).damaged);
    EXPECT_FALSE(readHistoryFile(file("missing.dat")).damaged);
    // A length field beyond any entry loses that entry only: the reading goes on at the
    // next entry whose length and checksum hold.
    std::string huge = bytes.substr(0, 17) + std::string("\xFF\xFF\xFF\x7F", 4) + bytes.substr(21);
    const DecodedHistory resynced = decodeHistory(huge);
    EXPECT_TRUE(resynced.damaged);
    ASSERT_EQ(resynced.entries.size(), 3u);
    expectSameEntry(resynced.entries[0], entries[1]);
    // A color set index beyond the list's capacity is damage; the last slot is read.
    std::deque<HistoryEntry> indices{historyEntry(0), historyEntry(1)};
    indices[0].fields.colorSetIndex = ColorSetCollection::kCapacity - 1;
    indices[1].fields.colorSetIndex = ColorSetCollection::kCapacity;
    const DecodedHistory bounded = decodeHistory(encodeHistory(indices));
    EXPECT_TRUE(bounded.damaged);
    ASSERT_EQ(bounded.entries.size(), 1u);
    EXPECT_EQ(bounded.entries[0].fields.colorSetIndex, ColorSetCollection::kCapacity - 1);
}

TEST(HistoryFile, NoiseKeysAreKeptAndEntriesWithoutThemOrWithLaterFieldsStillRead) {
    HistoryEntry keyed = historyEntry(2);
    keyed.noiseKey = 0xFFFF'FFFF'FFFF'FFFFu;
    const std::string written = encodeHistory({keyed, historyEntry(3)});
    DecodedHistory read = decodeHistory(written);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[0].noiseKey, keyed.noiseKey);
    EXPECT_FALSE(read.entries[1].noiseKey);

    // The entry's payload ends with the version 1 fields: version, key flag, key.
    const std::string whole = encodeHistory({keyed});
    const std::string payload = whole.substr(17 + 8);
    const std::string_view thumbnailEnd = std::string_view(payload).substr(0, payload.size() - 10);
    ASSERT_EQ(payload.substr(payload.size() - 10, 2), std::string("\x01\x01", 2));
    // Written before there were such fields: it ends with the thumbnail and reads without a key.
    // Written by a later version: fields behind those known are passed over.
    std::string later = payload;
    later[thumbnailEnd.size()] = 2;
    later += "later fields";
    // A version 0 or a flag other than 0 and 1 is damage.
    std::string badVersion = payload, badFlag = payload;
    badVersion[thumbnailEnd.size()] = 0;
    badFlag[thumbnailEnd.size() + 1] = 2;
    read = decodeHistory(historyBytes({std::string(thumbnailEnd), later, badVersion, badFlag}));
    EXPECT_TRUE(read.damaged);
    ASSERT_EQ(read.entries.size(), 2u);
    expectSameEntry(read.entries[0], [&] {
        HistoryEntry old = keyed;
        old.noiseKey.reset();
        return old;
    }());
    expectSameEntry(read.entries[1], keyed);
}

TEST_F(SettingsTest, HistoryDamageToAnyByteOfAnEntryLosesThatEntryAlone) {
    // Every field in turn, its length and checksum included: each damaged byte is caught,
    // and the entries after it are read.
    const std::deque<HistoryEntry> entries{historyEntry(1), historyEntry(2), historyEntry(3)};
    const std::string bytes = encodeHistory(entries);
    constexpr std::size_t kFirst = 17; // after the magic line
    const std::size_t length = static_cast<unsigned char>(bytes[kFirst]) +
                               256u * static_cast<unsigned char>(bytes[kFirst + 1]);
    for (std::size_t at = kFirst; at < kFirst + 8 + length; ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        const DecodedHistory read = decodeHistory(damaged);
        ASSERT_TRUE(read.damaged) << "byte " << at;
        ASSERT_EQ(read.entries.size(), 2u) << "byte " << at;
        ASSERT_EQ(read.entries[0].time, entries[1].time) << "byte " << at;
    }
}

TEST_F(SettingsTest, HistoryReadingStopsAtTheKeptCountAndTakesTheNewestOfAHugeFile) {
    std::deque<HistoryEntry> entries;
    for (int n = 0; n < 5; ++n)
        entries.push_back(historyEntry(n));
    // What follows the kept count is never read, so damage there is not seen.
    const DecodedHistory kept = decodeHistory(encodeHistory(entries) + "not an entry", 3);
    EXPECT_FALSE(kept.damaged);
    ASSERT_EQ(kept.entries.size(), 3u);
    expectSameEntry(kept.entries[2], entries[2]);

    // A file beyond the size read gives its newest entries, as many as are kept.
    const std::string one = encodeHistory({historyEntry(1)});
    const std::string_view entry = std::string_view(one).substr(17);
    std::string huge = one;
    while (huge.size() <= kMaxHistoryFileBytes)
        huge += entry;
    ASSERT_FALSE(writeFileAtomically(file(kHistoryFileName), huge));
    const DecodedHistory newest = readHistoryFile(file(kHistoryFileName));
    EXPECT_FALSE(newest.damaged);
    EXPECT_EQ(newest.entries.size(), HistoryLimits{}.maxEntries);
}
