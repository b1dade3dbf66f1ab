#pragma once
// The pattern synthesis: renders one drawing from a parameter snapshot onto the canvas,
// column by column, reporting progress, honouring a stop request and handing over the
// finished columns as it goes. The pixels are computed on several threads; what the
// caller sees (canvas content, callbacks, their order) is exactly that of drawing
// column after column on one thread.

#include "colorsets/GColor.h"
#include "engine/DrawResult.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavory {

// The whole percent a progress report of `done` of `total` columns stands for: the columns
// before the newest one, rounded down, so the first report gives 0 and none gives 100.
int progressPercent(int done, int total);

// What the picture window learns during a drawing. Every call comes on the thread that
// called DrawMain, in column order.
class DrawObserver {
  public:
    virtual ~DrawObserver() = default;
    // The canvas is prepared for the mode (cleared to black in normal mode): show it.
    virtual void started() {}
    // The same in normal mode: the picture shows black until its columns are handed
    // over (the canvas itself may not be cleared).
    virtual void startedBlack() { started(); }
    // After every G-th column: columns [0, done) of the `total` are final. The window and
    // the renderer word it (progressPercent).
    virtual void progress(int done, int total) {
        (void)done;
        (void)total;
    }
    // At the finish: Completed, or Stopped after a stop request.
    virtual void finished(DrawOutcome outcome) { (void)outcome; }
    // Asked right after each progress report; true ends the drawing after that column.
    // Here the window lets the user interface process its pending events.
    virtual bool stopRequested() { return false; }
    // Columns [x0, x1) of the canvas are final (every F-th column and at the finish).
    // Show only the columns handed over: in normal mode, and in every mode over a picture
    // kept apart, the computing threads write straight onto the canvas, so later columns
    // may already hold parts of the drawing (a stop puts back what the columns not
    // reached show before the finish).
    virtual void columnsReady(int x0, int x1) {
        (void)x0;
        (void)x1;
    }
};

struct DrawOptions {
    // Threads computing pixels, the caller's included; 0 means one per processor core.
    unsigned threads = 0;
    // Keys the bleed noise of this drawing. The program takes a fresh one from
    // programRandom().nextBits() for every drawing; equal keys give equal images.
    std::uint64_t noiseKey = 0;
    // When set (width x height elements), also receives |v|, the pattern value of every
    // pixel before its color is looked up, column-major (column x at [x H, (x + 1) H)),
    // saturated to 32 bits. Complete only after a completed drawing.
    std::uint32_t* patternMagnitudes = nullptr;
    // The picture the drawing goes over when it is kept apart from the canvas (the window
    // keeps it as the undo image). Used when it has the drawing's size and is not the
    // canvas itself; it is only read: AND, OR and XOR combine with its pixels, and a
    // stopped drawing leaves its columns (black ones in normal mode) where it did not
    // reach. Every pixel of the canvas is then written, so the canvas is never cleared
    // first and a watched drawing needs no staging image.
    const Canvas* previous = nullptr;
    // False: the drawing's working memory is its own, freed at its end, and what is kept
    // for the next drawing (below) stays as it is: a small look ahead between two
    // drawings of a large picture takes neither the large one's memory nor its tables.
    bool keepMemory = true;
};

// Draws the snapshot with the color set onto the canvas. A canvas of another size is
// first resized (cleared to black where AND, OR and XOR will read it, unless they read
// options.previous). With an observer,
// normal mode clears the canvas to black and fills it column by column; AND, OR and XOR
// combine each new pixel with the one on the canvas. Without an observer nobody looks
// while it draws, so the columns go onto the canvas in any order, on every thread; the
// pixels are the same either way.
// A refused drawing (drawRefusal) changes nothing and calls no observer method.
// Errors (out of memory) propagate as exceptions after every thread has finished.
DrawResult DrawMain(const DrawParams& params, const GColor& colorSet, Canvas& canvas,
                    DrawObserver* observer = nullptr, const DrawOptions& options = {});

// DrawMain keeps its working memory for the next drawing that needs the same amount: the
// tables of the plus, ribbon and ripple terms (at most 6.5 bytes a pixel), the pattern
// value of every pixel (2 bytes a pixel, 4 when the amplitudes add up to more than 32765;
// none above 128 MiB) and the staging image of a watched AND, OR or XOR drawing (4 bytes a
// pixel). One that needs another amount, or draws a picture of another size, frees it
// first. The bytes kept now.
std::size_t keptDrawingMemory();

// What is kept is also used as it is by the next drawing with the same inputs: a table
// while the size, the center, the power and its component's period stay (its amplitude
// may change), the pattern values while everything but the phase, the color set, the
// mode, the frame and the bleed (its width and key) stays; such a drawing only colors the
// kept values, adding the bleed's noise afresh. After this call the next drawing computes
// everything in full (for benchmarks of a whole drawing).
void forgetKeptTables();

} // namespace wavory
