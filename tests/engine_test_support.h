#pragma once
// Shared fixtures of the engine tests: color sets, parameter builders and a canvas
// comparison that names the first differing pixel.

#include "colorsets/GColor.h"
#include "image/Canvas.h"
#include "params/ParamFields.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace wavory::testing {

inline GColor makeSet(std::initializer_list<Rgb> points, int level = 8) {
    GColor set;
    set.name = "test";
    set.colorLevelCount = static_cast<std::int16_t>(level);
    int i = 0;
    for (const Rgb& p : points) {
        set.r[i] = p.r;
        set.g[i] = p.g;
        set.b[i] = p.b;
        ++i;
    }
    set.colorCount = static_cast<std::int16_t>(i);
    return set;
}

// "虹": red, yellow, green, cyan, blue, magenta, red.
inline GColor rainbowSet() {
    return makeSet({{255, 0, 0},
                    {255, 255, 0},
                    {0, 255, 0},
                    {0, 255, 255},
                    {0, 0, 255},
                    {255, 0, 255},
                    {255, 0, 0}});
}

// Black, white, black: L = 512, entry 0 black, entry 256 white.
inline GColor blackWhiteSet() {
    return makeSet({{0, 0, 0}, {255, 255, 255}, {0, 0, 0}});
}

// Only the listed components on, each with the given period and amplitude slots.
inline ParamFields fieldsWith(int width, int height, std::initializer_list<int> components) {
    ParamFields f;
    f.width = width;
    f.height = height;
    f.componentOn.fill(false);
    for (int c : components)
        f.componentOn[static_cast<std::size_t>(c)] = true;
    const char* periods[] = {"60", "80", "100", "50", "70", "90", "4000", "3000", "1"};
    const int periodSlots[] = {0, 2, 4, 6, 8, 10, 12, 14, 16};
    for (int i = 0; i < 9; ++i)
        f.values[static_cast<std::size_t>(periodSlots[i])] = periods[i];
    const char* amplitudes[] = {"300", "250", "200", "150", "120", "100", "80", "60"};
    const int amplitudeSlots[] = {1, 3, 5, 7, 11, 13, 15, 17};
    for (int i = 0; i < 8; ++i)
        f.values[static_cast<std::size_t>(amplitudeSlots[i])] = amplitudes[i];
    f.values[9] = "1";
    return f;
}

inline ParamFields allComponents(int width, int height) {
    return fieldsWith(width, height, {0, 1, 2, 3, 4, 5, 6, 7});
}

inline std::string describe(Rgb c) {
    // Appended, not "(" + ...: GCC 12 warns falsely (-Wrestrict) on that where it inlines.
    std::string text = "(";
    text += std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
    return text;
}

// Success when both canvases have the same size and pixels; otherwise names the first
// pixel that differs.
inline ::testing::AssertionResult sameCanvas(const Canvas& expected, const Canvas& actual) {
    if (expected.width() != actual.width() || expected.height() != actual.height())
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    for (int x = 0; x < expected.width(); ++x)
        for (int y = 0; y < expected.height(); ++y)
            if (!(expected.pixel(x, y) == actual.pixel(x, y)))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << ") is " << describe(actual.pixel(x, y))
                       << ", expected " << describe(expected.pixel(x, y));
    return ::testing::AssertionSuccess();
}

// Fills the canvas with a pattern that no drawing makes by chance.
inline void fillDistinct(Canvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.setPixel(x, y,
                            {static_cast<std::uint8_t>(x * 7 + y),
                             static_cast<std::uint8_t>(y * 13), static_cast<std::uint8_t>(x ^ y)});
}

// A W x H picture of one color.
inline Canvas solid(int w, int h, Rgb c) {
    Canvas canvas(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            canvas.setPixel(x, y, c);
    return canvas;
}

} // namespace wavory::testing
