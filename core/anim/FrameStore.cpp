#include "anim/FrameStore.h"

#include "anim/FrameCompression.h"
#include "anim/PhasePattern.h"
#include "common/MemoryAmount.h"
#include "common/UiText.h"
#include "common/WorkPool.h"
#include "io/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <new>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <zstd.h>

namespace wavory {

namespace {

constexpr std::string_view kSpillPrefix = "frames-";
constexpr std::string_view kSpillSuffix = ".spill";
constexpr std::size_t kMinimumBudget = std::size_t{64} << 20;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::uint64_t frameBytes(int width, int height) {
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 3;
}

// The free space for an unprivileged writer in the folder, or in the nearest folder
// above it that exists (the spill folder is created only when needed).
std::uint64_t freeSpace(const std::string& folder) {
    std::filesystem::path path(folder);
    for (;;) {
        struct statvfs fs {};
        if (::statvfs(path.c_str(), &fs) == 0)
            return static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
        if (!path.has_relative_path() || path == path.parent_path())
            return 0;
        path = path.parent_path();
    }
}

bool isSpillName(std::string_view name) {
    return name.size() > kSpillPrefix.size() + kSpillSuffix.size() &&
           name.starts_with(kSpillPrefix) && name.ends_with(kSpillSuffix);
}

// A frame that could not go to the spill file, with the system's reason.
Result spillFailure(std::error_code ec) {
    return Result::failure(MessageIcon::Critical,
                           fillText(UiText::tr("フレームを一時ファイルに書き込めません。\r\n%1"),
                                    {systemErrorText(ec)}));
}

Result invalidIndex() {
    return Result::failure(MessageIcon::Critical, UiText::tr("フレーム番号が不正です。"));
}

} // namespace

std::string frameSpillFolder() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/')
        return std::string(xdg) + "/wavory";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.cache/wavory";
    return {};
}

std::string temporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp == '/' ? tmp : "/tmp";
}

FrameStoreLimits defaultFrameStoreLimits() {
    const std::uint64_t quarter = availableMemory().value_or(0) / 4;
    return {static_cast<std::size_t>(std::max<std::uint64_t>(quarter, kMinimumBudget)),
            frameSpillFolder()};
}

void removeStaleFrameSpills(const std::string& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isSpillName(name))
            continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // A store holds its file locked for as long as it lives.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

struct FrameStore::Impl {
    enum class Kind { Empty, Memory, Spilled, Pattern };
    struct Entry {
        Kind kind = Kind::Empty;
        int width = 0, height = 0;
        PackedFrame compressed;                      // Memory
        std::uint64_t offset = 0, size = 0;          // Spilled: the bytes in the spill file
        std::shared_ptr<const PhasePattern> pattern; // Pattern
        int phase = 0;
    };

    // A frame handed over: its pixels until the pool has compressed them, then what is
    // to be placed (or why it cannot be).
    struct Handed {
        int index = 0;
        int width = 0, height = 0;
        Canvas pixels;
        bool ready = false;
        Result outcome;
        bool memoryRanOut = false;
        PackedFrame packed;
        std::shared_ptr<const PhasePattern> pattern;
        int phase = 0;
    };

    FrameStoreLimits limits;
    WorkPool& pool;
    mutable std::mutex mutex;
    mutable std::condition_variable placedOne;
    std::vector<Entry> entries;
    std::vector<int> unplaced; // per index: frames handed over and not placed yet
    std::deque<std::shared_ptr<Handed>> handed; // in the order handed over
    Result failure;            // the first failure not returned yet
    bool memoryRanOut = false; // a failure too, with no room left to word it
    std::size_t memory = 0; // compressed frames and patterns in memory
    std::map<const PhasePattern*, int> patternUsers;

    // The spill file: created on first need, locked while it lives, removed at the end.
    int spillFd = -1;
    std::string spillPath;
    std::string privateFolder; // made for the spill file when no cache folder is known
    std::uint64_t spillEnd = 0;
    std::map<std::uint64_t, std::uint64_t> freeExtents; // offset -> size, below spillEnd
    std::uint64_t spilled = 0;

    Impl(FrameStoreLimits limits, WorkPool& pool) : limits(std::move(limits)), pool(pool) {}

    ~Impl() {
        {
            std::unique_lock lock(mutex);
            waitPlaced(lock);
        }
        if (spillFd >= 0) {
            ::unlink(spillPath.c_str());
            ::close(spillFd);
        }
        if (!privateFolder.empty())
            ::rmdir(privateFolder.c_str());
    }

    // Where the spill file goes, or would go.
    std::string spillRoom() const {
        return limits.spillFolder.empty() ? temporaryFolder() : limits.spillFolder;
    }

    void release(Entry& e) {
        switch (e.kind) {
        case Kind::Memory:
            memory -= e.compressed->size();
            break;
        case Kind::Spilled:
            spilled -= e.size;
            freeExtent(e.offset, e.size);
            break;
        case Kind::Pattern:
            if (--patternUsers[e.pattern.get()] == 0) {
                patternUsers.erase(e.pattern.get());
                memory -= e.pattern->bytes();
            }
            break;
        case Kind::Empty:
            break;
        }
        e = Entry{};
    }

    void freeExtent(std::uint64_t offset, std::uint64_t size) {
        if (size == 0)
            return;
        auto next = freeExtents.lower_bound(offset);
        if (next != freeExtents.end() && offset + size == next->first) {
            size += next->second;
            next = freeExtents.erase(next);
        }
        if (next != freeExtents.begin()) {
            auto before = std::prev(next);
            if (before->first + before->second == offset) {
                before->second += size;
                return;
            }
        }
        freeExtents.emplace(offset, size);
    }

    // Room for `size` bytes in the spill file: the first free extent that is large
    // enough, or the end of the file.
    std::uint64_t allocate(std::uint64_t size) {
        for (auto it = freeExtents.begin(); it != freeExtents.end(); ++it) {
            if (it->second < size)
                continue;
            const std::uint64_t offset = it->first;
            const std::uint64_t rest = it->second - size;
            freeExtents.erase(it);
            if (rest > 0)
                freeExtents.emplace(offset + size, rest);
            return offset;
        }
        const std::uint64_t offset = spillEnd;
        spillEnd += size;
        return offset;
    }

    std::error_code openSpill() {
        if (spillFd >= 0)
            return {};
        std::string folder = limits.spillFolder;
        if (folder.empty()) {
            // A folder of our own (0700, unpredictable name) in the shared temporary folder.
            if (privateFolder.empty()) {
                std::string name = temporaryFolder() + "/wavory-XXXXXX";
                if (!::mkdtemp(name.data()))
                    return lastError();
                privateFolder = std::move(name);
            }
            folder = privateFolder;
        } else {
            std::error_code ec;
            std::filesystem::create_directories(folder, ec);
            if (ec)
                return ec;
        }
        std::string pattern =
            folder + "/" + std::string(kSpillPrefix) + "XXXXXX" + std::string(kSpillSuffix);
        const int fd = ::mkstemps(pattern.data(), static_cast<int>(kSpillSuffix.size()));
        if (fd < 0)
            return lastError();
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        // Held for the store's life, so that a clean-up never takes it for a stale one.
        ::flock(fd, LOCK_EX | LOCK_NB);
        spillFd = fd;
        spillPath = pattern;
        return {};
    }

    std::error_code writeSpill(const char* data, std::uint64_t size, std::uint64_t offset) {
        // Reserve the blocks first: a full disk then fails here, not on a later write
        // through memory the system had promised.
        if (offset + size > static_cast<std::uint64_t>(fileSize())) {
            const int rc =
                ::posix_fallocate(spillFd, static_cast<off_t>(offset), static_cast<off_t>(size));
            if (rc != 0 && rc != EOPNOTSUPP && rc != EINVAL)
                return {rc, std::generic_category()};
        }
        std::uint64_t done = 0;
        while (done < size) {
            const ssize_t n =
                ::pwrite(spillFd, data + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return lastError();
            }
            if (n == 0)
                return std::make_error_code(std::errc::no_space_on_device);
            done += static_cast<std::uint64_t>(n);
        }
        return {};
    }

    off_t fileSize() const {
        struct stat st {};
        return ::fstat(spillFd, &st) == 0 ? st.st_size : 0;
    }

    bool readSpill(char* data, std::uint64_t size, std::uint64_t offset) const {
        std::uint64_t done = 0;
        while (done < size) {
            const ssize_t n =
                ::pread(spillFd, data + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += static_cast<std::uint64_t>(n);
        }
        return true;
    }

    void makeSlot(int index) {
        const auto i = static_cast<std::size_t>(index);
        // unplaced first: it is never shorter than entries.
        if (unplaced.size() <= i)
            unplaced.resize(i + 1);
        if (entries.size() <= i)
            entries.resize(i + 1);
    }

    void waitPlaced(std::unique_lock<std::mutex>& lock) const {
        placedOne.wait(lock, [this] { return handed.empty(); });
    }

    Result takeFailure() {
        if (!failure.ok())
            return std::exchange(failure, Result{});
        if (std::exchange(memoryRanOut, false))
            return frameMemoryFailure();
        return {};
    }

    // Queues the frame behind those handed over before; the pool compresses it unless it
    // is ready already.
    Result handOver(std::shared_ptr<Handed> frame) {
        {
            std::unique_lock lock(mutex);
            if (Result earlier = takeFailure(); !earlier.ok())
                return earlier;
            // Each frame waiting holds its pixels: a few at a time.
            const std::size_t most = pool.threadCount() + 1;
            placedOne.wait(lock, [&] { return handed.size() < most; });
            try {
                makeSlot(frame->index);
                handed.push_back(frame);
            } catch (const std::bad_alloc&) {
                return frameMemoryFailure();
            }
            ++unplaced[static_cast<std::size_t>(frame->index)];
            if (frame->ready) {
                placeReady();
                return {};
            }
        }
        try {
            pool.post([this, frame] { compressAndPlace(*frame); });
        } catch (...) { // not even queued: done here
            compressAndPlace(*frame);
        }
        return {};
    }

    void compressAndPlace(Handed& frame) noexcept {
        try {
            frame.outcome = compressFrame(frame.pixels, frame.packed);
        } catch (const std::bad_alloc&) {
            frame.memoryRanOut = true;
        }
        frame.pixels = Canvas{};
        std::lock_guard lock(mutex);
        frame.ready = true;
        placeReady();
    }

    // Places the frames at the front that are ready, in order.
    void placeReady() {
        while (!handed.empty() && handed.front()->ready) {
            place(*handed.front());
            handed.pop_front();
        }
        placedOne.notify_all();
    }

    void place(Handed& frame) {
        const auto i = static_cast<std::size_t>(frame.index);
        --unplaced[i];
        Entry& e = entries[i];
        try {
            release(e);
            if (frame.memoryRanOut) {
                memoryRanOut = true;
                return;
            }
            if (!frame.outcome.ok()) {
                if (failure.ok())
                    failure = std::move(frame.outcome);
                return;
            }
            if (frame.pattern)
                placePattern(e, frame);
            else
                placePacked(e, frame);
        } catch (const std::bad_alloc&) {
            e = Entry{};
            memoryRanOut = true;
        }
    }

    void placePattern(Entry& e, Handed& frame) {
        if (patternUsers[frame.pattern.get()]++ == 0)
            memory += frame.pattern->bytes();
        e.kind = Kind::Pattern;
        e.width = frame.width;
        e.height = frame.height;
        e.pattern = std::move(frame.pattern);
        e.phase = frame.phase;
    }

    // In memory while the budget lasts, else in the spill file; a frame that cannot be
    // written there is not held, and the frames held already stay as they are.
    void placePacked(Entry& e, Handed& frame) {
        const std::vector<char>& packed = *frame.packed;
        if (memory + packed.size() <= limits.memoryBudget) {
            memory += packed.size();
            e.kind = Kind::Memory;
            e.width = frame.width;
            e.height = frame.height;
            e.compressed = std::move(frame.packed);
            return;
        }
        if (std::error_code ec = openSpill()) {
            if (failure.ok())
                failure = spillFailure(ec);
            return;
        }
        const std::uint64_t offset = allocate(packed.size());
        if (std::error_code ec = writeSpill(packed.data(), packed.size(), offset)) {
            freeExtent(offset, packed.size());
            if (failure.ok())
                failure = spillFailure(ec);
            return;
        }
        e.kind = Kind::Spilled;
        e.width = frame.width;
        e.height = frame.height;
        e.offset = offset;
        e.size = packed.size();
        spilled += e.size;
    }
};

FrameStore::FrameStore(FrameStoreLimits limits)
    : FrameStore(std::move(limits), WorkPool::shared()) {}

FrameStore::FrameStore(FrameStoreLimits limits, WorkPool& pool)
    : impl_(std::make_unique<Impl>(std::move(limits), pool)) {}

FrameStore::~FrameStore() = default;

Result FrameStore::reserve(int frames, int width, int height) {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    if (frames <= 0 || width <= 0 || height <= 0)
        return {};
    const std::uint64_t worst =
        static_cast<std::uint64_t>(frames) * ZSTD_compressBound(frameBytes(width, height));
    // The frames this creation replaces give their room back as it goes.
    std::uint64_t keptInMemory = 0, reusableOnDisk = 0;
    for (std::size_t i = 0; i < impl_->entries.size(); ++i) {
        const auto& e = impl_->entries[i];
        if (e.kind == Impl::Kind::Memory && i >= static_cast<std::size_t>(frames))
            keptInMemory += e.compressed->size();
        if (e.kind == Impl::Kind::Spilled && i < static_cast<std::size_t>(frames))
            reusableOnDisk += e.size;
    }
    const std::uint64_t budget = impl_->limits.memoryBudget;
    const std::uint64_t memory = budget > keptInMemory ? budget - keptInMemory : 0;
    const std::uint64_t disk = freeSpace(impl_->spillRoom()) + reusableOnDisk;
    if (worst <= memory + disk)
        return {};
    return Result::failure(
        MessageIcon::Critical,
        fillText(
            UiText::tr("フレームを保存する領域が足りないため、アニメーションを作成できません。\r\n"
                       "%1 × %2 のフレーム %3 枚には最大 %4 が必要ですが、"
                       "使えるのはメモリ %5 と %6 の空き %7 です。\r\n"
                       "フレーム数か画像サイズを小さくして下さい。"),
            {std::to_string(width), std::to_string(height), std::to_string(frames), sizeText(worst),
             sizeText(memory), impl_->spillRoom(), sizeText(disk)}));
}

Result FrameStore::put(int index, const Canvas& frame) {
    if (index < 0)
        return invalidIndex();
    std::shared_ptr<Impl::Handed> handed;
    try {
        handed = std::make_shared<Impl::Handed>();
        handed->pixels = frame;
    } catch (const std::bad_alloc&) {
        return frameMemoryFailure();
    }
    handed->index = index;
    handed->width = frame.width();
    handed->height = frame.height();
    return impl_->handOver(std::move(handed));
}

Result FrameStore::putPattern(int index, std::shared_ptr<const PhasePattern> pattern, int phase) {
    if (index < 0 || !pattern)
        return invalidIndex();
    std::shared_ptr<Impl::Handed> handed;
    try {
        handed = std::make_shared<Impl::Handed>();
    } catch (const std::bad_alloc&) {
        return frameMemoryFailure();
    }
    handed->index = index;
    handed->width = pattern->width();
    handed->height = pattern->height();
    handed->pattern = std::move(pattern);
    handed->phase = phase;
    handed->ready = true;
    return impl_->handOver(std::move(handed));
}

Result FrameStore::flush() {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    return impl_->takeFailure();
}

bool FrameStore::get(int index, Canvas& out) const {
    try {
        std::unique_lock lock(impl_->mutex);
        if (index < 0 || static_cast<std::size_t>(index) >= impl_->entries.size())
            return false;
        const auto i = static_cast<std::size_t>(index);
        impl_->placedOne.wait(lock, [&] { return impl_->unplaced[i] == 0; });
        const Impl::Entry& e = impl_->entries[i];
        switch (e.kind) {
        case Impl::Kind::Empty:
            return false;
        case Impl::Kind::Pattern: {
            const std::shared_ptr<const PhasePattern> pattern = e.pattern;
            const int phase = e.phase;
            lock.unlock();
            pattern->paintAll(phase, out, 0);
            return true;
        }
        case Impl::Kind::Memory: {
            const PackedFrame packed = e.compressed;
            const int width = e.width, height = e.height;
            lock.unlock();
            return decompressFrame(packed->data(), packed->size(), width, height, out);
        }
        case Impl::Kind::Spilled: {
            std::vector<char> packed(static_cast<std::size_t>(e.size));
            if (!impl_->readSpill(packed.data(), e.size, e.offset))
                return false;
            const int width = e.width, height = e.height;
            lock.unlock();
            return decompressFrame(packed.data(), packed.size(), width, height, out);
        }
        }
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int FrameStore::held() const {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    for (std::size_t i = impl_->entries.size(); i > 0; --i)
        if (impl_->entries[i - 1].kind != Impl::Kind::Empty)
            return static_cast<int>(i);
    return 0;
}

std::size_t FrameStore::memoryBytes() const {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    return impl_->memory;
}

std::uint64_t FrameStore::spilledBytes() const {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    return impl_->spilled;
}

std::string FrameStore::spillPath() const {
    std::unique_lock lock(impl_->mutex);
    impl_->waitPlaced(lock);
    return impl_->spillPath;
}

const FrameStoreLimits& FrameStore::limits() const {
    return impl_->limits;
}

} // namespace wavory
