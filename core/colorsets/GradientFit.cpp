#include "colorsets/GradientFit.h"

#include "common/Numbers.h"

#include <algorithm>
#include <vector>

namespace wavory {

namespace {

// Samples at every multiple of 1 / 27720, the least common multiple of 1..11, so every
// possible point position is one of them.
constexpr int kSteps = 27720;

struct Fit {
    std::vector<RealRgb> points; // rounded and held to 0..255
    double error = 0;
};

// Least squares of the piecewise-linear curve through n evenly spread points: the normal
// equations of the hat functions are tridiagonal.
Fit fitPoints(const std::vector<RealRgb>& samples, int n) {
    const int segments = n - 1;
    std::vector<double> diag(n, 0.0), off(n, 0.0); // off[i]: between i and i + 1
    std::vector<RealRgb> rhs(n, RealRgb{});
    for (int j = 0; j <= kSteps; ++j) {
        const double u = static_cast<double>(j) * segments / kSteps;
        const int a = std::min(static_cast<int>(u), segments - 1);
        const double t = u - a;
        const double wa = 1 - t, wb = t;
        diag[a] += wa * wa;
        diag[a + 1] += wb * wb;
        off[a] += wa * wb;
        for (int c = 0; c < 3; ++c) {
            rhs[a][c] += wa * samples[j][c];
            rhs[a + 1][c] += wb * samples[j][c];
        }
    }
    // Thomas algorithm, the three channels at once.
    std::vector<double> cPrime(n, 0.0);
    std::vector<RealRgb> dPrime(n, RealRgb{});
    for (int i = 0; i < n; ++i) {
        const double below = i > 0 ? off[i - 1] : 0.0;
        const double denom = diag[i] - (i > 0 ? below * cPrime[i - 1] : 0.0);
        cPrime[i] = i + 1 < n ? off[i] / denom : 0.0;
        for (int c = 0; c < 3; ++c)
            dPrime[i][c] = (rhs[i][c] - (i > 0 ? below * dPrime[i - 1][c] : 0.0)) / denom;
    }
    Fit fit;
    fit.points.assign(n, RealRgb{});
    for (int i = n - 1; i >= 0; --i)
        for (int c = 0; c < 3; ++c) {
            const double next = i + 1 < n ? cPrime[i] * fit.points[i + 1][c] : 0.0;
            fit.points[i][c] = dPrime[i][c] - next;
        }
    for (RealRgb& p : fit.points)
        for (double& v : p)
            v = std::clamp(roundHalfEven(v), 0.0, 255.0);
    for (int j = 0; j <= kSteps; ++j) {
        const double u = static_cast<double>(j) * segments / kSteps;
        const int a = std::min(static_cast<int>(u), segments - 1);
        const double t = u - a;
        for (int c = 0; c < 3; ++c) {
            const double d = (1 - t) * fit.points[a][c] + t * fit.points[a + 1][c] - samples[j][c];
            fit.error += d * d;
        }
    }
    return fit;
}

} // namespace

GColor fitColorPoints(const std::function<RealRgb(double)>& gradient) {
    std::vector<RealRgb> samples(kSteps + 1);
    for (int j = 0; j <= kSteps; ++j)
        samples[j] = gradient(static_cast<double>(j) / kSteps);
    Fit best;
    for (int n = 2; n <= kMaxColorPoints; ++n) {
        Fit fit = fitPoints(samples, n);
        // A rounding's worth of error per sample does not pay for more points.
        if (best.points.empty() || fit.error < best.error - 0.25 * (kSteps + 1))
            best = std::move(fit);
    }
    GColor set;
    set.colorLevelCount = 8;
    set.colorCount = static_cast<std::int16_t>(best.points.size());
    for (std::size_t i = 0; i < best.points.size(); ++i) {
        set.r[i] = static_cast<std::int16_t>(best.points[i][0]);
        set.g[i] = static_cast<std::int16_t>(best.points[i][1]);
        set.b[i] = static_cast<std::int16_t>(best.points[i][2]);
    }
    return set;
}

} // namespace wavory
