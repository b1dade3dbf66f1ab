#include "TempFolder.h"

#include "common/Clamps.h"
#include "common/ColorValue.h"
#include "common/KeyFilters.h"
#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "common/Result.h"
#include "common/UiText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace wavory;

TEST(PathText, SplitsOnSlash) {
    EXPECT_EQ(TrimDir("/a/b.txt"), "/a/");
    EXPECT_EQ(TrimDir("b.txt"), "");
    EXPECT_EQ(TrimDir("/"), "/");

    EXPECT_EQ(TrimExt("/a.b/c"), "") << "that dot belongs to a folder";
    EXPECT_EQ(TrimExt("x.CST"), "CST");
    EXPECT_EQ(TrimExt(".cst"), "");
    EXPECT_EQ(TrimExt("/a/wave.tar.gz"), "gz");
    EXPECT_EQ(TrimExt("/a/b."), "");

    EXPECT_EQ(TrimDirFname("/a/wave.jpg"), "/a/wave");
    EXPECT_EQ(TrimDirFname("/a.b/c"), "/a.b/c");
    EXPECT_EQ(TrimDirFname(".cst"), ".cst");
    EXPECT_EQ(TrimDirFname("x.CST"), "x");

    EXPECT_EQ(TrimFnameExt("/a/b.txt"), "b.txt");
    EXPECT_EQ(TrimFnameExt("b.txt"), "b.txt") << "a bare name keeps its first character";
    EXPECT_EQ(TrimFnameExt("/a/"), "");

    EXPECT_EQ(ChkPathBS("/"), "/");
    EXPECT_EQ(ChkPathBS("/a"), "/a/");
    EXPECT_EQ(ChkPathBS("/a/"), "/a/");
}

TEST(PathText, BlankArgumentsGiveEmptyResults) {
    for (const char* blank : {"", " ", "   "}) {
        EXPECT_EQ(ChkPathBS(blank), "");
        EXPECT_EQ(TrimDir(blank), "");
        EXPECT_EQ(TrimFnameExt(blank), "");
        EXPECT_EQ(TrimDirFname(blank), "");
        EXPECT_EQ(TrimExt(blank), "");
        EXPECT_FALSE(CheckPathBadSymbol(blank));
    }
    EXPECT_EQ(TrimDir(" /a"), " /") << "only an all-blank text counts as empty";
}

TEST(PathText, SymbolsBlanksAndBuffers) {
    EXPECT_TRUE(CheckPathBadSymbol("/home/u/色セット.cst"));
    EXPECT_FALSE(CheckPathBadSymbol("/home/u/*.cst"));
    EXPECT_FALSE(CheckPathBadSymbol("/home/u/a?.cst"));

    EXPECT_EQ(RemoveSpace(" a b\u3000c\td\u3000 "), "abc\td");
    EXPECT_EQ(RemoveSpace("\u3000\u3000"), "");
    EXPECT_EQ(RemoveSpace("新規"), "新規") << "other characters sharing bytes stay";

    EXPECT_EQ(VBHTTrim(std::string("  /usr/lib  \0garbage  ", 22)), "/usr/lib");
    EXPECT_EQ(VBHTTrim(std::string("\0abc", 4)), "");
    EXPECT_EQ(VBHTTrim("\tx "), "\tx") << "only blanks are trimmed";
}

TEST(KeyFilters, KeepOnlyNumericKeys) {
    for (int c : {int{'0'}, int{'5'}, int{'9'}, 8}) {
        EXPECT_EQ(CheckNum(c), c);
        EXPECT_EQ(CheckNumInt(c), c);
    }
    EXPECT_EQ(CheckNum('-'), '-');
    EXPECT_EQ(CheckNum('.'), '.');
    EXPECT_EQ(CheckNumInt('-'), 0);
    EXPECT_EQ(CheckNumInt('.'), 0);
    for (int c :
         {int{'a'}, int{'E'}, int{'+'}, int{' '}, int{','}, int{'/'}, int{':'}, 13, 0xFF11}) {
        EXPECT_EQ(CheckNum(c), 0) << c;
        EXPECT_EQ(CheckNumInt(c), 0) << c;
    }
}

TEST(Clamps, NumbersAndFieldTexts) {
    EXPECT_EQ(Check0(-5), 0);
    EXPECT_EQ(Check0(7), 7);
    EXPECT_EQ(Check0(-0.5), 0.0);
    EXPECT_EQ(CheckRange(15, 1, 10), 10);
    EXPECT_EQ(CheckRange(-3, 1, 10), 1);
    EXPECT_EQ(CheckRange(4, 1, 10), 4);
    EXPECT_EQ(ClampPositive(0), 1);
    EXPECT_EQ(ClampPositive(-7), 1);
    EXPECT_EQ(ClampPositive(1000000), 999999);
    EXPECT_EQ(ClampNonNegative(-1), 0);
    EXPECT_EQ(ClampNonNegative(0), 0);
    EXPECT_EQ(ClampNonNegative(INT32_MAX), 999999);

    EXPECT_EQ(CheckTextRange("1500", 999, 1), "999");
    EXPECT_EQ(CheckTextRange("0", 999, 1), "1");
    EXPECT_EQ(CheckTextRange("abc", 999, 1), "1");
    EXPECT_EQ(CheckTextRange("abc", 999), "abc") << "without a lower bound";
    EXPECT_EQ(CheckTextRange(" 12x", 999, 1), " 12x") << "a text in range is kept as typed";
    EXPECT_EQ(CheckTextRange("1000000", 999999, 1), "999999");
    EXPECT_EQ(CheckTextRange("999999", 999999, 1), "999999");
    EXPECT_EQ(CheckTextRange("-3", 999999), "-3");
}

TEST(Result, WarningsComeBeforeTheFailureInOrder) {
    const UserMessage first{MessageIcon::Exclamation, "first"};
    const UserMessage second{MessageIcon::Exclamation, "second"};
    const UserMessage fatal{MessageIcon::Critical, "fatal"};
    Result outcome;
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.failureMessage(), nullptr);
    outcome.warn(first);
    Result inner;
    inner.warn(second);
    outcome.append(inner);
    EXPECT_TRUE(outcome.ok()) << "warnings do not fail";
    outcome.append(Result::failure(fatal));
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.messages(), (std::vector<UserMessage>{first, second, fatal}));
    ASSERT_NE(outcome.failureMessage(), nullptr);
    EXPECT_EQ(*outcome.failureMessage(), fatal);
}

TEST(ColorValue, ChannelsOfA24BitValue) {
    constexpr std::int32_t c = 0x123456;
    EXPECT_EQ(RedOf(c), 0x56);
    EXPECT_EQ(GreenOf(c), 0x34);
    EXPECT_EQ(BlueOf(c), 0x12);
    EXPECT_EQ(rgbValue(255, 0, 0), 255);
    EXPECT_EQ(rgbValue(0, 0, 255), 16711680);
    EXPECT_EQ(rgbValue(0x56, 0x34, 0x12), c);
    EXPECT_EQ(rgbValue(300, -4, 255), 255 + 65536 * 255);
    EXPECT_EQ(BlueOf(16777215), 255);
}

namespace {

// Sets or removes an environment variable for one test and puts it back afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(ProgramFolder, ComesFromTheEnvironmentAndIsCreated) {
    const wavory::testing::TempFolder temp;
    const std::filesystem::path& root = temp.path();
    {
        ScopedEnv home("WAVORY_HOME", (root / "prog").string() + "//");
        const std::string path = GetPath();
        EXPECT_EQ(path, (root / "prog").string() + "/");
        EXPECT_FALSE(std::filesystem::exists(root / "prog")) << "a look-up creates nothing";
        EXPECT_FALSE(ensureProgramFolder());
        EXPECT_TRUE(std::filesystem::is_directory(root / "prog"));
    }
    {
        ScopedEnv home("WAVORY_HOME", std::nullopt);
        ScopedEnv config("XDG_CONFIG_HOME", (root / "cfg").string());
        EXPECT_EQ(GetPath(), (root / "cfg" / "wavory").string() + "/");
    }
    {
        ScopedEnv home("WAVORY_HOME", "");
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv user("HOME", (root / "user").string());
        EXPECT_EQ(GetPath(), (root / "user" / ".config" / "wavory").string() + "/");
    }
}

TEST(UiText, TemplatesAreFilledAfterTranslation) {
    EXPECT_EQ(fillText("%2 / %1 %", {"a", "b"}), "b / a %");
    EXPECT_EQ(fillText("%1%1 %3 %x 100%", {"7"}), "77 %3 %x 100%")
        << "a place without argument stays";
    EXPECT_EQ(fillText("'%1'", {"%2 %1"}), "'%2 %1'") << "arguments are not filled again";

    EXPECT_EQ(UiText::tr("名前"), "名前") << "Japanese without a translator";
    setTextTranslator([](std::string_view japanese) {
        return japanese == "%1 個" ? std::string("%1 items") : std::string(japanese);
    });
    EXPECT_EQ(fillText(UiText::tr("%1 個"), {"3"}), "3 items");
    setTextTranslator(nullptr);
    EXPECT_EQ(UiText::tr("%1 個"), "%1 個");
}
