#pragma once
// Writes the frames of a numbered series as BMP files (writeFrameBmp) on the work pool,
// while the caller makes the next frames: a frame file costs little computing but waits
// for the disk (sync, rename, folder sync), and those waits overlap.
//
// Each file is still written whole and atomically. After a failure no further file is
// started; files already written stay, as they would in a sequential save, and the
// failure names them and the first one missing (frameSeriesFailure).

#include "common/Result.h"
#include "image/Canvas.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace wavory {

// Writes one frame file; writeBmp, or a stand-in that fails on purpose.
using FrameFileWrite = std::function<std::error_code(const std::string& path, const Canvas& frame)>;

class FrameSeriesWriter {
  public:
    // Up to `threads` files are written at once; as many more frames wait in the queue.
    explicit FrameSeriesWriter(unsigned threads = 3, FrameFileWrite writeFile = {});
    ~FrameSeriesWriter(); // waits for the files started
    FrameSeriesWriter(const FrameSeriesWriter&) = delete;
    FrameSeriesWriter& operator=(const FrameSeriesWriter&) = delete;

    // Queues a copy of the frame for `path`; waits while the queue is full. Returns the
    // failure of an earlier file, if any (this frame is then not queued), once the
    // files begun have ended.
    Result write(std::string path, const Canvas& frame);
    // Waits until every queued file is written; the first failure in series order.
    Result finish();

  private:
    void writeOne(std::size_t order, const std::string& path, const Canvas& frame);
    // Keeps the failure of file `order` when it comes first in series order.
    void recordFailure(std::size_t order, const std::error_code& ec);

    FrameFileWrite writeFile_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t capacity_;   // frames queued or being written at most
    std::size_t pending_ = 0; // frames queued or being written
    std::size_t next_ = 0;
    bool failed_ = false;
    std::size_t failedOrder_ = 0;
    Result failure_;
    std::vector<std::string> paths_; // by order, for the failure's message
};

} // namespace wavory
