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

// The largest |v| a drawing can reach: every |c^E| is at most 1, and the bleed adds at
// most N / 2 (plus rounding).
std::uint64_t valueBound(const DrawParams& p) {
    double sum = 0.0;
    for (float a : p.amplitude) sum += a;
    const double bleed = p.bleed > 0 ? p.bleed / 2.0 + 1.0 : 0.0;
    return static_cast<std::uint64_t>(std::ceil(sum + bleed)) + 2;
}

} // namespace

ColumnSynthesizer::ColumnSynthesizer(const DrawParams& params, const ColorTable& table,
                                     std::uint64_t noiseKey)
    : p_(params), w_(params.width), h_(params.height), cx_(params.cx), cy_(params.cy),
      powerIsOne_(params.power == 1.0f), power_(params.power), noiseKey_(noiseKey),
      plusOn_(params.componentActive(5)), ribbonOn_(params.componentActive(6)),
      rippleOn_(params.componentActive(7)), circleOn_(params.componentActive(3)),
      colors_(table, params.phase, valueBound(params)),
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
            diagonal_[d] = term(A[2], std::cos(static_cast<double>(static_cast<std::int64_t>(d) -
                                                                   cx_ - cy_) /
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

    if (p_.frame.enabled) frameCarry_ = frame_.carryIn();
}

double ColumnSynthesizer::term(float amplitude, double c) const {
    const double a = amplitude;
    if (powerIsOne_) return a * c;
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
        while (m != 0 && (m & 1) == 0) m >>= 1;
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
    // dx = 2 sign halfDx; sign is -1 when the half column lies on the other side.
    const std::int64_t sign = (dx < 0) == (halfDx < 0) ? 1 : -1;
    for (int y = 0; y < h_; ++y) {
        const std::int64_t dy = y - cy_;
        const auto i = static_cast<std::size_t>(y);
        if (plusOn_) {
            // dx dy = halfDx (2 sign dy)
            const std::int64_t row = 2 * sign * dy + cy_;
            out.plus[i] = (half && row >= 0 && row < h_) ? half->plus[static_cast<std::size_t>(row)]
                                                          : plusTerm(dx, dy);
        }
        if (ribbonOn_) {
            // dy / dx = (sign dy / 2) / halfDx
            const std::int64_t row = sign * (dy / 2) + cy_;
            out.ribbon[i] = (half && dy % 2 == 0 && row >= 0 && row < h_)
                                ? half->ribbon[static_cast<std::size_t>(row)]
                                : ribbonTerm(dx, dy);
        }
        if (rippleOn_) {
            // Row -dy of the same column has the same dx^2 + dy^2 + 1.
            const std::int64_t partner = 2 * cy_ - y;
            out.ripple[i] = (partner >= 0 && partner < y)
                                ? out.ripple[static_cast<std::size_t>(partner)]
                                : rippleTerm(dx, dy);
        }
    }
}

void ColumnSynthesizer::fillMirrorTerms(int mirror, const Terms& source, Terms& out) const {
    // Pixel (mirror, y) sits at (-dx, -dy) of pixel (x, 2 cy - y) of the source column.
    const std::int64_t dx = mirror - cx_;
    for (int y = 0; y < h_; ++y) {
        const auto i = static_cast<std::size_t>(y);
        const std::int64_t partner = 2 * cy_ - y;
        if (partner >= 0 && partner < h_) {
            const auto j = static_cast<std::size_t>(partner);
            if (plusOn_) out.plus[i] = source.plus[j];
            if (ribbonOn_) out.ribbon[i] = source.ribbon[j];
            if (rippleOn_) out.ripple[i] = source.ripple[j];
        } else {
            const std::int64_t dy = y - cy_;
            if (plusOn_) out.plus[i] = plusTerm(dx, dy);
            if (ribbonOn_) out.ribbon[i] = ribbonTerm(dx, dy);
            if (rippleOn_) out.ripple[i] = rippleTerm(dx, dy);
        }
    }
}

void ColumnSynthesizer::renderColumn(int x, const Terms& terms, std::uint32_t* out) const {
    const double* plus = terms.plus.data();
    const double* ribbon = terms.ribbon.data();
    const double* ripple = terms.ripple.data();
    const std::int64_t dx = x - cx_;
    const std::uint64_t adx = magnitude(dx);
    const auto xi = static_cast<std::size_t>(x);
    const double c0 = vertical_[xi];
    const double circleColumn = circleOn_ ? circleCol_[xi] : 0.0;
    const float a3 = p_.amplitude[3];
    const double* horizontal = horizontal_.data();
    const double* diagonal = diagonal_.data() + xi; // indexed by y: x + y
    const double* rectangle = rectangle_.data();
    const auto rectMin = static_cast<std::uint64_t>(rectMin_);
    const bool bleed = p_.bleed > 0;
    const double bleedWidth = p_.bleed;
    const bool frameOn = p_.frame.enabled;
    double q = frameOn ? frameCarry_[xi] : 0.0;
    std::int64_t interior0 = 0, interior1 = 0;
    if (frameOn) frame_.interiorRows(x, interior0, interior1);

    for (int y = 0; y < h_; ++y) {
        const auto i = static_cast<std::size_t>(y);
        const std::int64_t dy = y - cy_;
        double t3 = 0.0;
        if (circleOn_) t3 = term(a3, circleRow_[i] * circleColumn);
        const std::uint64_t ring = std::max(adx, magnitude(dy));
        const double t4 = rectangle[ring - rectMin];
        // The order of the sum is fixed; switched-off components hold exactly 0.
        const double s =
            horizontal[i] + c0 + diagonal[i] + t3 + t4 + plus[i] + ribbon[i] + ripple[i];
        std::int64_t v = roundEvenToInt64(s);
        if (bleed) {
            const float r = bleedNoise(noiseKey_, x, y);
            v = roundEvenToInt64((static_cast<double>(r) - 0.5) * bleedWidth +
                                 static_cast<double>(v));
        }
        std::uint32_t color = colors_.packed(magnitude(v));
        if (frameOn) {
            if (y >= interior0 && y < interior1) {
                q = 1.0; // m = 1: the pattern shows unchanged
            } else {
                const FrameWeights fw = frame_.at(x, y, q);
                q = fw.q;
                if (fw.m != 1.0) color = packRgb(frame_.shade(unpackRgb(color), fw));
            }
        }
        out[i] = color;
    }
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
        renderColumn(first, s.current, staging + static_cast<std::size_t>(first) * H);
        if (second >= 0) {
            fillMirrorTerms(second, s.current, s.mirror);
            renderColumn(second, s.mirror, staging + static_cast<std::size_t>(second) * H);
        }
        std::swap(s.current, s.previous);
        haveHalf = m > 0;
        halfDx = first - cx_;
    });
}

} // namespace wavory
