#pragma once
// The picture: W x H pixels, 8-bit red, green and blue, (0,0) at the top left.

#include "image/PixelMemory.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace wavory {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height) { resize(width, height); }

    // A new size clears the picture to black.
    void resize(int width, int height) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
    }
    // A new size for a drawing that writes every pixel before anyone looks: the pixels
    // are left as they happen to be, which spares clearing memory about to be overwritten.
    // The same size keeps the picture.
    void resizeForOverwrite(int width, int height) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        pixels_.resize(static_cast<std::size_t>(width_) * height_ * 3);
    }
    void clear() { std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0}); }

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // Rows top to bottom, each row W pixels of R, G, B bytes (no padding).
    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* data() const { return pixels_.data(); }
    std::size_t rowBytes() const { return static_cast<std::size_t>(width_) * 3; }

    Rgb pixel(int x, int y) const {
        const std::uint8_t* p = at(x, y);
        return {p[0], p[1], p[2]};
    }
    void setPixel(int x, int y, Rgb c) {
        std::uint8_t* p = at(x, y);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }

    friend bool operator==(const Canvas&, const Canvas&) = default;

  private:
    std::uint8_t* at(int x, int y) {
        return pixels_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3;
    }
    const std::uint8_t* at(int x, int y) const {
        return pixels_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t, PixelAllocator<std::uint8_t>> pixels_;
};

} // namespace wavory
