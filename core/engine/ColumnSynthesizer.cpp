#include "engine/ColumnSynthesizer.h"

#include "engine/BleedNoise.h"
#include "engine/DrawModes.h"
#include "engine/DrawingMemory.h"
#include "engine/ParallelWork.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace wavory {

namespace {

// Columns of |dx| in [m0, m0 + kBandWidth) make one unit: neighbouring columns share the
// cache lines of the canvas rows they write.
constexpr std::int64_t kBandWidth = 8;

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Smallest and largest |d| for d = first - center ... last - center.
void magnitudeRange(std::int64_t first, std::int64_t last, std::int64_t center, std::int64_t& lo,
                    std::int64_t& hi) {
    const std::int64_t a = first - center;
    const std::int64_t b = last - center;
    hi = std::max(std::llabs(a), std::llabs(b));
    lo = (a <= 0 && b >= 0) ? 0 : std::min(std::llabs(a), std::llabs(b));
}

// out[i] = the sum of row i of a run whose b moves by Dir per row; the terms indexed by
// b are read at [Dir i], the row terms at [i]. The ring (rectangle) term is `ringValue`
// throughout when RingFixed, else ring[Dir i]. Written so that the compiler can use
// vector instructions; every lane adds in the same order as the plain evaluation.
template <int Dir, bool RingFixed>
void sumRun(int n, const double* __restrict horizontal, double c0,
            const double* __restrict diagonal, const double* __restrict circle,
            const double* __restrict ring, double ringValue, const double* __restrict plus,
            const double* __restrict ribbon, const double* __restrict ripple,
            double* __restrict out) {
    for (int i = 0; i < n; ++i) {
        const double t4 = RingFixed ? ringValue : ring[Dir * i];
        out[i] = horizontal[i] + c0 + diagonal[i] + circle[Dir * i] + t4 + plus[Dir * i] +
                 ribbon[Dir * i] + ripple[Dir * i];
    }
}

} // namespace

// Every |c^E| is at most 1, and the bleed adds at most N / 2 (plus rounding).
std::uint64_t patternValueBound(const DrawParams& p) {
    double sum = 0.0;
    for (float a : p.amplitude)
        sum += a;
    const double bleed = p.bleed > 0 ? p.bleed / 2.0 + 1.0 : 0.0;
    return static_cast<std::uint64_t>(std::ceil(sum + bleed)) + 2;
}

ColumnSynthesizer::ColumnSynthesizer(const DrawParams& params, const ColorTable& table,
                                     std::uint64_t noiseKey, std::uint32_t* magnitudes)
    : p_(params), w_(params.width), h_(params.height), cx_(params.cx), cy_(params.cy),
      powerIsOne_(params.power == 1.0f), power_(params.power), noiseKey_(noiseKey),
      magnitudes_(magnitudes), plusOn_(params.componentActive(5)),
      ribbonOn_(params.componentActive(6)), rippleOn_(params.componentActive(7)),
      circleOn_(params.componentActive(3)), colors_(table, params.phase, patternValueBound(params)),
      frame_(params.frame, params.width, params.height) {
    const auto W = static_cast<std::size_t>(w_);
    const auto H = static_cast<std::size_t>(h_);
    const auto& A = p_.amplitude;
    const auto& P = p_.period;

    magnitudeRange(0, w_ - 1, cx_, loX_, hiX_);
    magnitudeRange(0, h_ - 1, cy_, loY_, hiY_);

    vertical_.assign(W, 0.0);
    if (A[0] > 0)
        for (int x = 0; x < w_; ++x)
            vertical_[static_cast<std::size_t>(x)] =
                term(A[0], std::cos(static_cast<double>(x - cx_) / P[0]));

    horizontal_.assign(H, 0.0);
    if (A[1] > 0)
        for (int y = 0; y < h_; ++y)
            horizontal_[static_cast<std::size_t>(y)] =
                term(A[1], std::cos(static_cast<double>(y - cy_) / P[1]));

    // dx + dy = (x + y) - (cx + cy).
    diagonal_.assign(W + H - 1, 0.0);
    if (A[2] > 0)
        for (std::size_t d = 0; d < diagonal_.size(); ++d)
            diagonal_[d] =
                term(A[2], std::cos(static_cast<double>(static_cast<std::int64_t>(d) - cx_ - cy_) /
                                    P[2]));

    if (circleOn_) {
        circleRow_.resize(static_cast<std::size_t>(hiY_ - loY_ + 1));
        for (std::int64_t b = loY_; b <= hiY_; ++b)
            circleRow_[static_cast<std::size_t>(b - loY_)] =
                std::cos(static_cast<double>(b) / p_.circlePeriodY);
    }

    // |dx - dy| + |dx + dy| = 2 max(|dx|, |dy|): one value per square ring.
    rectMin_ = std::max(loX_, loY_);
    const std::int64_t rectMax = std::max(hiX_, hiY_);
    rectangle_.assign(static_cast<std::size_t>(rectMax - rectMin_ + 1), 0.0);
    if (A[4] > 0)
        for (std::int64_t j = rectMin_; j <= rectMax; ++j)
            rectangle_[static_cast<std::size_t>(j - rectMin_)] =
                term(A[4], std::cos(static_cast<double>(2 * j) / P[4]));

    if (p_.frame.enabled)
        frameCarry_ = frame_.carryIn();
}

double ColumnSynthesizer::term(float amplitude, double c) const {
    const double a = amplitude;
    if (powerIsOne_)
        return a * c;
    return a * std::pow(c, power_);
}

double ColumnSynthesizer::plusTerm(std::int64_t m, std::int64_t b) const {
    return term(p_.amplitude[5], std::cos(static_cast<double>(m * b) / p_.period[5]));
}

double ColumnSynthesizer::ribbonTerm(std::int64_t m, std::int64_t b) const {
    const std::int64_t mp = m == 0 ? 1 : m;
    const double angle = std::atan(static_cast<double>(b) / static_cast<double>(mp));
    return term(p_.amplitude[6], std::cos(angle / p_.period[6] * 400.0));
}

double ColumnSynthesizer::rippleTerm(std::int64_t m, std::int64_t b) const {
    const auto um = static_cast<std::uint64_t>(m);
    const auto ub = static_cast<std::uint64_t>(b);
    return term(p_.amplitude[7], std::cos(static_cast<double>(um * um + ub * ub + 1)));
}

std::string ColumnSynthesizer::tableInputs(std::int64_t a, std::int64_t b,
                                           std::initializer_list<int> components) const {
    // Everything a table's values depend on, bit for bit: its extent, the power and the
    // period and amplitude of each component in it (-1: a component left out).
    std::string inputs;
    const auto add = [&](const auto& value) {
        inputs.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    add(a);
    add(b);
    add(p_.power);
    for (const int i : components) {
        add(i);
        if (i >= 0) {
            add(p_.period[static_cast<std::size_t>(i)]);
            add(p_.amplitude[static_cast<std::size_t>(i)]);
        }
    }
    return inputs;
}

void ColumnSynthesizer::prepare(unsigned threads) {
    if (ribbonOn_ && loX_ == 0 && loY_ == 0 && hiX_ >= 2 && hiY_ >= 2) {
        ribbonColumns_ = hiX_ / 2 + 1;
        ribbonRows_ = hiY_ / 2 + 1;
        const auto rows = static_cast<std::size_t>(ribbonRows_);
        ribbonMemory_ = std::make_unique<KeptMemory>(
            KeptMemory::Slot::RibbonTable,
            static_cast<std::size_t>(ribbonColumns_) * rows * sizeof(double));
        auto* table = static_cast<double*>(ribbonMemory_->data());
        ribbonTable_ = table;
        ribbonMemory_->fillFor(tableInputs(ribbonColumns_, ribbonRows_, {6}), [&] {
            runParallel(static_cast<std::size_t>(ribbonColumns_), threads,
                        [&](std::size_t m, unsigned) {
                            double* row = table + m * rows;
                            for (std::size_t b = 0; b < rows; ++b)
                                row[b] = ribbonTerm(static_cast<std::int64_t>(m),
                                                    static_cast<std::int64_t>(b));
                        });
        });
    }
    const int count = (plusOn_ ? 1 : 0) + (rippleOn_ ? 1 : 0);
    // The pairs whose m and b can both be either |dx| or |dy| of a pixel.
    const std::int64_t first = std::max(loX_, loY_);
    std::int64_t n = std::min(hiX_, hiY_) - first + 1;
    if (count == 0 || n < 2)
        return;
    // With the ribbon's table (half a byte a pixel) at most 4 bytes a pixel.
    n = pairTableExtent(n, count, w_, h_);
    const std::size_t entries = PairTable::entries(n);
    tableMemory_ = std::make_unique<KeptMemory>(KeptMemory::Slot::PairTables,
                                                entries * sizeof(double) * count);
    double* values = static_cast<double*>(tableMemory_->data());
    if (plusOn_) {
        plusTable_ = PairTable(first, n, values);
        values += entries;
    }
    if (rippleOn_)
        rippleTable_ = PairTable(first, n, values);
    const auto fillRow = [&](std::size_t i, unsigned) {
        const std::int64_t m = first + static_cast<std::int64_t>(i);
        if (plusOn_) {
            double* row = plusTable_.row(m);
            for (std::int64_t b = m; b < first + n; ++b)
                row[b - m] = plusTerm(m, b);
        }
        if (rippleOn_) {
            double* row = rippleTable_.row(m);
            for (std::int64_t b = m; b < first + n; ++b)
                row[b - m] = rippleTerm(m, b);
        }
    };
    tableMemory_->fillFor(tableInputs(first, n, {plusOn_ ? 5 : -1, rippleOn_ ? 7 : -1}),
                          [&] { runParallel(static_cast<std::size_t>(n), threads, fillRow); });
}

std::vector<ColumnSynthesizer::Unit> ColumnSynthesizer::units() const {
    std::vector<Unit> list;
    for (std::int64_t m0 = loX_; m0 <= hiX_; m0 += kBandWidth) {
        Unit unit{w_, m0, std::min(m0 + kBandWidth, hiX_ + 1)};
        forEachColumn(unit, [&](int x) { unit.firstColumn = std::min(unit.firstColumn, x); });
        list.push_back(unit);
    }
    std::sort(list.begin(), list.end(),
              [](const Unit& a, const Unit& b) { return a.firstColumn < b.firstColumn; });
    return list;
}

ColumnSynthesizer::Scratch ColumnSynthesizer::makeScratch() const {
    const auto H = static_cast<std::size_t>(h_);
    const auto B = static_cast<std::size_t>(hiY_ - loY_ + 1);
    Scratch s;
    // Switched-off components keep exactly 0.
    for (auto* v : {&s.circle, &s.plus, &s.ribbon, &s.ripple})
        v->assign(B, 0.0);
    s.shared.assign(B, 0);
    s.sum.resize(H);
    s.block.resize(H * 2 * static_cast<std::size_t>(kBandWidth));
    return s;
}

void ColumnSynthesizer::fillTerms(std::int64_t m, Scratch& s) const {
    const std::int64_t count = hiY_ - loY_ + 1;
    if (circleOn_) {
        const double column = std::cos(static_cast<double>(m) / p_.period[3]);
        const float a3 = p_.amplitude[3];
        for (std::int64_t k = 0; k < count; ++k)
            s.circle[static_cast<std::size_t>(k)] =
                term(a3, circleRow_[static_cast<std::size_t>(k)] * column);
    }
    // Symmetric terms: from the table where it covers both m and b, f(b, m) = f(m, b).
    auto symmetric = [&](const PairTable& table, std::vector<double>& values, auto compute) {
        double* out = values.data(); // by b - loY
        const std::int64_t end = hiY_ + 1;
        std::int64_t b = loY_;
        if (table.covers(m)) {
            const std::int64_t tableEnd = table.first() + table.size();
            for (; b < table.first(); ++b)
                out[b - loY_] = compute(m, b);
            for (; b < std::min(m, end); ++b)
                out[b - loY_] = table.row(b)[m - b];
            const std::int64_t stop = std::min(tableEnd, end);
            if (b < stop) {
                std::memcpy(out + (b - loY_), table.row(m) + (b - m),
                            static_cast<std::size_t>(stop - b) * sizeof(double));
                b = stop;
            }
        }
        for (; b < end; ++b)
            out[b - loY_] = compute(m, b);
    };
    if (plusOn_)
        symmetric(plusTable_, s.plus,
                  [this](std::int64_t a, std::int64_t b) { return plusTerm(a, b); });
    if (rippleOn_)
        symmetric(rippleTable_, s.ripple,
                  [this](std::int64_t a, std::int64_t b) { return rippleTerm(a, b); });
    if (ribbonOn_)
        fillRibbon(m, s);
}

void ColumnSynthesizer::fillRibbon(std::int64_t m, Scratch& s) const {
    double* out = s.ribbon.data(); // by b - loY
    if (!ribbonTable_) {
        for (std::int64_t b = loY_; b <= hiY_; ++b)
            out[b - loY_] = ribbonTerm(m, b);
        return;
    }
    // Here loY = 0: out is by b.
    std::int64_t start = 0;
    if (m < ribbonColumns_) {
        std::memcpy(out, ribbonTable_ + m * ribbonRows_,
                    static_cast<std::size_t>(ribbonRows_) * sizeof(double));
        start = ribbonRows_;
    }
    if (start > hiY_)
        return;
    char* shared = s.shared.data();
    std::fill(shared + start, shared + hiY_ + 1, char{0});
    // (m, b) with a common prime p: the term of (m / p, b / p), which the table holds as
    // m / p <= hiX / 2 and b / p <= hiY / 2.
    auto share = [&](std::int64_t p) {
        const double* row = ribbonTable_ + (m / p) * ribbonRows_;
        for (std::int64_t b = (start + p - 1) / p * p; b <= hiY_; b += p) {
            out[b] = row[b / p];
            shared[b] = 1;
        }
    };
    std::int64_t rest = m;
    for (std::int64_t p = 2; p * p <= rest; ++p) {
        if (rest % p != 0)
            continue;
        while (rest % p == 0)
            rest /= p;
        share(p);
    }
    if (rest > 1)
        share(rest);
    for (std::int64_t b = start; b <= hiY_; ++b)
        if (!shared[b])
            out[b] = ribbonTerm(m, b);
}

void ColumnSynthesizer::sumColumn(int x, std::int64_t m, Scratch& s) const {
    const auto xi = static_cast<std::size_t>(x);
    const double c0 = vertical_[xi];
    const double* horizontal = horizontal_.data();
    const double* diagonal = diagonal_.data() + xi; // by y: x + y
    double* out = s.sum.data();
    const std::int64_t H = h_;
    const std::int64_t cy = cy_;
    // A run of rows [y0, y1): terms by b start at b = |y0 - cy| and move by Dir.
    auto run = [&](auto dir, auto ringFixed, std::int64_t y0, std::int64_t y1) {
        if (y0 >= y1)
            return;
        constexpr int Dir = decltype(dir)::value;
        constexpr bool RingFixed = decltype(ringFixed)::value;
        const std::int64_t b0 = Dir < 0 ? cy - y0 : y0 - cy;
        const auto k = static_cast<std::size_t>(b0 - loY_);
        const std::size_t ringIndex =
            static_cast<std::size_t>((RingFixed ? m : b0) - rectMin_);
        const auto y = static_cast<std::size_t>(y0);
        sumRun<Dir, RingFixed>(static_cast<int>(y1 - y0), horizontal + y, c0, diagonal + y,
                               s.circle.data() + k, rectangle_.data() + ringIndex,
                               rectangle_[ringIndex], s.plus.data() + k, s.ribbon.data() + k,
                               s.ripple.data() + k, out + y);
    };
    using Up = std::integral_constant<int, -1>;
    using Down = std::integral_constant<int, 1>;
    using Fixed = std::true_type;
    using Varying = std::false_type;
    // Rows above the center (b = cy - y): b > m up to row cy - m.
    const std::int64_t middle = std::clamp<std::int64_t>(cy, 0, H);
    const std::int64_t upperSplit = std::clamp<std::int64_t>(cy - m, 0, middle);
    run(Up{}, Varying{}, 0, upperSplit);
    run(Up{}, Fixed{}, upperSplit, middle);
    // Rows from the center down (b = y - cy): b <= m up to row cy + m.
    const std::int64_t lowerSplit = std::clamp<std::int64_t>(cy + m + 1, middle, H);
    run(Down{}, Fixed{}, middle, lowerSplit);
    run(Down{}, Varying{}, lowerSplit, H);
}

template <bool Bleed, bool Frame, bool Capture>
void ColumnSynthesizer::colorColumn(int x, const Scratch& s, std::uint32_t* out) const {
    const auto xi = static_cast<std::size_t>(x);
    const double* sum = s.sum.data();
    const double bleedWidth = p_.bleed;
    const std::uint64_t key = noiseKey_;
    const ColorLookup::Reader colors(colors_);
    std::uint32_t* captured = Capture ? magnitudes_ + xi * static_cast<std::size_t>(h_) : nullptr;
    std::int64_t interior0 = 0, interior1 = 0;
    double q = 0.0;
    if (Frame) {
        frame_.interiorRows(x, interior0, interior1);
        q = frameCarry_[xi];
    }
    for (int y = 0; y < h_; ++y) {
        const auto i = static_cast<std::size_t>(y);
        std::int64_t v = roundEvenToInt64(sum[i]);
        if (Bleed) {
            const float r = bleedNoise(key, x, y);
            v = roundEvenToInt64((static_cast<double>(r) - 0.5) * bleedWidth +
                                 static_cast<double>(v));
        }
        const std::uint64_t mag = magnitude(v);
        if (Capture)
            captured[i] = mag > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(mag);
        std::uint32_t color = colors.packed(mag);
        if (Frame) {
            if (y >= interior0 && y < interior1) {
                q = 1.0; // m = 1: the pattern shows unchanged
            } else {
                const FrameWeights fw = frame_.at(x, y, q);
                q = fw.q;
                if (fw.m != 1.0)
                    color = packRgb(frame_.shade(unpackRgb(color), fw));
            }
        }
        out[i] = color;
    }
}

void ColumnSynthesizer::storeBlock(const int* columns, int count, const Scratch& s,
                                   const ColumnOutput& output) const {
    const auto H = static_cast<std::size_t>(h_);
    const std::uint32_t* block = s.block.data();
    if (output.staging) {
        for (int j = 0; j < count; ++j)
            std::memcpy(output.staging + static_cast<std::size_t>(columns[j]) * H,
                        block + static_cast<std::size_t>(j) * H, H * sizeof(std::uint32_t));
        return;
    }
    // Row by row: the band's pixels of a row share a few cache lines of the canvas.
    Canvas& canvas = *output.canvas;
    const bool normal = output.mode == DrawMode::Normal;
    const std::size_t stride = canvas.rowBytes();
    const std::uint8_t* oldPixels = output.previous ? output.previous->data() : canvas.data();
    // The canvas lines a few rows down are fetched while this row is written.
    constexpr std::size_t kAhead = 12;
    for (std::size_t y = 0; y < H; ++y) {
        std::uint8_t* row = canvas.data() + y * stride;
        const std::uint8_t* oldRow = oldPixels + y * stride;
        if (y + kAhead < H) {
            std::uint8_t* ahead = row + kAhead * stride;
            for (int j = 0; j < count; ++j)
                __builtin_prefetch(ahead + static_cast<std::size_t>(columns[j]) * 3, 1);
        }
        for (int j = 0; j < count; ++j) {
            const std::size_t at = static_cast<std::size_t>(columns[j]) * 3;
            std::uint8_t* p = row + at;
            Rgb c = unpackRgb(block[static_cast<std::size_t>(j) * H + y]);
            if (!normal) {
                const std::uint8_t* o = oldRow + at;
                c = combinePixel(output.mode, {o[0], o[1], o[2]}, c);
            }
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
}

void ColumnSynthesizer::compute(const Unit& unit, Scratch& s, const ColumnOutput& output) const {
    // The pixel loop without the branches a drawing does not need, chosen once.
    using ColorColumn = void (ColumnSynthesizer::*)(int, const Scratch&, std::uint32_t*) const;
    static constexpr ColorColumn kColorColumn[2][2][2] = {
        {{&ColumnSynthesizer::colorColumn<false, false, false>,
          &ColumnSynthesizer::colorColumn<false, false, true>},
         {&ColumnSynthesizer::colorColumn<false, true, false>,
          &ColumnSynthesizer::colorColumn<false, true, true>}},
        {{&ColumnSynthesizer::colorColumn<true, false, false>,
          &ColumnSynthesizer::colorColumn<true, false, true>},
         {&ColumnSynthesizer::colorColumn<true, true, false>,
          &ColumnSynthesizer::colorColumn<true, true, true>}}};
    const ColorColumn colorColumnOf =
        kColorColumn[p_.bleed > 0][p_.frame.enabled][magnitudes_ != nullptr];
    int columns[2 * kBandWidth];
    int count = 0;
    auto draw = [&](int x, std::int64_t m) {
        sumColumn(x, m, s);
        std::uint32_t* out = s.block.data() + static_cast<std::size_t>(count) * h_;
        columns[count++] = x;
        (this->*colorColumnOf)(x, s, out);
    };
    for (std::int64_t m = unit.m0; m < unit.m1; ++m) {
        fillTerms(m, s);
        const std::int64_t right = cx_ + m;
        const std::int64_t left = cx_ - m;
        if (right >= 0 && right < w_)
            draw(static_cast<int>(right), m);
        if (m > 0 && left >= 0 && left < w_)
            draw(static_cast<int>(left), m);
    }
    storeBlock(columns, count, s, output);
}

} // namespace wavory
