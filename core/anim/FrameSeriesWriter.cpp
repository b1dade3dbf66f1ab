#include "anim/FrameSeriesWriter.h"

#include "anim/FrameFileWriting.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <algorithm>
#include <system_error>

namespace wavory {

FrameSeriesWriter::FrameSeriesWriter(unsigned threads, FrameFileWrite writeFile)
    : writeFile_(writeFile ? std::move(writeFile) : FrameFileWrite(writeBmp)),
      capacity_(std::max(1u, threads)) {
    for (std::size_t i = 0; i < capacity_; ++i) {
        try {
            threads_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
}

FrameSeriesWriter::~FrameSeriesWriter() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (auto& t : threads_)
        t.join();
}

Result FrameSeriesWriter::write(std::string path, const Canvas& frame) {
    if (threads_.empty()) { // no thread could be started: write it here
        std::lock_guard lock(mutex_);
        if (failed_)
            return failure_;
        const std::size_t order = next_++;
        paths_.push_back(path);
        if (const std::error_code ec = writeFile_(path, frame))
            recordFailure(order, ec);
        return failed_ ? failure_ : Result{};
    }
    Job job{0, std::move(path), frame};
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_ || queue_.size() < capacity_; });
    if (failed_) { // the files begun before it end first: one of them may fail too
        changed_.wait(lock, [&] { return queue_.empty() && busy_ == 0; });
        return failure_;
    }
    job.order = next_++;
    paths_.push_back(job.path);
    queue_.push_back(std::move(job));
    changed_.notify_all();
    return {};
}

Result FrameSeriesWriter::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return queue_.empty() && busy_ == 0; });
    return failed_ ? failure_ : Result{};
}

void FrameSeriesWriter::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (queue_.empty())
            return; // closing, nothing left
        Job job = std::move(queue_.front());
        queue_.pop_front();
        if (failed_) { // nothing new starts after a failure
            changed_.notify_all();
            continue;
        }
        ++busy_;
        lock.unlock();
        const std::error_code written = writeFile_(job.path, job.frame);
        job.frame = Canvas();
        lock.lock();
        --busy_;
        if (written)
            recordFailure(job.order, written);
        changed_.notify_all();
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
