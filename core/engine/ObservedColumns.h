#pragma once
// The events a watched drawing of W columns gives its observer, in column order: a
// progress report and then the stop question every G-th column, the finished columns every
// F-th column, and at the end the columns not yet handed over and the outcome. The
// synthesis and the recoloured animation frames both draw through it, so the window
// sees the same events from either.

#include "engine/DrawMain.h"

namespace wavory {

class ObservedColumns {
  public:
    ObservedColumns(DrawObserver& observer, int width);

    // The last column of the stretch that starts at `drawn`: the next column the observer
    // hears about, or the last column of the picture.
    int stretchEnd(int drawn) const;
    // Columns [0, last] are final: the events due at `last`. False when the observer
    // asked to stop.
    bool reached(int last);
    // Ends the drawing with columns [0, drawn) drawn: hands over the rest of them and
    // reports the outcome.
    DrawResult finish(int drawn, bool stopped);

  private:
    DrawObserver& observer_;
    int width_;
    int progressStep_;
    int handOverStep_;
    int handedOver_ = 0; // columns [0, handedOver_) have been handed over
};

// Blackens the columns [x0, W) of every row: the columns a stopped drawing never reached
// (helpers may have painted some of them ahead).
void blackenFrom(Canvas& canvas, int x0);
// Copies the columns [x0, W) of every row from `from` (of the canvas's size).
void copyColumnsFrom(const Canvas& from, Canvas& canvas, int x0);

} // namespace wavory
