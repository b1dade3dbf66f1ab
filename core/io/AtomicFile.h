#pragma once
// Every file written for the user goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the target: a crash or a full disk never
// leaves a half-written file, and the old file stays whole until the new one is.
// Reading opens only regular files and never waits on a pipe or a device.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

// Failures of our own that the system has no code for; their texts are shown to the user
// after the fixed sentence of the operation.
enum class FileError {
    NotRegularFile = 1,        // a device, FIFO or socket stands where a file should be
    TooLarge,                  // more than a reader takes whole
    ForeignLinkInSharedFolder, // a link the kernel would not follow (protected_symlinks)
};
std::error_code make_error_code(FileError e);

// The largest settings, color set or parameter file read whole; real ones are a few
// kilobytes, and everything beyond this would only cost memory and time.
inline constexpr std::size_t kMaxTextFileBytes = 16 * 1024 * 1024;

// A temporary file older than this whose writer no longer holds it was left by a save
// that was killed; younger ones may belong to a save that is just starting.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter(); // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file beside the file to replace: the target itself, or the
    // file a symbolic link there points to (the link stays a link). Fails when the folder
    // cannot be written or the target is a folder, a device, a FIFO or a socket, or a
    // file without write permission, and before following a link that another user put
    // in a sticky, world-writable folder (unless that user owns the folder), as the
    // kernel refuses to. Stale temporary files that killed saves left in the folder are
    // removed first.
    std::error_code open();
    // The open temporary file, for writers that need a stdio stream (libpng, libjpeg).
    std::FILE* stream() const { return file_; }
    std::error_code write(std::string_view bytes);
    // Writes `bytes` at `offset` of the file, after whatever write() has passed before.
    // Several threads may write parts that do not overlap at once. Each part is handed
    // to the disk right away, so that commit() has less to wait for.
    std::error_code writeAt(std::uint64_t offset, std::string_view bytes);
    // Flushes, syncs and renames the temporary file over the target, then syncs the
    // folder so that the rename itself survives a power cut. The new file has the old
    // file's permission bits (without set-user-ID, set-group-ID and sticky).
    std::error_code commit();
    // Drops the temporary file; the target is untouched.
    void discard();

    const std::filesystem::path& target() const { return target_; }

private:
    std::filesystem::path target_;
    std::filesystem::path replaced_; // the target with symbolic links followed
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    std::atomic<bool> failed_{false};
};

// The whole content in one call.
std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Removes the temporary files that saves into this folder left behind when they were
// killed (only the program's own, and only stale ones). Run at start-up on the program
// folder.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

// Reads a whole regular file; an error code when it cannot be opened or read, is not a
// regular file, or holds more than `limit` bytes.
std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes,
                              std::size_t limit = kMaxTextFileBytes);

// Reads at most `count` bytes from the start of a regular file.
std::error_code readFileHead(const std::filesystem::path& path, std::string& bytes,
                             std::size_t count);

// The system's text for an error, as shown to the user after a fixed sentence.
std::string systemErrorText(const std::error_code& ec);

} // namespace wavory

template <> struct std::is_error_code_enum<wavory::FileError> : std::true_type {};
