#include "io/AtomicFile.h"

#include "common/UiText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wavory {

namespace {

std::error_code lastError() { return {errno ? errno : EIO, std::generic_category()}; }

class FileErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "wavory file"; }
    std::string message(int code) const override {
        switch (static_cast<FileError>(code)) {
        case FileError::NotRegularFile:
            return UiText::tr("通常のファイルではありません。");
        case FileError::TooLarge:
            return UiText::tr("ファイルが大きすぎます。");
        case FileError::ForeignLinkInSharedFolder:
            return UiText::tr(
                "共有フォルダに他のユーザーが置いたシンボリックリンクを通しては保存できません。");
        }
        return "?";
    }
};

// Temporary files are named "." + target name + kTempMarker + six random characters,
// so that a clean-up recognises them and never touches anything else.
constexpr std::string_view kTempMarker = ".wavory-tmp-";
constexpr std::size_t kTempRandomLength = 6;
// Room for the dot, the marker and the random part within a file name's 255 bytes.
constexpr std::size_t kTempNameRoom = 255 - 1 - kTempMarker.size() - kTempRandomLength;

// The start of the temporary file names for a target's file name.
std::string temporaryPrefix(std::string_view targetName) {
    std::string prefix = ".";
    prefix.append(targetName.substr(0, kTempNameRoom));
    prefix.append(kTempMarker);
    return prefix;
}

// Creates a new temporary file "prefix" + random characters with `mode` (less the
// umask); the descriptor, or -1 with errno set.
int createTemporary(const std::filesystem::path& folder, const std::string& prefix, mode_t mode,
                    std::filesystem::path& created) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // O_EXCL | O_NOFOLLOW make any name safe; randomness only keeps tries few. Should the
    // system give no random bytes, the time and the process tell saves apart.
    static std::atomic<unsigned> counter{0};
    std::minstd_rand fallback(static_cast<unsigned>(::getpid()) * 7919u + ++counter +
                              static_cast<unsigned>(std::chrono::steady_clock::now()
                                                        .time_since_epoch()
                                                        .count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char bytes[kTempRandomLength];
        if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes))
            for (unsigned char& b : bytes)
                b = static_cast<unsigned char>(fallback());
        std::string name = prefix;
        for (const unsigned char b : bytes)
            name += kLetters[b % kLetters.size()];
        const std::filesystem::path path = folder / name;
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            created = path;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

bool isOwnTemporaryName(std::string_view name, std::string_view prefix) {
    // "." + a name of at least one character + the marker + the random part.
    constexpr std::size_t shortest = 2 + kTempMarker.size() + kTempRandomLength;
    if (name.size() < shortest || name.size() < prefix.size() + kTempRandomLength ||
        name.front() != '.' || !name.starts_with(prefix))
        return false;
    const std::string_view tail = name.substr(name.size() - kTempRandomLength - kTempMarker.size());
    return tail.starts_with(kTempMarker) &&
           std::all_of(tail.begin() + static_cast<std::ptrdiff_t>(kTempMarker.size()), tail.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Stale: ours, no writer holds it (a writer keeps it locked until it is renamed or
// removed) and it has not been written to for a while.
bool isStale(const std::filesystem::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    const auto age = std::chrono::system_clock::now() -
                     std::chrono::system_clock::from_time_t(st.st_mtime);
    if (age < kStaleTemporaryAge)
        return false;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return !held;
}

void removeStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isOwnTemporaryName(name, prefix) && isStale(it->path()))
            ::unlink(it->path().c_str());
    }
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The kernel follows a link in a sticky, world-writable folder (/tmp) only when the
// link is the user's or the folder owner's (protected_symlinks): anyone may plant a link
// there, and a save through it would replace whatever it names. The same rule here,
// since the file is replaced by its resolved name, past the kernel's check.
bool mayFollow(const std::filesystem::path& link, const struct stat& linkStat) {
    if (linkStat.st_uid == ::geteuid())
        return true;
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || folder.st_uid == linkStat.st_uid;
}

// Follows symbolic links to the file they finally name (which may not exist yet).
std::error_code followLinks(std::filesystem::path path, std::filesystem::path& resolved) {
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return lastError();
            break;
        }
        if (!S_ISLNK(st.st_mode))
            break;
        if (hop == 40)
            return {ELOOP, std::generic_category()};
        if (!mayFollow(path, st))
            return make_error_code(FileError::ForeignLinkInSharedFolder);
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size() - 1);
        if (n < 0)
            return lastError();
        const std::filesystem::path next(std::string(link.data(), static_cast<std::size_t>(n)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    resolved = std::move(path);
    return {};
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // best effort: the file is already in place
    ::close(fd);
}

// Opens a file for reading only when it is a regular file: a FIFO or a device is refused
// before anything could wait on it, and checked again on the open file.
std::error_code openRegularFile(const std::filesystem::path& path, int& fd, struct stat& st) {
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? std::error_code{EISDIR, std::generic_category()}
                                   : make_error_code(FileError::NotRegularFile);
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const auto err = S_ISDIR(st.st_mode) ? std::error_code{EISDIR, std::generic_category()}
                                              : make_error_code(FileError::NotRegularFile);
        ::close(fd);
        return err;
    }
    return {};
}

// Appends up to `count` bytes; stops early at the end of the file.
std::error_code readUpTo(int fd, std::string& bytes, std::size_t count) {
    char buffer[65536];
    while (count > 0) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, count));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        count -= static_cast<std::size_t>(n);
    }
    return {};
}

} // namespace

std::error_code make_error_code(FileError e) {
    static const FileErrorCategory category;
    return {static_cast<int>(e), category};
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

std::error_code AtomicFileWriter::open() {
    discard();
    if (auto ec = followLinks(target_, replaced_))
        return ec;
    // What stands there must be a regular file (or nothing): a rename would turn a device
    // or a FIFO into a file.
    struct stat existing {};
    const bool exists = ::stat(replaced_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return {EISDIR, std::generic_category()};
    if (exists && !S_ISREG(existing.st_mode))
        return make_error_code(FileError::NotRegularFile);
    // A file marked read-only stays protected, as it would against a direct write
    // (a rename alone would replace it, and root ignores the permission check).
    if (exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {EACCES, std::generic_category()};
    const auto folder = folderOf(replaced_);
    // Whatever killed saves into this folder left, whichever file they were saving.
    removeStaleTemporaries(folder, ".");
    // The permissions of the file being replaced, or those an ordinary new file gets
    // (0666 less the umask, applied by the system). Never set-user-ID, set-group-ID or
    // sticky. The process umask is never touched: other threads create files meanwhile.
    const mode_t mode = exists ? existing.st_mode & 0777 : 0666;
    const int fd =
        createTemporary(folder, temporaryPrefix(replaced_.filename().string()), mode, temp_);
    if (fd < 0)
        return lastError();
    // Held until the file is closed, so that a clean-up never takes a save in progress
    // for a stale one.
    ::flock(fd, LOCK_EX | LOCK_NB);
    if (exists) // the umask may have narrowed the old file's bits
        ::fchmod(fd, mode);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        const auto err = lastError();
        ::close(fd);
        discard();
        return err;
    }
    failed_ = false;
    return {};
}

std::error_code AtomicFileWriter::write(std::string_view bytes) {
    if (!file_) return {EBADF, std::generic_category()};
    if (bytes.empty()) return {};
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        failed_ = true;
        return lastError();
    }
    return {};
}

std::error_code AtomicFileWriter::writeAt(std::uint64_t offset, std::string_view bytes) {
    if (!file_) return {EBADF, std::generic_category()};
    if (std::fflush(file_) != 0) { // what write() buffered goes first
        failed_ = true;
        return lastError();
    }
    const int fd = ::fileno(file_);
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    auto at = static_cast<off_t>(offset);
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, data, left, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failed_ = true;
            return lastError();
        }
        data += n;
        left -= static_cast<std::size_t>(n);
        at += n;
    }
#if defined(__linux__)
    // Only a start: the disk writes while the rest is prepared; commit() still syncs.
    ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(bytes.size()),
                      SYNC_FILE_RANGE_WRITE);
#endif
    return {};
}

std::error_code AtomicFileWriter::commit() {
    if (!file_) return {EBADF, std::generic_category()};
    errno = 0;
    bool ok = !failed_ && !std::ferror(file_) && std::fflush(file_) == 0;
    std::error_code err = ok ? std::error_code{} : lastError();
    if (ok && ::fsync(::fileno(file_)) != 0) {
        ok = false;
        err = lastError();
    }
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        err = lastError();
    }
    file_ = nullptr;
    if (ok && ::rename(temp_.c_str(), replaced_.c_str()) != 0) {
        ok = false;
        err = lastError();
    }
    if (!ok) {
        discard();
        return err;
    }
    temp_.clear();
    syncFolder(folderOf(replaced_));
    return {};
}

void AtomicFileWriter::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFileWriter writer(target);
    if (auto ec = writer.open()) return ec;
    if (auto ec = writer.write(bytes)) return ec;
    return writer.commit();
}

void removeStaleTemporaryFiles(const std::filesystem::path& folder) {
    removeStaleTemporaries(folder, ".");
}

std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes,
                              std::size_t limit) {
    bytes.clear();
    int fd = -1;
    struct stat st {};
    if (auto ec = openRegularFile(path, fd, st))
        return ec;
    std::error_code ec;
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        ec = make_error_code(FileError::TooLarge);
    } else {
        // One allocation of the file's size; one byte more tells a file that grew.
        bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
        ec = readUpTo(fd, bytes, limit + 1);
        if (!ec && bytes.size() > limit)
            ec = make_error_code(FileError::TooLarge);
    }
    ::close(fd);
    if (ec)
        bytes.clear();
    return ec;
}

std::error_code readFileHead(const std::filesystem::path& path, std::string& bytes,
                             std::size_t count) {
    bytes.clear();
    int fd = -1;
    struct stat st {};
    if (auto ec = openRegularFile(path, fd, st))
        return ec;
    const auto ec = readUpTo(fd, bytes, count);
    ::close(fd);
    return ec;
}

std::string systemErrorText(const std::error_code& ec) {
    // The causes a user meets most, in the interface's language; the system's own
    // (English) text for the rest.
    if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
        switch (ec.value()) {
        case ENOSPC:
            return UiText::tr("ディスクの空き領域が足りません。");
        case EDQUOT:
            return UiText::tr("ディスクの使用量の上限を超えました。");
        case EROFS:
            return UiText::tr("読み取り専用の場所には書き込めません。");
        case EACCES:
        case EPERM:
            return UiText::tr("アクセスが許可されていません。");
        case ENOENT:
            return UiText::tr("ファイルまたはフォルダが見つかりません。");
        case ENAMETOOLONG:
            return UiText::tr("ファイル名が長すぎます。");
        default:
            break;
        }
    }
    return ec.message();
}

} // namespace wavory
