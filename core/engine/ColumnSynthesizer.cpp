#include "engine/ColumnSynthesizer.h"

#include "engine/BleedNoise.h"

#include <algorithm>
#include <cmath>

namespace wavory {

namespace {

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
        circleRow_.resize(H);
        circleCol_.resize(W);
        for (int y = 0; y < h_; ++y)
            circleRow_[static_cast<std::size_t>(y)] =
                std::cos(static_cast<double>(y - cy_) / p_.circlePeriodY);
        for (int x = 0; x < w_; ++x)
            circleCol_[static_cast<std::size_t>(x)] = std::cos(static_cast<double>(x - cx_) / P[3]);
    }

    // |dx - dy| + |dx + dy| = 2 max(|dx|, |dy|): one value per square ring.
    std::int64_t loX, hiX, loY, hiY;
    magnitudeRange(0, w_ - 1, cx_, loX, hiX);
    magnitudeRange(0, h_ - 1, cy_, loY, hiY);
    magnitudeMax_ = hiX;
    rectMin_ = std::max(loX, loY);
    const std::int64_t rectMax = std::max(hiX, hiY);
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

double ColumnSynthesizer::plusTerm(std::int64_t dx, std::int64_t dy) const {
    return term(p_.amplitude[5], std::cos(static_cast<double>(dx * dy) / p_.period[5]));
}

double ColumnSynthesizer::ribbonTerm(std::int64_t dx, std::int64_t dy) const {
    const std::int64_t dxp = dx == 0 ? 1 : dx;
    const double angle = std::atan(static_cast<double>(dy) / static_cast<double>(dxp));
    return term(p_.amplitude[6], std::cos(angle / p_.period[6] * 400.0));
}

double ColumnSynthesizer::rippleTerm(std::int64_t dx, std::int64_t dy) const {
    const std::uint64_t ux = magnitude(dx);
    const std::uint64_t uy = magnitude(dy);
    return term(p_.amplitude[7], std::cos(static_cast<double>(ux * ux + uy * uy + 1)));
}

std::vector<ColumnSynthesizer::Unit> ColumnSynthesizer::units() const {
    // Each column belongs to the unit of the odd part of its |dx|; a unit's place in the
    // order is that of its leftmost column.
    std::vector<std::pair<std::int64_t, int>> keyed; // (odd part, column)
    keyed.reserve(static_cast<std::size_t>(w_));
    for (int x = 0; x < w_; ++x) {
        std::uint64_t m = magnitude(x - cx_);
        while (m != 0 && (m & 1) == 0)
            m >>= 1;
        keyed.emplace_back(static_cast<std::int64_t>(m), x);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<Unit> list;
    for (std::size_t i = 0; i < keyed.size(); ++i)
        if (i == 0 || keyed[i].first != keyed[i - 1].first)
            list.push_back({keyed[i].second, keyed[i].first});
    std::sort(list.begin(), list.end(),
              [](const Unit& a, const Unit& b) { return a.firstColumn < b.firstColumn; });
    return list;
}

ColumnSynthesizer::Scratch ColumnSynthesizer::makeScratch() const {
    const auto H = static_cast<std::size_t>(h_);
    Scratch s;
    for (Terms* t : {&s.current, &s.previous, &s.mirror}) {
        t->plus.assign(H, 0.0);
        t->ribbon.assign(H, 0.0);
        t->ripple.assign(H, 0.0);
    }
    return s;
}

void ColumnSynthesizer::fillColumnTerms(int x, Terms& out, const Terms* half,
                                        std::int64_t halfDx) const {
    const std::int64_t dx = x - cx_;
    const std::int64_t cy = cy_;
    const int H = h_;
    // dx = 2 sign halfDx; sign is -1 when the half column lies on the other side.
    const std::int64_t sign = (dx < 0) == (halfDx < 0) ? 1 : -1;
    if (plusOn_) {
        double* plus = out.plus.data();
        for (int y = 0; y < H; ++y) {
            const std::int64_t dy = y - cy;
            const std::int64_t row = 2 * sign * dy + cy; // dx dy = halfDx (2 sign dy)
            plus[y] = (half && row >= 0 && row < H) ? half->plus[static_cast<std::size_t>(row)]
                                                    : plusTerm(dx, dy);
        }
    }
    if (ribbonOn_) {
        double* ribbon = out.ribbon.data();
        for (int y = 0; y < H; ++y) {
            const std::int64_t dy = y - cy;
            const std::int64_t row = sign * (dy / 2) + cy; // dy / dx = (sign dy / 2) / halfDx
            ribbon[y] = (half && dy % 2 == 0 && row >= 0 && row < H)
                            ? half->ribbon[static_cast<std::size_t>(row)]
                            : ribbonTerm(dx, dy);
        }
    }
    if (rippleOn_) {
        double* ripple = out.ripple.data();
        for (int y = 0; y < H; ++y) {
            // Row -dy of the same column has the same dx^2 + dy^2 + 1.
            const std::int64_t partner = 2 * cy - y;
            ripple[y] = (partner >= 0 && partner < y) ? ripple[partner] : rippleTerm(dx, y - cy);
        }
    }
}

void ColumnSynthesizer::mirroredRows(std::int64_t& y0, std::int64_t& y1) const {
    // Pixel (mirror, y) sits at (-dx, -dy) of pixel (x, 2 cy - y) of the source column.
    y0 = std::max<std::int64_t>(0, 2 * cy_ - h_ + 1);
    y1 = std::min<std::int64_t>(h_, 2 * cy_ + 1);
    if (y1 < y0)
        y1 = y0;
}

void ColumnSynthesizer::fillMirrorTerms(int mirror, Terms& out) const {
    if (!plusOn_ && !ribbonOn_ && !rippleOn_)
        return;
    const std::int64_t dx = mirror - cx_;
    std::int64_t y0, y1;
    mirroredRows(y0, y1);
    for (int y = 0; y < h_; ++y) {
        if (y >= y0 && y < y1)
            continue;
        const auto i = static_cast<std::size_t>(y);
        const std::int64_t dy = y - cy_;
        if (plusOn_)
            out.plus[i] = plusTerm(dx, dy);
        if (ribbonOn_)
            out.ribbon[i] = ribbonTerm(dx, dy);
        if (rippleOn_)
            out.ripple[i] = rippleTerm(dx, dy);
    }
}

template <bool Bleed, bool Frame, bool Capture>
void ColumnSynthesizer::renderRows(int x, int y0, int y1, TermRun terms, double& q,
                                   std::uint32_t* out) const {
    const std::int64_t dx = x - cx_;
    const std::uint64_t adx = magnitude(dx);
    const auto xi = static_cast<std::size_t>(x);
    const double c0 = vertical_[xi];
    const bool circleOn = circleOn_;
    const double circleColumn = circleOn ? circleCol_[xi] : 0.0;
    const double* circleRow = circleOn ? circleRow_.data() : nullptr;
    const float a3 = p_.amplitude[3];
    const double* horizontal = horizontal_.data();
    const double* diagonal = diagonal_.data() + xi; // indexed by y: x + y
    const double* rectangle = rectangle_.data();
    const auto rectMin = static_cast<std::uint64_t>(rectMin_);
    const double bleedWidth = p_.bleed;
    const std::uint64_t key = noiseKey_;
    const ColorLookup::Reader colors(colors_);
    std::uint32_t* captured = Capture ? magnitudes_ + xi * static_cast<std::size_t>(h_) : nullptr;
    std::int64_t interior0 = 0, interior1 = 0;
    if (Frame)
        frame_.interiorRows(x, interior0, interior1);

    std::ptrdiff_t k = 0;
    for (int y = y0; y < y1; ++y, k += terms.step) {
        const auto i = static_cast<std::size_t>(y);
        double t3 = 0.0;
        if (circleOn)
            t3 = term(a3, circleRow[i] * circleColumn);
        const std::uint64_t ring = std::max(adx, magnitude(y - cy_));
        const double t4 = rectangle[ring - rectMin];
        // The order of the sum is fixed; switched-off components hold exactly 0.
        const double s = horizontal[i] + c0 + diagonal[i] + t3 + t4 + terms.plus[k] +
                         terms.ribbon[k] + terms.ripple[k];
        std::int64_t v = roundEvenToInt64(s);
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

template <bool Capture>
void ColumnSynthesizer::rowsOf(bool bleed, bool frame, int x, int y0, int y1, TermRun run,
                               double& q, std::uint32_t* out) const {
    if (bleed && frame)
        renderRows<true, true, Capture>(x, y0, y1, run, q, out);
    else if (bleed)
        renderRows<true, false, Capture>(x, y0, y1, run, q, out);
    else if (frame)
        renderRows<false, true, Capture>(x, y0, y1, run, q, out);
    else
        renderRows<false, false, Capture>(x, y0, y1, run, q, out);
}

void ColumnSynthesizer::renderColumn(int x, const Terms& terms, const Terms* mirrored,
                                     std::int64_t mirrored0, std::int64_t mirrored1,
                                     std::uint32_t* out) const {
    const bool bleed = p_.bleed > 0;
    const bool frame = p_.frame.enabled;
    double q = frame ? frameCarry_[static_cast<std::size_t>(x)] : 0.0;
    auto rows = [&](int y0, int y1, TermRun run) {
        if (y0 >= y1)
            return;
        if (magnitudes_)
            rowsOf<true>(bleed, frame, x, y0, y1, run, q, out);
        else
            rowsOf<false>(bleed, frame, x, y0, y1, run, q, out);
    };
    auto own = [&](int y) {
        const auto i = static_cast<std::size_t>(y);
        return TermRun{terms.plus.data() + i, terms.ribbon.data() + i, terms.ripple.data() + i, 1};
    };
    if (!mirrored || mirrored0 >= mirrored1) {
        rows(0, h_, own(0));
        return;
    }
    const auto m0 = static_cast<int>(mirrored0);
    const auto m1 = static_cast<int>(mirrored1);
    const auto j = static_cast<std::size_t>(2 * cy_ - mirrored0);
    rows(0, m0, own(0));
    rows(m0, m1,
         TermRun{mirrored->plus.data() + j, mirrored->ribbon.data() + j,
                 mirrored->ripple.data() + j, -1});
    rows(m1, h_, own(m1));
}

void ColumnSynthesizer::compute(const Unit& unit, Scratch& s, std::uint32_t* staging) const {
    const auto H = static_cast<std::size_t>(h_);
    bool haveHalf = false;
    std::int64_t halfDx = 0;
    forEachStep(unit, [&](std::int64_t m, int first, int second) {
        if (m < 0) { // a |dx| without a column: the next one has no half column to use
            haveHalf = false;
            return;
        }
        fillColumnTerms(first, s.current, haveHalf ? &s.previous : nullptr, halfDx);
        renderColumn(first, s.current, nullptr, 0, 0,
                     staging + static_cast<std::size_t>(first) * H);
        if (second >= 0) {
            fillMirrorTerms(second, s.mirror);
            std::int64_t y0, y1;
            mirroredRows(y0, y1);
            renderColumn(second, s.mirror, &s.current, y0, y1,
                         staging + static_cast<std::size_t>(second) * H);
        }
        std::swap(s.current, s.previous);
        haveHalf = m > 0;
        halfDx = first - cx_;
    });
}

} // namespace wavory
