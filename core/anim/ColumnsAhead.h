#pragma once
// Paints a recoloured frame into a scratch canvas on helper threads, block of columns by
// block, ahead of the caller, who takes the finished columns in order onto the canvas it
// shows. The shown canvas is written by the caller only, as DrawMain does it.

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
    ColumnsAhead(const PhasePattern::Painter& painter, Canvas& scratch, int blockWidth,
                 unsigned threads);
    ~ColumnsAhead(); // stops the helpers and waits for them
    ColumnsAhead(const ColumnsAhead&) = delete;
    ColumnsAhead& operator=(const ColumnsAhead&) = delete;

    // Copies the columns [x0, x1) of the scratch canvas onto `canvas` once they are
    // painted, painting blocks itself while it waits.
    void take(Canvas& canvas, int x0, int x1);

  private:
    bool paintNext();
    void work();

    const PhasePattern::Painter& painter_;
    Canvas& scratch_;
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
