#include "TempFolder.h"

#include "common/Clamps.h"
#include "common/ColorValue.h"
#include "common/KeyFilters.h"
#include "common/MemoryAmount.h"
#include "common/OrderedAhead.h"
#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "common/Result.h"
#include "common/UiText.h"
#include "common/WorkPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace wavory;

TEST(PathText, SplitsOnSlash) {
    EXPECT_EQ(folderPart("/a/b.txt"), "/a/");
    EXPECT_EQ(folderPart("b.txt"), "");
    EXPECT_EQ(folderPart("/"), "/");

    EXPECT_EQ(extensionPart("/a.b/c"), "") << "that dot belongs to a folder";
    EXPECT_EQ(extensionPart("x.CST"), "CST");
    EXPECT_EQ(extensionPart(".cst"), "");
    EXPECT_EQ(extensionPart("/a/wave.tar.gz"), "gz");
    EXPECT_EQ(extensionPart("/a/b."), "");

    EXPECT_EQ(withoutExtension("/a/wave.jpg"), "/a/wave");
    EXPECT_EQ(withoutExtension("/a.b/c"), "/a.b/c");
    EXPECT_EQ(withoutExtension(".cst"), ".cst");
    EXPECT_EQ(withoutExtension("x.CST"), "x");

    EXPECT_EQ(fileNamePart("/a/b.txt"), "b.txt");
    EXPECT_EQ(fileNamePart("b.txt"), "b.txt") << "a bare name keeps its first character";
    EXPECT_EQ(fileNamePart("/a/"), "");

    EXPECT_EQ(withTrailingSlash("/"), "/");
    EXPECT_EQ(withTrailingSlash("/a"), "/a/");
    EXPECT_EQ(withTrailingSlash("/a/"), "/a/");
}

TEST(PathText, BlankArgumentsGiveEmptyResults) {
    for (const char* blank : {"", " ", "   "}) {
        EXPECT_EQ(withTrailingSlash(blank), "");
        EXPECT_EQ(folderPart(blank), "");
        EXPECT_EQ(fileNamePart(blank), "");
        EXPECT_EQ(withoutExtension(blank), "");
        EXPECT_EQ(extensionPart(blank), "");
        EXPECT_FALSE(hasNoWildcards(blank));
    }
    EXPECT_EQ(folderPart(" /a"), " /") << "only an all-blank text counts as empty";
}

TEST(PathText, SymbolsBlanksAndBuffers) {
    EXPECT_TRUE(hasNoWildcards("/home/u/色セット.cst"));
    EXPECT_FALSE(hasNoWildcards("/home/u/*.cst"));
    EXPECT_FALSE(hasNoWildcards("/home/u/a?.cst"));

    EXPECT_EQ(withoutBlanks(" a b\u3000c\td\u3000 "), "abc\td");
    EXPECT_EQ(withoutBlanks("\u3000\u3000"), "");
    EXPECT_EQ(withoutBlanks("新規"), "新規") << "other characters sharing bytes stay";

    EXPECT_EQ(trimmedBeforeNul(std::string("  /usr/lib  \0garbage  ", 22)), "/usr/lib");
    EXPECT_EQ(trimmedBeforeNul(std::string("\0abc", 4)), "");
    EXPECT_EQ(trimmedBeforeNul("\tx "), "\tx") << "only blanks are trimmed";
}

TEST(KeyFilters, KeepOnlyNumericKeys) {
    for (int c : {int{'0'}, int{'5'}, int{'9'}, 8}) {
        EXPECT_EQ(filterNumberKey(c), c);
        EXPECT_EQ(filterDigitKey(c), c);
    }
    EXPECT_EQ(filterNumberKey('-'), '-');
    EXPECT_EQ(filterNumberKey('.'), '.');
    EXPECT_EQ(filterDigitKey('-'), 0);
    EXPECT_EQ(filterDigitKey('.'), 0);
    for (int c :
         {int{'a'}, int{'E'}, int{'+'}, int{' '}, int{','}, int{'/'}, int{':'}, 13, 0xFF11}) {
        EXPECT_EQ(filterNumberKey(c), 0) << c;
        EXPECT_EQ(filterDigitKey(c), 0) << c;
    }
}

TEST(Clamps, NumbersAndFieldTexts) {
    EXPECT_EQ(atLeastZero(-5), 0);
    EXPECT_EQ(atLeastZero(7), 7);
    EXPECT_EQ(atLeastZero(-0.5), 0.0);
    EXPECT_EQ(clampToRange(15, 1, 10), 10);
    EXPECT_EQ(clampToRange(-3, 1, 10), 1);
    EXPECT_EQ(clampToRange(4, 1, 10), 4);
    EXPECT_EQ(clampPositive(0), 1);
    EXPECT_EQ(clampPositive(-7), 1);
    EXPECT_EQ(clampPositive(1000000), 999999);
    EXPECT_EQ(clampNonNegative(-1), 0);
    EXPECT_EQ(clampNonNegative(0), 0);
    EXPECT_EQ(clampNonNegative(INT32_MAX), 999999);

    EXPECT_EQ(clampFieldText("1500", 999, 1), "999");
    EXPECT_EQ(clampFieldText("0", 999, 1), "1");
    EXPECT_EQ(clampFieldText("abc", 999, 1), "1");
    EXPECT_EQ(clampFieldText("abc", 999), "abc") << "without a lower bound";
    EXPECT_EQ(clampFieldText(" 12x", 999, 1), " 12x") << "a text in range is kept as typed";
    EXPECT_EQ(clampFieldText("1000000", 999999, 1), "999999");
    EXPECT_EQ(clampFieldText("999999", 999999, 1), "999999");
    EXPECT_EQ(clampFieldText("-3", 999999), "-3");
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

TEST(MemoryAmount, AvailableMemoryAndTheRefusalOfMore) {
    EXPECT_EQ(memAvailableIn("MemTotal:  9000 kB\nMemFree:   100 kB\nMemAvailable:    2048 kB\n"),
              std::optional<std::uint64_t>(2048 * 1024));
    for (const char* unknown : {"MemTotal:  9000 kB\n", "MemAvailable: 12\n", "MemAvailable: x kB"})
        EXPECT_EQ(memAvailableIn(unknown), std::nullopt) << unknown;
    // Exactly what is there fits; nothing known refuses nothing.
    EXPECT_TRUE(memoryRefusal(5 << 20, 5 << 20).ok());
    EXPECT_TRUE(memoryRefusal(std::uint64_t{1} << 50, std::nullopt).ok());
    const Result refused = memoryRefusal((std::uint64_t{3} << 30) + 1, 700 << 20);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.failureMessage()->text.find("約 3.0 GB のメモリが必要ですが、使えるのは 700 MB"),
              std::string::npos)
        << refused.failureMessage()->text;
}

TEST(ColorValue, ChannelsOfA24BitValue) {
    constexpr std::int32_t c = 0x123456;
    EXPECT_EQ(redOf(c), 0x56);
    EXPECT_EQ(greenOf(c), 0x34);
    EXPECT_EQ(blueOf(c), 0x12);
    EXPECT_EQ(rgbValue(255, 0, 0), 255);
    EXPECT_EQ(rgbValue(0, 0, 255), 16711680);
    EXPECT_EQ(rgbValue(0x56, 0x34, 0x12), c);
    EXPECT_EQ(rgbValue(300, -4, 255), 255 + 65536 * 255);
    EXPECT_EQ(blueOf(16777215), 255);
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
        const std::string path = programFolder();
        EXPECT_EQ(path, (root / "prog").string() + "/");
        EXPECT_FALSE(std::filesystem::exists(root / "prog")) << "a look-up creates nothing";
        EXPECT_FALSE(ensureProgramFolder());
        EXPECT_TRUE(std::filesystem::is_directory(root / "prog"));
    }
    {
        ScopedEnv home("WAVORY_HOME", std::nullopt);
        ScopedEnv config("XDG_CONFIG_HOME", (root / "cfg").string());
        EXPECT_EQ(programFolder(), (root / "cfg" / "wavory").string() + "/");
    }
    {
        ScopedEnv home("WAVORY_HOME", "");
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv user("HOME", (root / "user").string());
        EXPECT_EQ(programFolder(), (root / "user" / ".config" / "wavory").string() + "/");
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

TEST(WorkPool, EveryPartOnceAndTheFirstFailureAfterTheOthersEnded) {
    for (unsigned threads : {0u, 1u, 3u}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        WorkPool pool(threads);
        std::vector<std::atomic<int>> calls(100);
        pool.forEach(calls.size(), [&](std::size_t i) { ++calls[i]; });
        for (const auto& c : calls)
            EXPECT_EQ(c.load(), 1);

        std::atomic<int> running{0};
        EXPECT_THROW(pool.forEach(50,
                                  [&](std::size_t i) {
                                      ++running;
                                      std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                      --running;
                                      if (i == 3)
                                          throw std::bad_alloc();
                                  }),
                     std::bad_alloc);
        EXPECT_EQ(running.load(), 0) << "a part still ran when the failure came back";

        std::future<int> fails = pool.submit([]() -> int { throw std::runtime_error("disk"); });
        EXPECT_THROW(fails.get(), std::runtime_error);
        EXPECT_EQ(pool.submit([] { return 7; }).get(), 7);
    }
}

TEST(WorkPool, TasksBeginInOrderAndALoopInsideATaskEnds) {
    WorkPool pool(1);
    std::mutex mutex;
    std::vector<int> order;
    std::vector<std::future<void>> done;
    for (int i = 0; i < 20; ++i)
        done.push_back(pool.submit([&, i] {
            const std::lock_guard lock(mutex);
            order.push_back(i);
        }));
    // The only thread runs a loop that asks the busy pool for help, twice nested.
    std::atomic<int> parts{0};
    auto nested = pool.submit([&] {
        pool.forEach(4, [&](std::size_t) { pool.forEach(5, [&](std::size_t) { ++parts; }); });
    });
    ASSERT_EQ(nested.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    nested.get();
    EXPECT_EQ(parts.load(), 20);
    for (auto& d : done)
        d.get();
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i)
        expected[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(order, expected);
}

TEST(OrderedAhead, TakesInOrderNeverTooFarAheadAndStops) {
    for (unsigned threads : {0u, 2u}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        WorkPool pool(threads);
        std::atomic<std::size_t> taken{0};
        std::atomic<bool> tooFar{false};
        std::vector<std::size_t> seen;
        computeAhead<std::size_t>(
            pool, 40, 3,
            [&](std::size_t i) {
                if (i > taken.load() + 3) // the pool sees an item taken just before its consumer
                    tooFar = true;
                return i * 10;
            },
            [&](std::size_t i, std::size_t&& item) {
                EXPECT_EQ(item, i * 10);
                std::this_thread::sleep_for(std::chrono::milliseconds(1)); // a slow consumer
                seen.push_back(i);
                taken = i + 1;
                return i < 29;
            });
        EXPECT_EQ(seen.size(), 30u) << "the consumer stopped after item 29";
        EXPECT_FALSE(tooFar.load());

        std::atomic<int> made{0};
        std::size_t failAt = 5;
        const auto produce = [&](std::size_t i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (i == failAt)
                throw std::runtime_error("no memory");
            ++made;
            return static_cast<int>(i);
        };
        {
            OrderedAhead<int> items(pool, 1000, produce, 1000, 2);
            std::this_thread::sleep_for(std::chrono::milliseconds(30)); // the helpers run ahead
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(items.take(), i);
            EXPECT_THROW(items.take(), std::runtime_error);
            EXPECT_LT(made.load(), 10) << "items went on after the failure";
        }
        made = 0;
        failAt = 1000;
        {
            OrderedAhead<int> items(pool, 1000, produce, 1000, 2);
            EXPECT_EQ(items.take(), 0);
        }
        const int after = made.load();
        EXPECT_LT(after, 100) << "the series was made to the end after it was stopped";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(made.load(), after) << "an item began after the series was stopped";
    }
}
