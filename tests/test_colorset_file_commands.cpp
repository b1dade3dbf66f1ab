// Loading a color set file, the start-up decision on "default.cst", and the two save
// commands with their failures.
#include "ColorSetFileFixture.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetFile.h"
#include "colorsets/ColorSetFileCommands.h"
#include "io/clsINI.h"

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
    if (sets.getgColorCount() != static_cast<int>(builtins.size()))
        return false;
    for (int i = 0; i < sets.getgColorCount(); ++i) {
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
    InitColors(sets);
    ASSERT_TRUE(saveAllColorSetsFile(file("all.cst"), sets).ok());

    const auto result = record(LoadColorSetFile(file("all.cst"), sets));
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(sameAsBuiltins(sets));
    std::string names;
    for (const auto& set : builtinColorSets())
        names += (names.empty() ? "" : ", ") + set.name;
    EXPECT_EQ(result.dropped, names);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], (UserMessage{MessageIcon::Exclamation, kDuplicatesHead + names}));
    EXPECT_EQ(sets.selectedIndex(), sets.getgColorCount() - 1);
}

TEST_F(ColorSetFileTest, LoadingTakesAQuotedPathAndSelectsTheLastSet) {
    fs::create_directory(file("with blank"));
    put("with blank/one.cst", crlf(setSection(0, "新しい", 8, {{1, 2, 3}, {4, 5, 6}})));
    auto sets = collection();
    InitColors(sets);

    const auto result = record(LoadColorSetFile("\"" + file("with blank/one.cst") + "\"", sets));
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.dropped, "");
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(sets.getgColorCount(), 15);
    EXPECT_EQ(sets.at(14).name, "新しい");
    EXPECT_EQ(sets.selectedIndex(), 14);

    // A file with no set in it changes nothing but the selection.
    put("empty.cst", "");
    sets.select(0);
    EXPECT_FALSE(record(LoadColorSetFile("empty.cst", sets)).error); // program folder
    EXPECT_EQ(sets.getgColorCount(), 15);
    EXPECT_EQ(sets.selectedIndex(), 14);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ColorSetFileTest, LoadingAFileThatCannotBeReadSaysSoAndChangesNothing) {
    fs::create_directory(file("folder.cst"));
    for (const std::string name : {"missing.cst", "folder.cst"}) {
        SCOPED_TRACE(name);
        messages_.clear();
        auto sets = collection();
        InitColors(sets);
        sets.select(3);
        const auto result = record(LoadColorSetFile(file(name), sets));
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
    clsINI ini;
    ini.InitINI(kCollectionFileName);
    auto sets = collection();
    addSet(sets, "left over", 8, {{0, 0, 0}, {1, 1, 1}});

    EXPECT_EQ(record(readColorSetsAtStartup(ini, sets)).source, StartupColorSets::FromFile);
    ASSERT_EQ(sets.getgColorCount(), 3);
    EXPECT_EQ(sets.at(0).name, "同じ");
    EXPECT_EQ(sets.at(1).name, "同じ_02");
    EXPECT_EQ(sets.at(2).name, "別");
    EXPECT_EQ(sets.selectedIndex(), 0);
    EXPECT_TRUE(messages_.empty());

    // At exit the collection is written back, and the next start reads the same sets.
    ASSERT_FALSE(WriteAllColorSets(ini, sets));
    auto next = collection();
    EXPECT_EQ(record(readColorSetsAtStartup(ini, next)).source, StartupColorSets::FromFile);
    ASSERT_EQ(next.getgColorCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(next.at(i).name, sets.at(i).name);
        EXPECT_TRUE(sameColors(next.at(i), sets.at(i)));
    }
}

TEST_F(ColorSetFileTest, StartUpWithoutACollectionGivesTheBuiltinSetsQuietly) {
    clsINI ini;
    ini.InitINI(kCollectionFileName);
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
    clsINI ini;
    ini.InitINI(kCollectionFileName);
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
    InitColors(sets);
    put("locked.cst", "old");
    fs::permissions(file("locked.cst"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(saveColorSetFile(file("locked.cst"), sets, 0).ok());
    auto back = collection();
    readColorSetsFromBytes(get("locked.cst"), back, false);
    ASSERT_EQ(back.getgColorCount(), 1);
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
    InitColors(sets);
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
