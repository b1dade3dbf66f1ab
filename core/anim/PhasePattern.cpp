#include "anim/PhasePattern.h"

#include "engine/ColumnSynthesizer.h"
#include "engine/ParallelWork.h"
#include "engine/PixelRounding.h"

#include <algorithm>

namespace wavory {

namespace {

template <typename T>
void transpose(const std::uint32_t* columnMajor, int width, int height, std::vector<T>& out) {
    out.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    constexpr int kTile = 64;
    const auto W = static_cast<std::size_t>(width);
    const auto H = static_cast<std::size_t>(height);
    for (int x0 = 0; x0 < width; x0 += kTile)
        for (int y0 = 0; y0 < height; y0 += kTile)
            for (int x = x0; x < std::min(x0 + kTile, width); ++x)
                for (int y = y0; y < std::min(y0 + kTile, height); ++y)
                    out[static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)] =
                        static_cast<T>(columnMajor[static_cast<std::size_t>(x) * H +
                                                   static_cast<std::size_t>(y)]);
}

} // namespace

bool PhasePattern::suits(const DrawParams& params) {
    return params.mode == DrawMode::Normal && params.bleed <= 0 &&
           patternValueBound(params) < 0xFFFFFFFFull;
}

PhasePattern::PhasePattern(const DrawParams& params, const GColor& colorSet,
                           const std::uint32_t* columnMajorMagnitudes)
    : width_(params.width), height_(params.height), bound_(patternValueBound(params)),
      table_(std::make_unique<ColorTable>(colorSet)), frameOn_(params.frame.enabled),
      frame_(params.frame, params.width, params.height) {
    if (frameOn_)
        frameCarry_ = frame_.carryIn();
    if (bound_ <= 0xFFFF)
        transpose(columnMajorMagnitudes, width_, height_, narrow_);
    else
        transpose(columnMajorMagnitudes, width_, height_, wide_);
}

std::size_t PhasePattern::bytes() const {
    return narrow_.size() * sizeof(std::uint16_t) + wide_.size() * sizeof(std::uint32_t) +
           frameCarry_.size() * sizeof(double) + sizeof(ColorTable) + sizeof(*this);
}

PhasePattern::Painter::Painter(const PhasePattern& pattern, int phase)
    : pattern_(pattern), colors_(*pattern.table_, phase, pattern.bound_) {}

template <typename T>
void PhasePattern::Painter::paintBlock(const T* values, Canvas& canvas, int x0, int x1, int y0,
                                       int y1) const {
    RoundToNearestScope rounding; // the frame's blend rounds half to even
    const PhasePattern& p = pattern_;
    const auto W = static_cast<std::size_t>(p.width_);
    const ColorLookup::Reader colors(colors_);
    if (!p.frameOn_) {
        for (int y = y0; y < y1; ++y) {
            const T* v = values + static_cast<std::size_t>(y) * W;
            std::uint8_t* out = canvas.data() + static_cast<std::size_t>(y) * canvas.rowBytes();
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = colors.packed(v[x]);
                std::uint8_t* o = out + 3 * static_cast<std::size_t>(x);
                o[0] = static_cast<std::uint8_t>(c);
                o[1] = static_cast<std::uint8_t>(c >> 8);
                o[2] = static_cast<std::uint8_t>(c >> 16);
            }
        }
        return;
    }
    // The frame weight q runs down each column from the top, as the synthesis draws it;
    // the rows of a band must therefore start at row 0.
    std::vector<double> q(p.frameCarry_.begin() + x0, p.frameCarry_.begin() + x1);
    std::vector<std::int64_t> interior0(static_cast<std::size_t>(x1 - x0));
    std::vector<std::int64_t> interior1(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x)
        p.frame_.interiorRows(x, interior0[static_cast<std::size_t>(x - x0)],
                              interior1[static_cast<std::size_t>(x - x0)]);
    for (int y = y0; y < y1; ++y) {
        const T* v = values + static_cast<std::size_t>(y) * W;
        for (int x = x0; x < x1; ++x) {
            const auto k = static_cast<std::size_t>(x - x0);
            Rgb c = unpackRgb(colors.packed(v[x]));
            if (y >= interior0[k] && y < interior1[k]) {
                q[k] = 1.0;
            } else {
                const FrameWeights fw = p.frame_.at(x, y, q[k]);
                q[k] = fw.q;
                c = p.frame_.shade(c, fw);
            }
            canvas.setPixel(x, y, c);
        }
    }
}

void PhasePattern::Painter::paint(Canvas& canvas, int x0, int x1) const {
    if (pattern_.narrow_.empty())
        paintBlock(pattern_.wide_.data(), canvas, x0, x1, 0, pattern_.height_);
    else
        paintBlock(pattern_.narrow_.data(), canvas, x0, x1, 0, pattern_.height_);
}

void PhasePattern::Painter::paintRows(Canvas& canvas, int y0, int y1) const {
    if (pattern_.narrow_.empty())
        paintBlock(pattern_.wide_.data(), canvas, 0, pattern_.width_, y0, y1);
    else
        paintBlock(pattern_.narrow_.data(), canvas, 0, pattern_.width_, y0, y1);
}

void PhasePattern::paintAll(int phase, Canvas& canvas, unsigned threads) const {
    if (canvas.width() != width_ || canvas.height() != height_)
        canvas.resize(width_, height_);
    const Painter painter(*this, phase);
    if (frameOn_) {
        // Each column's frame weights run from its top: split by columns.
        constexpr int kColumns = 64;
        const auto blocks = static_cast<std::size_t>((width_ + kColumns - 1) / kColumns);
        runParallel(blocks, resolveThreadCount(threads), [&](std::size_t b, unsigned) {
            const int x0 = static_cast<int>(b) * kColumns;
            painter.paint(canvas, x0, std::min(x0 + kColumns, width_));
        });
        return;
    }
    constexpr int kRows = 64;
    const auto bands = static_cast<std::size_t>((height_ + kRows - 1) / kRows);
    runParallel(bands, resolveThreadCount(threads), [&](std::size_t b, unsigned) {
        const int y0 = static_cast<int>(b) * kRows;
        painter.paintRows(canvas, y0, std::min(y0 + kRows, height_));
    });
}

} // namespace wavory
