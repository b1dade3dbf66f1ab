#include "anim/FrameSeriesWriter.h"

#include "anim/FrameFileWriting.h"

#include <algorithm>
#include <system_error>

namespace wavory {

FrameSeriesWriter::FrameSeriesWriter(unsigned threads) : capacity_(std::max(1u, threads)) {
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
    if (threads_.empty()) // no thread could be started: write it here
        return writeFrameBmp(path, frame);
    Job job{0, std::move(path), frame};
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_ || queue_.size() < capacity_; });
    if (failed_)
        return failure_;
    job.order = next_++;
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
        Result written = writeFrameBmp(job.path, job.frame);
        job.frame = Canvas();
        lock.lock();
        --busy_;
        if (!written.ok() && (!failed_ || job.order < failedOrder_)) {
            failed_ = true;
            failedOrder_ = job.order;
            failure_ = std::move(written);
        }
        changed_.notify_all();
    }
}

} // namespace wavory
