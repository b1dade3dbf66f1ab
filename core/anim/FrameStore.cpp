#include "anim/FrameStore.h"

#include <cstdlib>
#include <mutex>
#include <vector>

namespace wavory {

std::string frameSpillFolder() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/')
        return std::string(xdg) + "/wavory";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "/tmp") + "/.cache/wavory";
}

FrameStoreLimits defaultFrameStoreLimits() {
    return {std::size_t{1} << 30, frameSpillFolder()};
}

void removeStaleFrameSpills(const std::string&) {}

struct FrameStore::Impl {
    FrameStoreLimits limits;
    mutable std::mutex mutex;
    std::vector<Canvas> frames;
    std::vector<bool> present;
};

FrameStore::FrameStore(FrameStoreLimits limits) : impl_(std::make_unique<Impl>()) {
    impl_->limits = std::move(limits);
}

FrameStore::~FrameStore() = default;

Result FrameStore::reserve(int, int, int) { return {}; }

Result FrameStore::put(int index, const Canvas& frame) {
    std::lock_guard lock(impl_->mutex);
    const auto i = static_cast<std::size_t>(index);
    if (impl_->frames.size() <= i) {
        impl_->frames.resize(i + 1);
        impl_->present.resize(i + 1, false);
    }
    impl_->frames[i] = frame;
    impl_->present[i] = true;
    return {};
}

bool FrameStore::get(int index, Canvas& out) const {
    std::lock_guard lock(impl_->mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= impl_->frames.size() ||
        !impl_->present[static_cast<std::size_t>(index)])
        return false;
    out = impl_->frames[static_cast<std::size_t>(index)];
    return true;
}

int FrameStore::held() const {
    std::lock_guard lock(impl_->mutex);
    return static_cast<int>(impl_->frames.size());
}

std::size_t FrameStore::memoryBytes() const {
    std::lock_guard lock(impl_->mutex);
    std::size_t bytes = 0;
    for (const auto& f : impl_->frames)
        bytes += f.rowBytes() * static_cast<std::size_t>(f.height());
    return bytes;
}

std::uint64_t FrameStore::spilledBytes() const { return 0; }

const FrameStoreLimits& FrameStore::limits() const { return impl_->limits; }

} // namespace wavory
