#pragma once
// The pixel work of the fast synthesis, a band of columns at a time, safe to call from
// several threads at once.
//
// Every term is computed once per distinct argument:
// - the vertical, horizontal, diagonal and rectangle terms once per column, row, x + y
//   and square ring (the rectangle's |dx - dy| + |dx + dy| is 2 max(|dx|, |dy|));
// - the circle, plus, ribbon and ripple terms once per pair m = |dx|, b = |dy|, shared
//   by the pixels (cx +- m, cy +- b): (-dx) dy and dy / (-dx) are the exact negations of
//   dx dy and dy / dx, and the C library's cos is even and its atan odd to the bit (both
//   work on the magnitude and restore the sign), so every sign gives the same double;
// - the plus and ripple terms are symmetric in m and b as well: where both orders lie in
//   the image they come from triangle tables filled once per drawing (prepare());
// - the ribbon's dy / dx is the same double for (m, b) and (m / p, b / p), both being the
//   correctly rounded value of one fraction: with the center in the image, every pair
//   with a common prime factor p takes its term from a table of the pairs up to half
//   of the largest m and b, or, where the terms of every pair are kept, from the row
//   m / p filled before.
// The terms are added in the fixed order, so nothing changes a single bit.
//
// What a drawing computed is kept for the next one (KeptMemory): the plus, ribbon and
// ripple tables hold c^E without the amplitude, each for its own period and the power;
// and the pattern value v of every pixel before the bleed, with what it depends on.
// A drawing whose v are kept (another phase, color set, mode, frame or bleed) computes
// no term at all and only turns the kept values into colors.

#include "colorsets/ColorTable.h"
#include "engine/ColorLookup.h"
#include "engine/FrameEffect.h"
#include "engine/KeptMemory.h"
#include "engine/PairTable.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace wavory {

// The largest |v| (pattern value after power and bleed) a drawing can reach.
std::uint64_t patternValueBound(const DrawParams& params);

// Where computed columns go: straight onto the canvas (in the AND, OR and XOR modes
// combined with the pixel of `previous` at the same place, or of the canvas itself
// without it), or, with `staging`, into a column-major staging image (column x at
// [x H, (x + 1) H)) as packed colors R | G << 8 | B << 16.
struct ColumnOutput {
    Canvas* canvas = nullptr;
    DrawMode mode = DrawMode::Normal;
    std::uint32_t* staging = nullptr;
    const Canvas* previous = nullptr;
};

class ColumnSynthesizer {
  public:
    // One thread's working memory.
    struct Scratch {
        // Circle and ribbon terms of one m, by b - (smallest |dy|); plus and ripple terms
        // of every m of a unit, one such row after another.
        std::vector<double> circle, plus, ribbon, ripple;
        const double* plusRow = nullptr;   // the plus terms of one m
        const double* rippleRow = nullptr; // the ripple terms of one m
        std::vector<char> shared;          // by b - loY: the ribbon term came from the table
        const double* ribbonRow = nullptr; // the ribbon terms of one m: `ribbon` or a kept row
        std::vector<double> sum;           // by row: the sum rounded, v before the bleed
        std::vector<std::uint32_t> block;  // the colors of a unit's columns, one after another
    };

    // The columns whose |dx| lies in [m0, m1), on both sides of the center.
    struct Unit {
        int firstColumn = 0; // the leftmost of its columns
        std::int64_t m0 = 0, m1 = 0;
    };

    // With `magnitudes`, compute() also writes |v| of every pixel there (column-major,
    // saturated to 32 bits) before any color is looked up.
    ColumnSynthesizer(const DrawParams& params, const ColorTable& table, std::uint64_t noiseKey,
                      std::uint32_t* magnitudes = nullptr);

    // Fills the tables every column reads, on `threads` threads; before any compute().
    // Tables kept from an earlier drawing with the same inputs are used as they are, and
    // so are the kept pattern values.
    void prepare(unsigned threads);
    // After every unit was computed: the pattern values written are kept for the next
    // drawing with the same inputs (a stopped or failed drawing leaves them undefined).
    void keepValues();

    // The units covering every column once, in increasing order of their first column.
    std::vector<Unit> units() const;

    // Calls f(x) for every column of the unit.
    template <typename F> void forEachColumn(const Unit& unit, F f) const {
        for (std::int64_t m = unit.m0; m < unit.m1; ++m) {
            const std::int64_t right = cx_ + m;
            const std::int64_t left = cx_ - m;
            if (right >= 0 && right < w_)
                f(static_cast<int>(right));
            if (m > 0 && left >= 0 && left < w_)
                f(static_cast<int>(left));
        }
    }

    Scratch makeScratch() const;

    // Draws the unit's columns into the output.
    void compute(const Unit& unit, Scratch& scratch, const ColumnOutput& output) const;

  private:
    // c^E, and A c^E.
    double raised(double c) const;
    double term(float amplitude, double c) const;
    // The plus, ribbon and ripple terms of (m, b) without their amplitude.
    double plusValue(std::int64_t m, std::int64_t b) const;
    double ribbonValue(std::int64_t m, std::int64_t b) const;
    double rippleValue(std::int64_t m, std::int64_t b) const;

    // The circle and ribbon terms of every b for one m.
    void fillTerms(std::int64_t m, Scratch& s) const;
    // The plus and ripple terms of every b for every m of the unit.
    void fillPairTerms(const Unit& unit, Scratch& s) const;
    // The sum of the terms of every row of column x (|dx| = m), rounded: v before the
    // bleed, in s.sum.
    void sumColumn(int x, std::int64_t m, Scratch& s) const;
    // Keeps v of column x (in s.sum) when the values are kept.
    void keepColumn(int x, const Scratch& s) const;
    // Adds the bleed to v of every row of column x (whole numbers), looks up the colors
    // and shades the frame.
    template <bool Bleed, bool Frame, bool Capture, typename T>
    void colorColumn(int x, const T* values, std::uint32_t* out) const;
    // Puts the unit's colors (s.block, column after column) into the output.
    void storeBlock(const int* columns, int count, const Scratch& s,
                    const ColumnOutput& output) const;

    const DrawParams& p_;
    int w_, h_;
    std::int64_t cx_, cy_;
    std::int64_t loY_ = 0, hiY_ = 0; // smallest and largest |dy| of the image
    std::int64_t loX_ = 0, hiX_ = 0; // smallest and largest |dx|
    bool powerIsOne_;
    double power_;
    std::uint64_t noiseKey_;
    std::uint32_t* magnitudes_;
    bool plusOn_, ribbonOn_, rippleOn_, circleOn_;

    std::vector<double> vertical_;   // A0 term by column
    std::vector<double> horizontal_; // A1 term by row
    std::vector<double> diagonal_;   // A2 term by x + y
    std::vector<double> circleRow_;  // cos(b / P3y) by b - loY
    std::vector<double> rectangle_;  // A4 term by max(|dx|, |dy|) - rectMin_
    std::int64_t rectMin_ = 0;

    std::unique_ptr<KeptMemory> plusMemory_, rippleMemory_;
    PairTable plusTable_, rippleTable_;
    // Ribbon terms of m < ribbonColumns_, b < ribbonRows_ (row by m); empty when unused.
    std::unique_ptr<KeptMemory> ribbonMemory_;
    const double* ribbonTable_ = nullptr;
    std::int64_t ribbonColumns_ = 0, ribbonRows_ = 0;
    // The ribbon terms of every pair, row by m, by b (the center is in the picture), when
    // they fit the budget: another period or amplitude of the other components then
    // computes no ribbon term, and another amplitude of the ribbon neither. With them the
    // table above is not used.
    std::unique_ptr<KeptMemory> ribbonTermsMemory_;
    const double* ribbonTerms_ = nullptr;
    std::int64_t ribbonTermsRow_ = 0; // terms in a row: one more than the largest b kept
    void prepareRibbon(unsigned threads);
    void prepareRibbonHalf(unsigned threads);
    void preparePairTables(unsigned threads);
    // The ribbon terms of every b for one m into out (by b - loY); `shared` has as many
    // bytes.
    void fillRibbon(std::int64_t m, double* out, char* shared) const;
    // The same for b in [start, last], with the center in the image: the pairs (m, b)
    // with a common prime p take the term of (m / p, b / p) from row m / p of `source`
    // (rows of `sourceRow` terms by b), the others are computed.
    void fillRibbonFrom(std::int64_t m, std::int64_t start, std::int64_t last,
                        const double* source, std::int64_t sourceRow, double* out,
                        char* shared) const;
    // The bytes that identify a table's values (see KeptMemory::fillFor()).
    std::string tableInputs(std::initializer_list<std::int64_t> extent, int component) const;
    // The extent (`count` numbers) of the table kept in the slot when it holds the terms
    // of the same component, period and power.
    bool keptExtent(KeptMemory::Slot slot, int component, std::int64_t* extent,
                    std::size_t count) const;

    // The pattern values v of every pixel, column-major, in valueBytes_ (2 or 4) bytes;
    // none when they would not fit the budget or the memory is not there.
    std::unique_ptr<KeptMemory> valueMemory_;
    int valueBytes_ = 0;
    std::string valueInputs_;
    bool fromKeptValues_ = false; // this drawing reads them instead of computing them
    std::string valueInputs() const;
    void prepareValues();

    ColorLookup colors_;
    FrameShading frame_;
    std::vector<double> frameCarry_; // q inherited by each column's first pixel
};

} // namespace wavory
