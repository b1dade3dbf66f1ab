#include "engine/ReferenceRenderer.h"

#include "colorsets/ColorTable.h"
#include "common/Numbers.h"
#include "engine/BleedNoise.h"
#include "engine/DrawModes.h"
#include "engine/DrawRefusal.h"
#include "engine/FrameEffect.h"

#include <cmath>
#include <cstdlib>
#include <memory>

namespace wavory {

namespace {

class ReferencePixel {
  public:
    explicit ReferencePixel(const DrawParams& p) : p_(p) {}

    // The pattern value v = round(s) of the pixel at offsets (dx, dy); c0 is the
    // vertical component's value of the column.
    std::int64_t value(std::int64_t dx, std::int64_t dy, double c0) const {
        const auto& A = p_.amplitude;
        const auto& P = p_.period;
        double s = 0.0;
        if (A[1] > 0)
            s += term(1, std::cos(static_cast<double>(dy) / P[1]));
        if (A[0] > 0)
            s += term(0, c0);
        if (A[2] > 0)
            s += term(2, std::cos(static_cast<double>(dx + dy) / P[2]));
        if (A[3] > 0) {
            const double c3 = std::cos(static_cast<double>(dy) / p_.circlePeriodY) *
                              std::cos(static_cast<double>(dx) / P[3]);
            s += term(3, c3);
        }
        if (A[4] > 0) {
            const std::int64_t a = std::llabs(dx - dy) + std::llabs(dx + dy);
            s += term(4, std::cos(static_cast<double>(a) / P[4]));
        }
        if (A[5] > 0)
            s += term(5, std::cos(static_cast<double>(dx * dy) / P[5]));
        if (A[6] > 0) {
            const std::int64_t dxp = dx == 0 ? 1 : dx;
            const double angle = std::atan(static_cast<double>(dy) / static_cast<double>(dxp));
            s += term(6, std::cos(angle / P[6] * 400.0));
        }
        if (A[7] > 0) {
            const auto ux = static_cast<std::uint64_t>(std::llabs(dx));
            const auto uy = static_cast<std::uint64_t>(std::llabs(dy));
            s += term(7, std::cos(static_cast<double>(ux * ux + uy * uy + 1)));
        }
        return roundToInt64(s);
    }

  private:
    double term(int i, double c) const {
        const double a = p_.amplitude[static_cast<std::size_t>(i)];
        if (p_.power == 1.0f)
            return a * c;
        return a * std::pow(c, static_cast<double>(p_.power));
    }

    const DrawParams& p_;
};

double verticalValue(const DrawParams& p, std::int64_t dx) {
    return p.amplitude[0] > 0 ? std::cos(static_cast<double>(dx) / p.period[0]) : 0.0;
}

} // namespace

std::int64_t ReferenceRenderer::patternValue(const DrawParams& params, int x, int y) {
    const std::int64_t dx = x - params.cx;
    return ReferencePixel(params).value(dx, y - params.cy, verticalValue(params, dx));
}

DrawResult ReferenceRenderer::render(const DrawParams& params, const GColor& colorSet,
                                     std::uint64_t noiseKey, Canvas& canvas) {
    if (Result refusal = drawRefusal(params, colorSet); !refusal.ok())
        return {DrawOutcome::Refused, 0, std::move(refusal)};

    const int W = params.width;
    const int H = params.height;
    const auto table = std::make_unique<ColorTable>(colorSet);
    const bool combining = isCombiningMode(params.mode);
    if (canvas.width() != W || canvas.height() != H)
        canvas.resize(W, H);
    if (!combining)
        canvas.clear();

    const ReferencePixel pixel(params);
    const FrameShading frame(params.frame, W, H);
    double previousQ = 0.0;
    for (int x = 0; x < W; ++x) {
        const std::int64_t dx = x - params.cx;
        const double c0 = verticalValue(params, dx); // once per column
        for (int y = 0; y < H; ++y) {
            const std::int64_t dy = y - params.cy;
            std::int64_t v = pixel.value(dx, dy, c0);
            if (params.bleed > 0) {
                const float r = bleedNoise(noiseKey, x, y);
                v = roundToInt64((static_cast<double>(r) - 0.5) * params.bleed +
                                 static_cast<double>(v));
            }
            Rgb color = table->lookup(v, params.phase);
            if (params.frame.enabled) {
                const FrameWeights w = frame.at(x, y, previousQ);
                previousQ = w.q;
                color = frame.shade(color, w);
            }
            canvas.setPixel(x, y, combinePixel(params.mode, canvas.pixel(x, y), color));
        }
    }
    return {DrawOutcome::Completed, W, {}};
}

} // namespace wavory
