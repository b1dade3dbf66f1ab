#pragma once
// Every file written for the user goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the target: a crash or a full disk never
// leaves a half-written file, and the old file stays whole until the new one is.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter(); // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file. Fails when the folder cannot be written or the target
    // is a folder.
    std::error_code open();
    // The open temporary file, for writers that need a stdio stream (libpng, libjpeg).
    std::FILE* stream() const { return file_; }
    std::error_code write(std::string_view bytes);
    // Flushes, syncs and renames the temporary file over the target.
    std::error_code commit();
    // Drops the temporary file; the target is untouched.
    void discard();

    const std::filesystem::path& target() const { return target_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// The whole content in one call.
std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file; an error code when it cannot be opened or read.
std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes);

// The system's text for an error, as shown to the user after a fixed sentence.
std::string systemErrorText(const std::error_code& ec);

} // namespace wavory
