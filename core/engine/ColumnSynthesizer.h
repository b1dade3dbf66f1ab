#pragma once
// The pixel work of the fast synthesis, one column (or one column and its mirror) at a
// time, safe to call from several threads at once.
//
// Everything that depends only on the column, the row, the diagonal or the square ring
// is computed once per drawing. Per pixel remain the plus, ribbon and ripple
// components, and their values are shared wherever their arguments are exactly equal:
// - between a pixel and its mirror through the center, (dx, dy) -> (-dx, -dy), where
//   dx dy, dy / dx and dx^2 + dy^2 + 1 are all unchanged;
// - for the ripple, between the rows dy and -dy of one column;
// - between the columns dx and 2 dx: the plus at (2 dx, dy) is the plus at (dx, 2 dy),
//   and the ribbon at (2 dx, 2 dy) is the ribbon at (dx, dy) (equal quotients give the
//   same correctly rounded double).
// Nothing is rearranged that would change a single bit.

#include "colorsets/ColorTable.h"
#include "engine/ColorLookup.h"
#include "engine/FrameEffect.h"
#include "params/DrawParams.h"

#include <cstdint>
#include <vector>

namespace wavory {

// The largest |v| (pattern value after power and bleed) a drawing can reach.
std::uint64_t patternValueBound(const DrawParams& params);

class ColumnSynthesizer {
  public:
    // The per-pixel terms of one column, by row.
    struct Terms {
        std::vector<double> plus, ribbon, ripple;
    };
    // One thread's working memory.
    struct Scratch {
        Terms current, previous, mirror;
    };

    // A unit of work: the columns whose |dx| is o, 2 o, 4 o, ... for one odd o (or the
    // center column alone, o = 0), on both sides of the center.
    struct Unit {
        int firstColumn = 0; // the leftmost of its columns
        std::int64_t oddPart = 0;
    };

    // With `magnitudes`, compute() also writes |v| of every pixel there (column-major like
    // the staging image, saturated to 32 bits) before any color is looked up.
    ColumnSynthesizer(const DrawParams& params, const ColorTable& table, std::uint64_t noiseKey,
                      std::uint32_t* magnitudes = nullptr);

    // The units covering every column once, in increasing order of their first column.
    std::vector<Unit> units() const;

    // Calls f(x) for every column of the unit.
    template <typename F> void forEachColumn(const Unit& unit, F f) const {
        forEachStep(unit, [&](std::int64_t, int a, int b) {
            if (a >= 0)
                f(a);
            if (b >= 0)
                f(b);
        });
    }

    Scratch makeScratch() const;

    // Writes the drawn colors (packed R | G << 8 | B << 16, before the draw mode) of the
    // unit's columns into staging, column-major: column x occupies [x H, (x + 1) H).
    void compute(const Unit& unit, Scratch& scratch, std::uint32_t* staging) const;

  private:
    // Calls f(magnitude, first column, second column or -1) for each |dx| of the unit
    // that has a column in the image; the first column is the one right of the center
    // when both exist. Passes magnitude -1 before a gap in the chain.
    template <typename F> void forEachStep(const Unit& unit, F f) const {
        if (unit.oddPart == 0) {
            f(0, static_cast<int>(cx_), -1);
            return;
        }
        for (std::int64_t m = unit.oddPart; m <= magnitudeMax_; m *= 2) {
            const std::int64_t right = cx_ + m;
            const std::int64_t left = cx_ - m;
            const bool hasRight = right >= 0 && right < w_;
            const bool hasLeft = left >= 0 && left < w_;
            if (hasRight)
                f(m, static_cast<int>(right), hasLeft ? static_cast<int>(left) : -1);
            else if (hasLeft)
                f(m, static_cast<int>(left), -1);
            else
                f(-1, -1, -1);
        }
    }

    double term(float amplitude, double c) const;
    double plusTerm(std::int64_t dx, std::int64_t dy) const;
    double ribbonTerm(std::int64_t dx, std::int64_t dy) const;
    double rippleTerm(std::int64_t dx, std::int64_t dy) const;

    // Terms of column x; half-column (dx / 2) terms are reused when given.
    void fillColumnTerms(int x, Terms& out, const Terms* half, std::int64_t halfDx) const;
    // Rows [y0, y1) of the mirror column read the source column's terms at 2 cy - y.
    void mirroredRows(std::int64_t& y0, std::int64_t& y1) const;
    // Terms of the mirror column's other rows.
    void fillMirrorTerms(int mirror, Terms& out) const;
    // Draws column x from its terms; rows [mirrored0, mirrored1) take theirs from the
    // mirrored column at row 2 cy - y instead.
    void renderColumn(int x, const Terms& terms, const Terms* mirrored, std::int64_t mirrored0,
                      std::int64_t mirrored1, std::uint32_t* out) const;

    // The per-pixel terms of a run of rows: element k belongs to the run's k-th row.
    struct TermRun {
        const double* plus;
        const double* ribbon;
        const double* ripple;
        std::ptrdiff_t step; // +1 along the same column, -1 along the mirrored one
    };
    // Draws the rows [y0, y1) of column x; q is the frame weight carried along the column.
    template <bool Bleed, bool Frame, bool Capture>
    void renderRows(int x, int y0, int y1, TermRun terms, double& q, std::uint32_t* out) const;
    template <bool Capture>
    void rowsOf(bool bleed, bool frame, int x, int y0, int y1, TermRun run, double& q,
                std::uint32_t* out) const;

    const DrawParams& p_;
    int w_, h_;
    std::int64_t cx_, cy_;
    std::int64_t magnitudeMax_ = 0; // the largest |dx| of the image
    bool powerIsOne_;
    double power_;
    std::uint64_t noiseKey_;
    std::uint32_t* magnitudes_;
    bool plusOn_, ribbonOn_, rippleOn_, circleOn_;

    std::vector<double> vertical_;   // A0 term by column
    std::vector<double> horizontal_; // A1 term by row
    std::vector<double> diagonal_;   // A2 term by x + y
    std::vector<double> circleRow_;  // cos(dy / P3y) by row
    std::vector<double> circleCol_;  // cos(dx / P3x) by column
    std::vector<double> rectangle_;  // A4 term by max(|dx|, |dy|) - rectMin_
    std::int64_t rectMin_ = 0;

    ColorLookup colors_;
    FrameShading frame_;
    std::vector<double> frameCarry_; // q inherited by each column's first pixel
};

} // namespace wavory
