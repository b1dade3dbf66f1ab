#pragma once
// Paints a recoloured frame onto the canvas on helper threads, block of columns by block,
// ahead of the caller, who waits for the columns it hands over next. Nobody reads columns
// before they are handed over; the caller clears the ones painted ahead if it stops.

#include "anim/PhasePattern.h"
#include "image/Canvas.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace wavory {

class ColumnsAhead {
  public:
    // Columns in blocks of `blockWidth`, on `threads` threads counting the caller's.
    ColumnsAhead(const PhasePattern::Painter& painter, Canvas& canvas, int blockWidth,
                 unsigned threads);
    ~ColumnsAhead(); // stops the helpers and waits for them
    ColumnsAhead(const ColumnsAhead&) = delete;
    ColumnsAhead& operator=(const ColumnsAhead&) = delete;

    // Returns once the columns [x0, x1) are painted, painting blocks itself meanwhile.
    void waitFor(int x0, int x1);

  private:
    bool paintNext();
    void work();

    const PhasePattern::Painter& painter_;
    Canvas& canvas_;
    int width_;
    int blockWidth_;
    int blocks_;
    std::mutex mutex_;
    std::condition_variable done_;
    int next_ = 0;            // the next block to hand out
    std::vector<char> ready_; // by block
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

} // namespace wavory
