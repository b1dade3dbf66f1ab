#include "anim/FrameSeriesWriter.h"

#include "anim/FrameFileWriting.h"
#include "common/WorkPool.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <algorithm>
#include <memory>
#include <system_error>

namespace wavory {

FrameSeriesWriter::FrameSeriesWriter(unsigned threads, FrameFileWrite writeFile)
    : writeFile_(writeFile ? std::move(writeFile) : FrameFileWrite(writeBmp)),
      capacity_(2 * static_cast<std::size_t>(std::max(1u, threads))) {}

FrameSeriesWriter::~FrameSeriesWriter() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_ == 0; });
}

Result FrameSeriesWriter::write(std::string path, const Canvas& frame) {
    auto copy = std::make_shared<const Canvas>(frame);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_ || pending_ < capacity_; });
    if (failed_) { // the files begun before it end first: one of them may fail too
        changed_.wait(lock, [&] { return pending_ == 0; });
        return failure_;
    }
    const std::size_t order = next_++;
    paths_.push_back(path);
    ++pending_;
    lock.unlock();
    try {
        WorkPool::shared().post([this, order, path = std::move(path), copy]() mutable {
            writeOne(order, path, *copy);
            copy.reset();
            // Told under the lock: once it is let go, finish() may return and the
            // writer go away.
            const std::lock_guard done(mutex_);
            --pending_;
            changed_.notify_all();
        });
    } catch (...) {
        const std::lock_guard undo(mutex_);
        --pending_;
        throw;
    }
    // This frame is queued: a failure, its own included, is told by a later write or by
    // finish().
    return {};
}

Result FrameSeriesWriter::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_ == 0; });
    return failed_ ? failure_ : Result{};
}

void FrameSeriesWriter::writeOne(std::size_t order, const std::string& path, const Canvas& frame) {
    {
        const std::lock_guard lock(mutex_);
        // Nothing starts after a failed frame; a frame before it is still written, so
        // that the first frame missing is the one named.
        if (failed_ && order > failedOrder_)
            return;
    }
    const std::error_code written = writeFile_(path, frame);
    if (written) {
        const std::lock_guard lock(mutex_);
        recordFailure(order, written);
    }
}

void FrameSeriesWriter::recordFailure(std::size_t order, const std::error_code& ec) {
    if (failed_ && order > failedOrder_)
        return;
    failed_ = true;
    failedOrder_ = order;
    // Reported once every file begun has ended: the files before the first failure in
    // series order were all begun before it (in order) and written.
    failure_ = frameSeriesFailure(systemErrorText(ec), order > 0 ? paths_.front() : std::string(),
                                  order > 0 ? paths_[order - 1] : std::string(), paths_[order]);
}

} // namespace wavory
