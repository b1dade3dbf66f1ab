#pragma once
// The pattern values of one drawing, kept so that the drawing can be painted again at any
// phase without computing a wave: a pixel's color is the table entry of its |v| shifted
// by the phase, then shaded by the frame, exactly as the synthesis does it.

#include "colorsets/ColorTable.h"
#include "colorsets/GColor.h"
#include "engine/ColorLookup.h"
#include "engine/FrameEffect.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace wavory {

class PhasePattern {
  public:
    // True when the animation recolours frames of these parameters: normal mode (the
    // combining modes depend on the frame before), no bleed (those frames are drawn in
    // full), and every |v| fits 32 bits.
    static bool suits(const DrawParams& params);

    // From the magnitudes a completed DrawMain captured (DrawOptions::patternMagnitudes:
    // column-major, width x height).
    PhasePattern(const DrawParams& params, const GColor& colorSet,
                 const std::uint32_t* columnMajorMagnitudes);

    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes held.
    std::size_t bytes() const;

    // Paints the drawing at one phase.
    class Painter {
      public:
        Painter(const PhasePattern& pattern, int phase);
        // Columns [x0, x1) of the canvas, which has the pattern's size.
        void paint(Canvas& canvas, int x0, int x1) const;

      private:
        friend class PhasePattern;
        // Rows [y0, y1) of every column; only without the frame, whose weights run down
        // each column from its top.
        void paintRows(Canvas& canvas, int y0, int y1) const;
        template <typename T>
        void paintBlock(const T* values, Canvas& canvas, int x0, int x1, int y0, int y1) const;
        const PhasePattern& pattern_;
        ColorLookup colors_;
    };

    // The whole picture at `phase` onto the canvas (resized to the pattern's size), on
    // `threads` threads (0: one per core).
    void paintAll(int phase, Canvas& canvas, unsigned threads) const;

  private:
    int width_, height_;
    std::uint64_t bound_;
    std::unique_ptr<ColorTable> table_;
    bool frameOn_;
    FrameShading frame_;
    std::vector<double> frameCarry_;
    // Row-major |v|, in 16 bits when every value fits.
    std::vector<std::uint16_t> narrow_;
    std::vector<std::uint32_t> wide_;
};

} // namespace wavory
