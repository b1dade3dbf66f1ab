#pragma once
// The bevelled border frame: per pixel a table weight m (how much of the pattern color
// remains) and a frame weight q (a factor on the frame color), blended as
// round((c - q f) m + q f), capped to 0..255.
//
// S, D, L and k are single precision as the settings give them; the ramp r, the band
// factor b, m, q and every product with them are double precision. Expressions are
// evaluated left to right as written, so every build gives the same pixels.

#include "engine/PixelRounding.h"
#include "image/Canvas.h"
#include "params/DrawParams.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace wavory {

struct FrameWeights {
    double m = 1; // table weight
    double q = 1; // frame weight
    // True when q is the q of the pixel processed just before (the last case of the
    // table): the only place where one pixel depends on another.
    bool inherited = false;
};

class FrameShading {
  public:
    FrameShading(const FrameParams& frame, int width, int height)
        : fx_(frame.fx), fy_(frame.fy), xr_(frame.xr), yb_(frame.yb), w_(width), h_(height),
          strength_(frame.strength), shadow_(frame.shadow), line_(frame.line),
          slope_(frame.slope), color_{frame.colorR, frame.colorG, frame.colorB} {}

    // Weights of pixel (x, y); previousQ is the q of the pixel processed just before in
    // the drawing order (columns left to right, rows top to bottom), 0 before the first.
    FrameWeights at(std::int64_t x, std::int64_t y, double previousQ) const {
        double r = 1.0;
        double b = 1.0;
        if (x <= fx_) {
            b = strength_;
            r = static_cast<double>(x) / static_cast<double>(fx_);
        } else if (x >= xr_) {
            b = strength_;
            r = static_cast<double>(xr_ - x) / static_cast<double>(fx_) + 1.0;
        }
        if (y <= fy_) {
            r = r * static_cast<double>(y) / static_cast<double>(fy_);
            b = strength_;
        } else if (y >= yb_) {
            r = (static_cast<double>(yb_ - y) / static_cast<double>(fy_) + 1.0) * r;
            b = strength_;
        }
        const double k = slope_;
        const double kx = k * static_cast<double>(x);
        const double kw = k * static_cast<double>(w_ - x);
        const double line = line_;
        const double shadow = shadow_;
        if (std::floor(kx) == static_cast<double>(y) && x <= fx_) // top-left mitre line
            return {(1.0 - line) * b * r, line + 1.0, false};
        if (std::floor(kw) == static_cast<double>(h_ - y) && x >= xr_) // bottom-right mitre line
            return {(1.0 - line) * b * r, (1.0 - line) * shadow, false};
        if ((kx >= static_cast<double>(h_ - y) && y > yb_) ||
            (kw <= static_cast<double>(y) && x > xr_)) // lower-right bevel
            return {b * r, shadow, false};
        if ((x == fx_ && y > fy_) || (y == fy_ && x > fx_)) // top-left inner edge line
            return {b * (1.0 - line), line + 1.0, false};
        if ((x == xr_ && fy_ < y && y < yb_) ||
            (y == yb_ && fx_ < x && x < xr_)) // bottom-right inner edge line
            return {b * (1.0 - line / 2.0), (1.0 - line) * shadow, false};
        if (y < yb_ - 1)
            return {b * r, 1.0, false};
        return {b * r, previousQ, true};
    }

    // The rows y0 <= y < y1 of column x that lie inside the frame, away from every line
    // (m = 1 and q = 1 there); empty when the column is in a side band.
    void interiorRows(std::int64_t x, std::int64_t& y0, std::int64_t& y1) const {
        if (x > fx_ && x < xr_) {
            y0 = fy_ + 1;
            y1 = yb_ - 1;
        } else {
            y0 = y1 = 0;
        }
    }

    // For every column, the q of the pixel processed just before its first pixel, as
    // the sequential order gives it. Only rows from yb - 1 down can inherit, so each
    // column is scanned from the bottom up to its last pixel with a q of its own.
    std::vector<double> carryIn() const;

    // One channel blended with the frame color channel f.
    static std::uint8_t blend(std::uint8_t c, std::uint8_t f, const FrameWeights& w) {
        const double qf = w.q * static_cast<double>(f);
        const double v = roundEvenFast((static_cast<double>(c) - qf) * w.m + qf);
        if (!(v > 0.0))
            return 0;
        if (v > 255.0)
            return 255;
        return static_cast<std::uint8_t>(v);
    }

    // The pattern color after shading; unchanged when m is exactly 1.
    Rgb shade(Rgb c, const FrameWeights& w) const {
        if (w.m == 1.0)
            return c;
        return {blend(c.r, color_.r, w), blend(c.g, color_.g, w), blend(c.b, color_.b, w)};
    }

  private:
    std::int64_t fx_, fy_, xr_, yb_, w_, h_;
    float strength_, shadow_, line_, slope_;
    Rgb color_;
};

} // namespace wavory
