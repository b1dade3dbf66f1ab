#pragma once
// The pixel work of the fast synthesis, one column (or one column and its mirror) at a
// time, safe to call from several threads at once.
//
// Everything that depends only on the column, the row, the diagonal or the square ring
// is computed once per drawing. Per pixel remain the plus, ribbon and ripple
// components, and those are shared between a pixel and its mirror through the pattern
// center (dx, dy) -> (-dx, -dy), where their integer arguments (dx dy, dy / dx and
// dx^2 + dy^2 + 1) are exactly equal; the ripple is also shared between the rows dy and
// -dy of a column. Nothing is rearranged that would change a single bit.

#include "colorsets/ColorTable.h"
#include "engine/ColorLookup.h"
#include "engine/DrawParams.h"
#include "engine/FrameEffect.h"

#include <cstdint>
#include <vector>

namespace wavory {

class ColumnSynthesizer {
public:
    // One thread's working memory.
    struct Scratch {
        std::vector<double> plus, ribbon, ripple;             // terms of the first column
        std::vector<double> mirrorPlus, mirrorRibbon, mirrorRipple; // of its mirror
    };

    ColumnSynthesizer(const DrawParams& params, const ColorTable& table, std::uint64_t noiseKey);

    // A unit of work: a column, plus its mirror column when that lies in the image.
    struct Unit {
        int column = 0;
        int mirror = -1;
    };
    // The units covering every column once, in increasing order of their first column.
    std::vector<Unit> units() const;

    Scratch makeScratch() const;

    // Writes the drawn colors (packed R | G << 8 | B << 16, before the draw mode) of the
    // unit's columns into staging, column-major: column x occupies [x H, (x + 1) H).
    void compute(const Unit& unit, Scratch& scratch, std::uint32_t* staging) const;

private:
    double term(float amplitude, double c) const;
    double plusTerm(std::int64_t dx, std::int64_t dy) const;
    double ribbonTerm(std::int64_t dx, std::int64_t dy) const;
    double rippleTerm(std::int64_t dx, std::int64_t dy) const;

    void fillColumnTerms(int x, Scratch& s) const;
    void fillMirrorTerms(int mirror, Scratch& s) const;
    void renderColumn(int x, const double* plus, const double* ribbon, const double* ripple,
                      std::uint32_t* out) const;

    const DrawParams& p_;
    int w_, h_;
    std::int64_t cx_, cy_;
    bool powerIsOne_;
    double power_;
    std::uint64_t noiseKey_;
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
