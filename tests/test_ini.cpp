#include "TempFolder.h"

#include "io/AtomicFile.h"
#include "io/IniFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace wavory;
using wavory::testing::TempProgramFolder;
namespace fs = std::filesystem;

namespace {

// Every test gets its own program folder.
class IniTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return home_ + "/" + name; }
    void put(const std::string& name, const std::string& bytes) const {
        ASSERT_FALSE(writeFileAtomically(file(name), bytes));
    }
    std::string get(const std::string& name) const {
        std::string bytes;
        EXPECT_FALSE(readWholeFile(file(name), bytes));
        return bytes;
    }

    TempProgramFolder folder_;
    std::string home_ = folder_.str();
};

} // namespace

TEST_F(IniTest, RelativeNamesResolveToTheProgramFolder) {
    IniFile ini;
    ini.initFile("/data/a.ini");
    EXPECT_EQ(ini.path(), "/data/a.ini");
    ini.initFile("a.ini");
    EXPECT_EQ(ini.path(), home_ + "/a.ini");
    ini.initFile("colorset/x.cst");
    EXPECT_EQ(ini.path(), home_ + "/colorset/x.cst");

    // A folder given with trailing separators still gets exactly one.
    ::setenv("WAVORY_HOME", (home_ + "//").c_str(), 1);
    ini.initFile("a.ini");
    EXPECT_EQ(ini.path(), home_ + "/a.ini");
    ::setenv("WAVORY_HOME", "/", 1);
    ini.initFile("a.ini");
    EXPECT_EQ(ini.path(), "/a.ini");

    ::unsetenv("WAVORY_HOME");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    ::setenv("XDG_CONFIG_HOME", "/cfg/", 1);
    ini.initFile("a.ini");
    EXPECT_EQ(ini.path(), "/cfg/wavory/a.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    const char* user = std::getenv("HOME");
    if (user && *user && std::string(user) != "/") {
        ini.initFile("a.ini");
        EXPECT_EQ(ini.path(), std::string(user) + "/.config/wavory/a.ini");
    }
    if (oldConfig)
        ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
}

TEST_F(IniTest, MissingKeysGiveZeroEmptyOrKeepTheBoolean) {
    put("a.ini", "[S]\r\nEmpty=\r\nBlank=   \r\n");
    IniFile ini;
    ini.initFile("a.ini");
    std::int32_t number = 5;
    EXPECT_TRUE(ini.accessValue("S", "Missing", number, false));
    EXPECT_EQ(number, 0);
    double real = 2.5;
    EXPECT_TRUE(ini.accessValue("NoSection", "X", real, false));
    EXPECT_EQ(real, 0.0);
    bool flag = true;
    EXPECT_TRUE(ini.accessValue("S", "Missing", flag, false));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ini.accessValue("S", "Blank", flag, false));
    EXPECT_TRUE(flag);
    std::string text = "old";
    EXPECT_TRUE(ini.accessValue("S", "Missing", text, false));
    EXPECT_EQ(text, "");

    EXPECT_EQ(ini.valueText("S", "Missing", "def"), "def");
    EXPECT_EQ(ini.valueText("S", "Empty", "def"), "def");
    EXPECT_EQ(ini.valueText("S", "Blank", "def"), "def");

    IniFile none;
    none.initFile("no-such-file.ini");
    EXPECT_EQ(none.valueText("S", "K", "d"), "d");
    EXPECT_FALSE(fs::exists(file("no-such-file.ini"))); // reading creates nothing
}

TEST_F(IniTest, ReadingConvertsByTheReceivingType) {
    put("a.ini", "[S]\r\nWord=abc\r\nT=tRuE\r\nF=FALSE\r\nZero=0\r\nNeg=-1\r\nHalf=2.5\r\n"
                 "Big=300\r\nEven=254.5\r\nPrefix= 12abc\r\nHuge=1e999\r\nNumWord=1abc\r\n");
    IniFile ini;
    ini.initFile("a.ini");

    bool flag = true;
    EXPECT_FALSE(ini.accessValue("S", "Word", flag, false));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(ini.accessValue("S", "NumWord", flag, false));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ini.accessValue("S", "F", flag, false));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(ini.accessValue("S", "T", flag, false));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ini.accessValue("S", "Zero", flag, false));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(ini.accessValue("S", "Half", flag, false));
    EXPECT_TRUE(flag);

    std::int32_t number = 7;
    EXPECT_TRUE(ini.accessValue("S", "Word", number, false));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(ini.accessValue("S", "Prefix", number, false));
    EXPECT_EQ(number, 12);
    EXPECT_TRUE(ini.accessValue("S", "Half", number, false));
    EXPECT_EQ(number, 2); // half to even

    std::uint8_t byte = 9;
    EXPECT_FALSE(ini.accessValue("S", "Big", byte, false));
    EXPECT_EQ(byte, 9);
    EXPECT_FALSE(ini.accessValue("S", "Neg", byte, false));
    EXPECT_EQ(byte, 9);
    EXPECT_TRUE(ini.accessValue("S", "Even", byte, false));
    EXPECT_EQ(byte, 254);

    std::int16_t shortNumber = 3;
    EXPECT_TRUE(ini.accessValue("S", "Big", shortNumber, false));
    EXPECT_EQ(shortNumber, 300);
    EXPECT_FALSE(ini.accessValue("S", "Huge", shortNumber, false));
    EXPECT_EQ(shortNumber, 300);

    float single = 1.0f;
    EXPECT_FALSE(ini.accessValue("S", "Huge", single, false));
    EXPECT_EQ(single, 1.0f);
    double real = 1.0;
    EXPECT_FALSE(ini.accessValue("S", "Huge", real, false));
    EXPECT_EQ(real, 1.0);
    EXPECT_TRUE(ini.accessValue("S", "Half", real, false));
    EXPECT_EQ(real, 2.5);
}

TEST_F(IniTest, WritingUsesPlainForms) {
    IniFile ini;
    ini.initFile("w.ini");
    bool yes = true, no = false;
    std::int16_t negative = -120;
    std::uint8_t byte = 100;
    float single = 0.1f;
    double real = -0.25;
    std::string text = " 1440";
    EXPECT_TRUE(ini.accessValue("S", "Yes", yes, true));
    EXPECT_TRUE(ini.accessValue("S", "No", no, true));
    EXPECT_TRUE(ini.accessValue("S", "Neg", negative, true));
    EXPECT_TRUE(ini.accessValue("S", "Byte", byte, true));
    EXPECT_TRUE(ini.accessValue("S", "Single", single, true));
    float twips = 1234.5f;
    EXPECT_TRUE(ini.accessValue("S", "Twips", twips, true));
    EXPECT_TRUE(ini.accessValue("S", "Real", real, true));
    EXPECT_TRUE(ini.accessValue("S", "MainL", text, true));
    EXPECT_EQ(get("w.ini"), "[S]\r\nYes=True\r\nNo=False\r\nNeg=-120\r\nByte=100\r\n"
                            "Single=0.1\r\nTwips=1234.5\r\nReal=-0.25\r\nMainL= 1440\r\n");
    // The blank of the sign-position form is dropped again on reading.
    float position = 0;
    EXPECT_TRUE(ini.accessValue("S", "MainL", position, false));
    EXPECT_EQ(position, 1440.0f);
}

TEST_F(IniTest, LongValuesAreCutAt199Characters) {
    const std::string ascii(250, 'x');
    std::string japanese;
    for (int i = 0; i < 250; ++i)
        japanese += "\u3042"; // あ, two bytes in CP932
    IniFile ini;
    ini.initFile("long.ini");
    ASSERT_TRUE(ini.writeText("S", "A", ascii));
    ASSERT_TRUE(ini.writeText("S", "J", japanese));
    EXPECT_EQ(ini.valueText("S", "A", ""), std::string(199, 'x'));
    const std::string cut = ini.valueText("S", "J", "");
    EXPECT_EQ(cut, japanese.substr(0, 199 * 3)); // 199 characters, three UTF-8 bytes each
    std::string text;
    ini.accessValue("S", "A", text, false);
    EXPECT_EQ(text.size(), 199u);
}

TEST_F(IniTest, PrivateProfileSyntax) {
    put("p.ini", "; settings\r\n"
                 "[Form]\r\n"
                 "  mainl   =   120  \r\n"
                 "Quoted=\"  spaced  \"\r\n"
                 "Twice=\"\"a\"\"\r\n"
                 "Open=\"abc\r\n"
                 "NoEquals\r\n"
                 "[  ＦＯＲＭ  ]\r\n"
                 "K=wide\r\n"
                 "[picture]\r\n"
                 "Width=640\r\n");
    IniFile ini;
    ini.initFile("p.ini");
    EXPECT_EQ(ini.valueText("FORM", "MainL", ""), "120");
    EXPECT_EQ(ini.valueText("Form", "MAINL", ""), "120");
    EXPECT_EQ(ini.valueText("Picture", "width", ""), "640");
    EXPECT_EQ(ini.valueText("Form", "Quoted", ""), "  spaced  ");
    EXPECT_EQ(ini.valueText("Form", "Twice", ""), "\"a\"");
    EXPECT_EQ(ini.valueText("Form", "Open", ""), "\"abc");
    EXPECT_EQ(ini.valueText("Form", "NoEquals", "d"), "d");
    // Full-width letters are not folded: they are a different section.
    EXPECT_EQ(ini.valueText("Form", "K", "none"), "none");
    EXPECT_EQ(ini.valueText("ＦＯＲＭ", "k", ""), "wide");
    EXPECT_EQ(ini.valueText("ｆｏｒｍ", "k", "none"), "none");
    EXPECT_EQ(ini.valueText("Form", "; settings", "none"), "none");
}

TEST_F(IniTest, RewritingKeepsEverythingElse) {
    put("r.ini", "; comment kept\r\n"
                 "[Form]\r\n"
                 "MainL= 100\r\n"
                 "Unknown=keep me\r\n"
                 "\r\n"
                 "[Picture]\r\n"
                 "Width= 640\r\n");
    IniFile ini;
    ini.initFile("r.ini");
    ASSERT_TRUE(ini.writeText("FORM", "mainl", " 200"));
    ASSERT_TRUE(ini.writeText("Form", "MainT", " 300"));   // new key, end of its section
    ASSERT_TRUE(ini.writeText("App", "ExistINI", "True")); // new section, end of file
    EXPECT_EQ(get("r.ini"), "; comment kept\r\n"
                            "[Form]\r\n"
                            "MainL= 200\r\n"
                            "Unknown=keep me\r\n"
                            "MainT= 300\r\n"
                            "\r\n"
                            "[Picture]\r\n"
                            "Width= 640\r\n"
                            "[App]\r\n"
                            "ExistINI=True\r\n");
}

TEST_F(IniTest, UnwritableNamesAndLineBreaksCannotBreakTheFile) {
    IniFile ini;
    ini.initFile("n.ini");
    EXPECT_FALSE(ini.writeText("S", "a=b", "1"));
    EXPECT_FALSE(ini.writeText("S]", "a", "1"));
    EXPECT_FALSE(ini.writeText("S", ";a", "1"));
    EXPECT_FALSE(ini.writeText("", "a", "1"));
    EXPECT_FALSE(fs::exists(file("n.ini")));
    EXPECT_TRUE(ini.writeText("S", "a", "one\r\n[Evil]\r\nb=2"));
    EXPECT_EQ(get("n.ini"), "[S]\r\na=one\r\n");
}

TEST_F(IniTest, Cp932FileIsReadAndRewrittenByteExactly) {
    // [色セット] / 名前=波～線―テスト / Count= 3, in CP932, with a comment and an unknown key.
    const std::string original = "; \x83\x52\x83\x81\x83\x93\x83\x67\r\n"
                                 "[\x90\x46\x83\x5A\x83\x62\x83\x67]\r\n"
                                 "\x96\xBC\x91\x4F=\x94\x67\x81\x60\x90\xFC\x81\x5C\x83\x65\x83\x58"
                                 "\x83\x67\r\n"
                                 "Count= 3\r\n";
    put("c.ini", original);
    IniFile ini;
    ini.initFile("c.ini");
    EXPECT_EQ(ini.valueText("色セット", "名前", ""), "波\uFF5E線\u2015テスト");
    EXPECT_EQ(ini.valueText("色セット", "count", ""), "3");

    ASSERT_TRUE(ini.writeText("色セット", "Count", " 3"));
    EXPECT_EQ(get("c.ini"), original);
    // The wave dash and the em dash share those bytes with the characters above and would
    // read back as them: the file turns to UTF-8 and keeps the name as typed.
    ASSERT_TRUE(ini.writeText("色セット", "名前", "波\u301C線\u2014テスト"));
    EXPECT_EQ(get("c.ini"), "; コメント\r\n[色セット]\r\n名前=波\u301C線\u2014テスト\r\nCount= 3\r\n");
    EXPECT_EQ(ini.valueText("色セット", "名前", ""), "波\u301C線\u2014テスト");
}

TEST_F(IniTest, EveryWriteIsAtomicAndProtectsWhatItCannotRead) {
    put("ro.ini", "[S]\r\nK=old\r\n");
    fs::permissions(file("ro.ini"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    IniFile ini;
    ini.initFile("ro.ini");
    EXPECT_FALSE(ini.writeText("S", "K", "new"));
    EXPECT_EQ(get("ro.ini"), "[S]\r\nK=old\r\n");
    EXPECT_TRUE(ini.clearAll()); // an error code: the protected file is not emptied
    ini.setArchiveAttribute();
    EXPECT_TRUE(ini.writeText("S", "K", "new"));
    EXPECT_EQ(get("ro.ini"), "[S]\r\nK=new\r\n");
    EXPECT_FALSE(ini.clearAll());
    EXPECT_EQ(get("ro.ini"), "");

    IniFile missing;
    missing.initFile("gone.ini");
    missing.setArchiveAttribute(); // no file: silently nothing
    EXPECT_FALSE(fs::exists(file("gone.ini")));

    // A path that cannot be read as a file is never replaced.
    fs::create_directory(file("dir.ini"));
    IniFile folder;
    folder.initFile("dir.ini");
    std::int32_t value = 1;
    EXPECT_FALSE(folder.accessValue("S", "K", value, true));
    EXPECT_TRUE(fs::is_directory(file("dir.ini")));
    EXPECT_TRUE(folder.beginBatch()); // an error: nothing to batch on

    IniFile noFolder;
    noFolder.initFile("no/such/folder/x.ini");
    EXPECT_FALSE(noFolder.writeText("S", "K", "v"));

    // No temporary files are left behind.
    for (const auto& entry : fs::directory_iterator(home_))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(IniTest, BatchWritesTheFileOnceAtTheEnd) {
    put("b.ini", "[Old]\r\nKeep=1\r\n[S]\r\nA=0\r\n");
    IniFile ini;
    ini.initFile("b.ini");
    ASSERT_FALSE(ini.beginBatch());
    EXPECT_TRUE(ini.inBatch());
    std::int32_t a = 5;
    bool b = true;
    EXPECT_TRUE(ini.accessValue("S", "A", a, true));
    EXPECT_TRUE(ini.accessValue("S", "B", b, true));
    EXPECT_EQ(get("b.ini"), "[Old]\r\nKeep=1\r\n[S]\r\nA=0\r\n"); // nothing written yet
    std::int32_t readBack = 0;
    EXPECT_TRUE(ini.accessValue("s", "a", readBack, false));
    EXPECT_EQ(readBack, 5); // reads see the pending content
    ASSERT_FALSE(ini.commitBatch());
    EXPECT_FALSE(ini.inBatch());
    EXPECT_EQ(get("b.ini"), "[Old]\r\nKeep=1\r\n[S]\r\nA=5\r\nB=True\r\n");

    // Clearing inside a batch replaces the whole file only when committed.
    ASSERT_FALSE(ini.beginBatch());
    EXPECT_FALSE(ini.clearAll());
    EXPECT_TRUE(ini.writeText("New", "K", "v"));
    EXPECT_EQ(get("b.ini"), "[Old]\r\nKeep=1\r\n[S]\r\nA=5\r\nB=True\r\n");
    ASSERT_FALSE(ini.commitBatch());
    EXPECT_EQ(get("b.ini"), "[New]\r\nK=v\r\n");

    // A discarded batch leaves the file alone.
    ASSERT_FALSE(ini.beginBatch());
    EXPECT_TRUE(ini.writeText("New", "K", "changed"));
    ini.discardBatch();
    EXPECT_EQ(ini.valueText("New", "K", ""), "v");
}
