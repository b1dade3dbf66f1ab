#include "io/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wavory {

namespace {
std::error_code lastError() { return {errno ? errno : EIO, std::generic_category()}; }
} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

std::error_code AtomicFileWriter::open() {
    discard();
    std::error_code ec;
    if (std::filesystem::is_directory(target_, ec)) return {EISDIR, std::generic_category()};
    // A file marked read-only stays protected, as it would against a direct write
    // (a rename alone would replace it, and root ignores the permission check).
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {EACCES, std::generic_category()};
    const auto folder = target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    std::string hidden = ".";
    hidden += target_.filename().string();
    hidden += ".XXXXXX";
    const std::string pattern = (folder / hidden).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return lastError();
    temp_ = name.data();
    // Keep the permissions an ordinary new file would get (mkstemp makes it 0600),
    // or those of the file being replaced.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
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
    if (ok && ::rename(temp_.c_str(), target_.c_str()) != 0) {
        ok = false;
        err = lastError();
    }
    if (!ok) {
        discard();
        return err;
    }
    temp_.clear();
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

std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return {EISDIR, std::generic_category()};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return lastError();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    const bool bad = std::ferror(f);
    std::fclose(f);
    if (bad) return {EIO, std::generic_category()};
    return {};
}

std::string systemErrorText(const std::error_code& ec) { return ec.message(); }

} // namespace wavory
