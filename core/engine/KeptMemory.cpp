#include "engine/KeptMemory.h"

#include "image/PixelMemory.h"

#include <array>
#include <mutex>
#include <string>
#include <utility>

namespace wavory {

namespace {

struct Kept {
    std::mutex mutex;
    static constexpr auto kSlots = static_cast<std::size_t>(KeptMemory::Slot::Count);
    std::array<void*, kSlots> memory{};
    std::array<std::size_t, kSlots> bytes{};
    std::array<std::string, kSlots> contents{};
    std::array<std::uint64_t, kSlots> pictures{};
    std::uint64_t picture = 0; // of the drawing begun last
};

std::uint64_t pictureKey(int width, int height) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(width)) << 32 |
           static_cast<std::uint32_t>(height);
}

Kept& kept() {
    static Kept k;
    return k;
}

thread_local bool apartOnThread = false;

} // namespace

KeptMemory::Apart::Apart(bool apart) : was_(apartOnThread) {
    apartOnThread = was_ || apart;
}

KeptMemory::Apart::~Apart() {
    apartOnThread = was_;
}

KeptMemory::KeptMemory(Slot slot, std::size_t bytes)
    : slot_(slot), bytes_(bytes), apart_(apartOnThread) {
    if (apart_) {
        memory_ = allocatePixelMemory(bytes);
        return;
    }
    const auto s = static_cast<std::size_t>(slot);
    void* stale = nullptr;
    std::size_t staleBytes = 0;
    {
        Kept& k = kept();
        std::lock_guard lock(k.mutex);
        picture_ = k.picture;
        if (k.bytes[s] == bytes) {
            memory_ = k.memory[s];
            contents_ = std::move(k.contents[s]);
        } else {
            stale = k.memory[s];
            staleBytes = k.bytes[s];
        }
        k.memory[s] = nullptr;
        k.bytes[s] = 0;
        k.contents[s].clear();
    }
    freePixelMemory(stale, staleBytes);
    if (!memory_)
        memory_ = allocatePixelMemory(bytes);
}

KeptMemory::~KeptMemory() {
    if (apart_) {
        freePixelMemory(memory_, bytes_);
        return;
    }
    const auto s = static_cast<std::size_t>(slot_);
    void* release = nullptr;
    std::size_t releaseBytes = 0;
    {
        Kept& k = kept();
        std::lock_guard lock(k.mutex);
        release = k.memory[s];
        releaseBytes = k.bytes[s];
        k.memory[s] = memory_;
        k.bytes[s] = bytes_;
        k.contents[s] = std::move(contents_);
        k.pictures[s] = picture_;
    }
    freePixelMemory(release, releaseBytes);
}

std::string KeptMemory::keptInputs(Slot slot) {
    if (apartOnThread)
        return {}; // what the slot holds is not there for this thread's blocks
    Kept& k = kept();
    std::lock_guard lock(k.mutex);
    return k.contents[static_cast<std::size_t>(slot)];
}

void KeptMemory::beginPicture(int width, int height) {
    if (apartOnThread)
        return;
    std::array<void*, Kept::kSlots> release{};
    std::array<std::size_t, Kept::kSlots> releaseBytes{};
    {
        Kept& k = kept();
        std::lock_guard lock(k.mutex);
        k.picture = pictureKey(width, height);
        for (std::size_t s = 0; s < Kept::kSlots; ++s) {
            if (!k.memory[s] || k.pictures[s] == k.picture)
                continue;
            release[s] = k.memory[s];
            releaseBytes[s] = k.bytes[s];
            k.memory[s] = nullptr;
            k.bytes[s] = 0;
            k.contents[s].clear();
        }
    }
    for (std::size_t s = 0; s < Kept::kSlots; ++s)
        freePixelMemory(release[s], releaseBytes[s]);
}

void KeptMemory::forgetContents() {
    Kept& k = kept();
    std::lock_guard lock(k.mutex);
    for (std::string& c : k.contents)
        c.clear();
}

std::size_t KeptMemory::keptBytes() {
    Kept& k = kept();
    std::lock_guard lock(k.mutex);
    std::size_t total = 0;
    for (std::size_t s = 0; s < k.memory.size(); ++s)
        if (k.memory[s])
            total += k.bytes[s];
    return total;
}

} // namespace wavory
