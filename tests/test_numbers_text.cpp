#include "TempFolder.h"

#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/Numbers.h"
#include "common/UiText.h"
#include "io/AtomicFile.h"
#include "io/ParamTextFile.h"
#include "io/SetAside.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace wavory;

TEST(Numbers, RoundsHalfToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(127.5), 128.0);
    EXPECT_EQ(roundToInt32(200.5), 200);
    EXPECT_EQ(roundToInt32(201.5), 202);
    EXPECT_EQ(roundToInt32(1e20), INT32_MAX);
}

TEST(Numbers, LeadingNumberIsTolerant) {
    EXPECT_EQ(leadingNumber("  12abc"), 12.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("-5"), -5.0);
    EXPECT_EQ(leadingNumber("1.3"), 1.3);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1e3x"), 1000.0);
    EXPECT_EQ(leadingNumber("2e"), 2.0);
    EXPECT_EQ(leadingNumber("- 5"), 0.0);
    EXPECT_EQ(leadingNumber(" 4 "), 4.0);
    EXPECT_EQ(leadingNumber("0x10"), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingInt32("200.5"), 200);
    EXPECT_EQ(leadingInt32("99999999999999"), INT32_MAX);
}

TEST(Numbers, StrictConversionsRejectNonNumbers) {
    EXPECT_EQ(strictInt32(" 42 "), 42);
    EXPECT_EQ(strictInt32("2.5"), 2);
    EXPECT_FALSE(strictInt32(""));
    EXPECT_FALSE(strictInt32("12abc"));
    EXPECT_FALSE(strictInt32("[位相のずれ]"));
    EXPECT_FALSE(strictInt32("3000000000"));
}

TEST(Numbers, TextForms) {
    EXPECT_EQ(plainDecimal(640.0), "640");
    EXPECT_EQ(plainDecimal(4.5), "4.5");
    EXPECT_EQ(plainDecimal(-3.0), "-3");
    EXPECT_EQ(plainDecimal(0.1 * 3), "0.3");
    EXPECT_EQ(plainDecimal(1e20), "1E+20");
    EXPECT_EQ(signPositionForm(3), " 3");
    EXPECT_EQ(signPositionForm(0), " 0");
    EXPECT_EQ(signPositionForm(-3), "-3");
}

TEST(TextCodec, ReadsUtf8AndCp932) {
    // "虹" in CP932 is 0x93 0xF8.
    EXPECT_EQ(textcodec::decodeFileText("\x93\xF8"), "虹");
    EXPECT_EQ(textcodec::decodeFileText("虹"), "虹");
    EXPECT_EQ(textcodec::decodeFileText("\xEF\xBB\xBF" "abc"), "abc");
    EXPECT_EQ(textcodec::decodeFileText("a\xFF" "b"), "a\uFFFD" "b");
}

TEST(TextCodec, WritesCp932OnlyWhenTheTextReadsBackUnchanged) {
    // What CP932 text decodes to is written back byte-exactly.
    const std::string cp932 = "\x81\x60\x81\x5C\x93\xF8";
    const std::string text = textcodec::decodeFileText(cp932);
    EXPECT_EQ(textcodec::encodeFileText(text), cp932);
    EXPECT_EQ(textcodec::encodeFileText("波\uFF5E"), "\x94\x67\x81\x60");
    // A character that shares its CP932 code with another one (and would read back as
    // that one), or has none, keeps the whole text in UTF-8.
    for (const char* text : {"波\u301C", "\u2016", "\u2212", "\u00A2", "\u00A3", "\u00AC",
                             "\u2014", "\u00A5", "虹😀"}) {
        const std::string line = std::string("名前=") + text + "\r\n";
        EXPECT_EQ(textcodec::encodeFileText(line), line) << text;
        EXPECT_EQ(textcodec::decodeFileText(textcodec::encodeFileText(line)), line) << text;
    }
    EXPECT_EQ(textcodec::cp932ByteLength("ab虹"), 4u);
    EXPECT_EQ(textcodec::cp932ByteLength("ｱ"), 1u);
    EXPECT_EQ(textcodec::cp932ByteLength("😀"), 2u);
}

TEST(TextCodec, AFileIsNeverWrittenInTwoEncodings) {
    // A UTF-8 text holding bytes of another encoding ("桜" in CP932 is 0x8D 0xF7): each
    // stray byte becomes U+FFFD and the rest reads back as it was, not as CP932.
    const std::string mixed = "紫水黄=\x8D\xF7\r\n";
    const std::string written = textcodec::encodeFileText(mixed);
    EXPECT_EQ(textcodec::decodeFileText(written), "紫水黄=\uFFFD\uFFFD\r\n");
    EXPECT_EQ(textcodec::repairedUtf8("a\xC3(\xE8\x99"), "a\uFFFD(\uFFFD\uFFFD");
}

TEST(TextCodec, SplitsLines) {
    EXPECT_EQ(textcodec::splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(textcodec::splitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(textcodec::splitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(AtomicFile, ReplacesWholeOrNothing) {
    const wavory::testing::TempFolder temp;
    const std::filesystem::path& dir = temp.path();
    const auto target = dir / "a.txt";
    ASSERT_FALSE(writeFileAtomically(target, "old"));
    {
        AtomicFileWriter writer(target);
        ASSERT_FALSE(writer.open());
        ASSERT_FALSE(writer.write("new but abandoned"));
    } // not committed: the old file stays
    std::string content;
    ASSERT_FALSE(readWholeFile(target, content));
    EXPECT_EQ(content, "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    EXPECT_TRUE(writeFileAtomically(dir, "x")) << "a folder is not a file";
    EXPECT_TRUE(writeFileAtomically(dir / "missing" / "b.txt", "x"));
    ::chmod(target.c_str(), 0444);
    EXPECT_TRUE(writeFileAtomically(target, "x")) << "a read-only file stays protected";
    ASSERT_FALSE(readWholeFile(target, content));
    EXPECT_EQ(content, "old");
}

namespace {

namespace fs = std::filesystem;

std::string fileType(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return "missing";
    if (S_ISLNK(st.st_mode)) return "link";
    if (S_ISFIFO(st.st_mode)) return "fifo";
    if (S_ISSOCK(st.st_mode)) return "socket";
    if (S_ISREG(st.st_mode)) return "file";
    return "other";
}

std::vector<std::string> folderNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void makeOld(const fs::path& file) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << file;
}

} // namespace

TEST(AtomicFile, RefusesAndNeverWaitsOnWhatIsNotARegularFile) {
    const wavory::testing::TempFolder temp;
    const fs::path fifo = temp / "pipe.txt", socketPath = temp / "sock.ini",
                   device = temp / "null.cst";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("/dev/null", device); // followed to the device
    const auto notRegular = make_error_code(FileError::NotRegularFile);

    for (const auto& [path, type] :
         {std::pair{fifo, "fifo"}, {socketPath, "socket"}, {device, "link"}}) {
        SCOPED_TRACE(path.filename().string());
        EXPECT_EQ(writeFileAtomically(path, "x"), notRegular);
        EXPECT_EQ(fileType(path), type) << "left as it was";
        std::string bytes;
        EXPECT_EQ(readWholeFile(path, bytes), notRegular);
        EXPECT_EQ(readFileHead(path, bytes, 10), notRegular);
        // The readers give the message they give for any unreadable file.
        ParamFields fields;
        const ParamReadResult param = readParamTextFile(path.string(), fields, {});
        ASSERT_EQ(param.outcome.messages().size(), 1u);
        EXPECT_EQ(param.outcome.messages()[0].text, paramReadFailureMessage(path.string()).text);
        ColorSetCollection sets;
        const ColorSetLoadResult load = loadColorSetFile(path.string(), sets);
        ASSERT_EQ(load.outcome.messages().size(), 1u);
        EXPECT_EQ(load.outcome.messages()[0].text,
                  colorSetReadFailureMessage("通常のファイルではありません。").text);
    }
    ::close(sock);
    EXPECT_EQ(folderNames(temp.path()),
              (std::vector<std::string>{"null.cst", "pipe.txt", "sock.ini"}));
}

TEST(AtomicFile, ReplacesTheFileALinkPointsToWithItsPermissions) {
    const wavory::testing::TempFolder temp;
    fs::create_directory(temp / "real");
    const fs::path real = temp / "real" / "wavory.ini";
    ASSERT_FALSE(writeFileAtomically(real, "old"));
    fs::create_symlink("real/wavory.ini", temp / "wavory.ini");
    fs::create_symlink("wavory.ini", temp / "again.ini"); // a chain of links
    struct Case {
        const char* through;
        mode_t before, after;
    };
    for (const Case& c : {Case{"wavory.ini", 0640, 0640}, {"again.ini", 04755, 0755},
                          {"real/wavory.ini", 02775, 0775}, {"wavory.ini", 01600, 0600}}) {
        SCOPED_TRACE(c.through);
        ASSERT_EQ(::chmod(real.c_str(), c.before), 0);
        ASSERT_FALSE(writeFileAtomically(temp / c.through, c.through));
        EXPECT_EQ(fileType(temp / "wavory.ini"), "link");
        EXPECT_EQ(fileType(temp / "again.ini"), "link");
        std::string content;
        ASSERT_FALSE(readWholeFile(temp / "wavory.ini", content));
        EXPECT_EQ(content, c.through);
        struct stat st {};
        ASSERT_EQ(::stat(real.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
    }
    EXPECT_EQ(folderNames(temp / "real"), std::vector<std::string>{"wavory.ini"});
    // A link to a file not there yet creates it where the link points.
    fs::create_symlink("real/new.cst", temp / "new.cst");
    ASSERT_FALSE(writeFileAtomically(temp / "new.cst", "n"));
    EXPECT_EQ(fileType(temp / "real" / "new.cst"), "file");
    EXPECT_EQ(fileType(temp / "new.cst"), "link");
}

TEST(AtomicFile, FollowsALinkInASharedStickyFolderOnlyWhereTheKernelWould) {
    const wavory::testing::TempFolder temp;
    const fs::path victim = temp / "victim.txt";
    ASSERT_FALSE(writeFileAtomically(victim, "mine"));
    const uid_t other = ::geteuid() + 4242;
    struct Case {
        const char* folder;
        mode_t mode;
        bool foreignLink, foreignFolder, followed;
    };
    for (const Case& c : {Case{"tmp", 01777, false, false, true},
                          {"tmp-planted", 01777, true, false, false},
                          {"open", 0777, true, false, true},      // not sticky
                          {"group", 01775, true, false, true},    // not world-writable
                          {"theirs", 01777, true, true, true}}) { // the folder owner's link
        SCOPED_TRACE(c.folder);
        const fs::path folder = temp / c.folder, link = folder / "picture.txt";
        fs::create_directory(folder);
        ASSERT_EQ(::chmod(folder.c_str(), c.mode), 0);
        fs::create_symlink(victim, link);
        if (c.foreignLink && ::lchown(link.c_str(), other, other) != 0) {
            GTEST_SKIP() << "giving a link to another user needs root";
        }
        if (c.foreignFolder) {
            ASSERT_EQ(::chown(folder.c_str(), other, other), 0);
        }
        const std::error_code ec = writeFileAtomically(link, c.folder);
        std::string content;
        ASSERT_FALSE(readWholeFile(victim, content));
        if (c.followed) {
            EXPECT_FALSE(ec) << ec.message();
            EXPECT_EQ(content, c.folder);
        } else {
            EXPECT_EQ(ec, make_error_code(FileError::ForeignLinkInSharedFolder));
            EXPECT_EQ(
                systemErrorText(ec),
                "共有フォルダに他のユーザーが置いたシンボリックリンクを通しては保存できません。");
            EXPECT_EQ(content, "tmp") << "the file the link names is untouched";
        }
        EXPECT_EQ(fileType(link), "link");
        EXPECT_EQ(folderNames(folder), std::vector<std::string>{"picture.txt"});
    }
}

namespace {
std::atomic<int> umaskCalls{0};
} // namespace

// Every umask call of this test program comes here (the core library is linked in), is
// counted and then made as the system makes it.
extern "C" mode_t umask(mode_t mask) noexcept {
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

TEST(AtomicFile, NewFilesGetTheUmaskWhichIsNeverChanged) {
    const wavory::testing::TempFolder temp;
    const mode_t saved = ::umask(027);
    const int calls = umaskCalls;
    // The process umask is the process's: another thread creating a file while a save
    // changed it would get the changed one.
    ASSERT_FALSE(writeFileAtomically(temp / "new.txt", "n"));
    ASSERT_EQ(::chmod((temp / "new.txt").c_str(), 0604), 0);
    ASSERT_FALSE(writeFileAtomically(temp / "new.txt", "replaced"));
    EXPECT_EQ(umaskCalls, calls);
    ::umask(saved);
    struct stat st {};
    ASSERT_FALSE(writeFileAtomically(temp / "other.txt", "o"));
    for (const auto& [name, mode] : {std::pair{"new.txt", 0604u}, {"other.txt", 0666u & ~saved}}) {
        ASSERT_EQ(::stat((temp / name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << name;
    }
}

TEST(AtomicFile, CommonSystemReasonsAreInTheInterfaceLanguage) {
    const auto text = [](int code) { return systemErrorText({code, std::generic_category()}); };
    EXPECT_EQ(text(ENOSPC), "ディスクの空き領域が足りません。");
    EXPECT_EQ(text(EDQUOT), "ディスクの使用量の上限を超えました。");
    EXPECT_EQ(text(EROFS), "読み取り専用の場所には書き込めません。");
    EXPECT_EQ(text(EACCES), "アクセスが許可されていません。");
    EXPECT_EQ(text(EPERM), text(EACCES));
    EXPECT_EQ(text(ENOENT), "ファイルまたはフォルダが見つかりません。");
    EXPECT_EQ(text(ENAMETOOLONG), "ファイル名が長すぎます。");
    EXPECT_EQ(systemErrorText(std::make_error_code(std::errc::no_space_on_device)), text(ENOSPC));
    EXPECT_EQ(text(EIO), std::strerror(EIO)) << "the rest in the system's words";
    setTextTranslator([](std::string_view japanese) {
        std::string marked(1, '[');
        marked.append(japanese).push_back(']');
        return marked;
    });
    EXPECT_EQ(text(EROFS), "[読み取り専用の場所には書き込めません。]");
    setTextTranslator(nullptr);
    // Writing into a folder that does not exist says so in these words too.
    const wavory::testing::TempFolder temp;
    EXPECT_EQ(systemErrorText(writeFileAtomically(temp / "none" / "a.txt", "x")), text(ENOENT));
}

TEST(SetAside, AnUnreadableFileIsRenamedBesideItselfWithTheTime) {
    const wavory::testing::TempFolder temp;
    const char* zone = std::getenv("TZ");
    const std::string oldZone = zone ? zone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    constexpr std::time_t kWhen = 1796682600; // 2026-12-07 22:30:00 UTC
    const fs::path file = temp / "default.cst";
    ASSERT_FALSE(writeFileAtomically(file, "first"));
    const SetAsideFile first = setAsideUnreadableFile(file, kWhen);
    EXPECT_TRUE(first.cleared);
    EXPECT_EQ(first.keptAs, temp / "default.cst.unreadable-20261207-223000");
    EXPECT_FALSE(fs::exists(file));
    std::string kept;
    EXPECT_FALSE(readWholeFile(first.keptAs, kept));
    EXPECT_EQ(kept, "first");
    ASSERT_EQ(first.outcome.messages().size(), 1u);
    EXPECT_TRUE(first.outcome.ok());
    EXPECT_EQ(first.outcome.messages()[0].text, "読み込めなかった「" + file.string() + "」を「" +
                                                    first.keptAs.string() + "」として残しました。");
    // The same second again: a name of its own, the first kept file untouched.
    ASSERT_FALSE(writeFileAtomically(file, "second"));
    EXPECT_EQ(setAsideUnreadableFile(file, kWhen).keptAs,
              temp / "default.cst.unreadable-20261207-223000-2");
    EXPECT_FALSE(readWholeFile(first.keptAs, kept));
    EXPECT_EQ(kept, "first");
    // Nothing there: nothing to keep, nothing said.
    const SetAsideFile missing = setAsideUnreadableFile(file, kWhen);
    EXPECT_TRUE(missing.cleared);
    EXPECT_TRUE(missing.outcome.messages().empty());
    // A name that cannot be made (too long a name): the file stays, and must not be
    // written over.
    const fs::path longName = temp / std::string(240, 'h');
    ASSERT_FALSE(writeFileAtomically(longName, "third"));
    const SetAsideFile refused = setAsideUnreadableFile(longName, kWhen);
    EXPECT_FALSE(refused.cleared);
    EXPECT_FALSE(refused.outcome.ok());
    EXPECT_TRUE(fs::exists(longName));
    if (zone)
        setenv("TZ", oldZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(AtomicFile, RemovesOnlyItsOwnStaleTemporaryFiles) {
    const wavory::testing::TempFolder temp;
    AtomicFileWriter running(temp / "b.txt"); // a save in progress holds its file
    ASSERT_FALSE(running.open());
    const std::string runningName = folderNames(temp.path()).front();
    ASSERT_TRUE(runningName.starts_with(".b.txt.")) << runningName;
    makeOld(temp / runningName);
    struct Case {
        std::string name;
        bool old;
        bool keptBySavingA, keptAtStartUp;
    };
    const std::vector<Case> cases = {
        {".a.txt.wavory-tmp-k1Lm2N", true, false, false}, // killed while saving a.txt
        {".a.txt.wavory-tmp-Zz9yx8", false, true, true},  // a save of a.txt just begun
        {".c.ini.wavory-tmp-Ab3dE4", true, false, false}, // another file's, killed
        {".c.ini.wavory-tmp-Cd5eF6", false, true, true},  // another file's, just begun
        {runningName, true, true, true},
        {"a.txt.wavory-tmp-k1Lm2N", true, true, true}, // not a hidden name: the user's
        {".a.txt.bak", true, true, true},
        {".a.txt.wavory-tmp-", true, true, true},
    };
    for (const Case& c : cases) {
        if (c.name != runningName) {
            ASSERT_FALSE(writeFileAtomically(temp / c.name, "t"));
        }
        if (c.old) makeOld(temp / c.name);
    }
    ASSERT_FALSE(writeFileAtomically(temp / "a.txt", "a"));
    for (const Case& c : cases) EXPECT_EQ(fs::exists(temp / c.name), c.keptBySavingA) << c.name;
    removeStaleTemporaryFiles(temp.path());
    for (const Case& c : cases) EXPECT_EQ(fs::exists(temp / c.name), c.keptAtStartUp) << c.name;
    // Another user's, left in a folder both write to: not ours to judge.
    const fs::path theirs = temp / ".d.txt.wavory-tmp-Xy7zW8";
    ASSERT_FALSE(writeFileAtomically(theirs, "t"));
    makeOld(theirs);
    if (::lchown(theirs.c_str(), ::geteuid() + 4242, ::getegid()) == 0) {
        ASSERT_FALSE(writeFileAtomically(temp / "a.txt", "a"));
        EXPECT_TRUE(fs::exists(theirs));
    }
    ASSERT_FALSE(running.write("b"));
    ASSERT_FALSE(running.commit());
    std::string content;
    ASSERT_FALSE(readWholeFile(temp / "b.txt", content));
    EXPECT_EQ(content, "b");
}

TEST(AtomicFile, RefusesTextFilesBeyondTheSizeLimit) {
    const wavory::testing::TempFolder temp;
    const fs::path atLimit = temp / "limit.cst", beyond = temp / "big.cst";
    // Sparse files: the size without the disk space.
    for (const auto& [file, size] :
         {std::pair{atLimit, kMaxTextFileBytes}, {beyond, kMaxTextFileBytes + 1}}) {
        std::ofstream{file};
        fs::resize_file(file, size);
    }
    std::string bytes;
    EXPECT_FALSE(readWholeFile(atLimit, bytes));
    EXPECT_EQ(bytes.size(), kMaxTextFileBytes);
    EXPECT_EQ(readWholeFile(beyond, bytes), make_error_code(FileError::TooLarge));
    EXPECT_TRUE(bytes.empty());
    ColorSetCollection sets;
    const ColorSetLoadResult load = loadColorSetFile(beyond.string(), sets);
    ASSERT_EQ(load.outcome.messages().size(), 1u);
    EXPECT_EQ(load.outcome.messages()[0].text,
              colorSetReadFailureMessage("ファイルが大きすぎます。").text);
}
