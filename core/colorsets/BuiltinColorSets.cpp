#include "colorsets/BuiltinColorSets.h"

#include "colorsets/ColorSetCollection.h"

#include <initializer_list>
#include <string>

namespace wavory {

namespace {

struct Point {
    std::int16_t r, g, b;
};

GColor makeSet(std::string name, std::int16_t level, std::initializer_list<Point> points) {
    GColor set;
    set.name = std::move(name);
    set.colorLevelCount = level;
    for (const Point& p : points) {
        set.r[set.colorCount] = p.r;
        set.g[set.colorCount] = p.g;
        set.b[set.colorCount] = p.b;
        ++set.colorCount;
    }
    return set;
}

std::vector<GColor> makeBuiltinSets() {
    // Every set except "雷" ends on its first color so that the gradient wraps without a seam.
    return {
        makeSet("紫水黄", 8, {{255, 0, 255}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}}),
        makeSet("RGB", 8, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 0, 0}}),
        makeSet("虹", 8,
                {{255, 0, 0},
                 {255, 255, 0},
                 {0, 255, 0},
                 {0, 255, 255},
                 {0, 0, 255},
                 {255, 0, 255},
                 {255, 0, 0}}),
        makeSet("パステル", 8,
                {{255, 160, 176}, {255, 255, 160}, {160, 255, 208}, {255, 160, 176}}),
        makeSet(
            "北極", 8,
            {{216, 255, 255}, {176, 255, 255}, {144, 255, 255}, {128, 232, 255}, {216, 255, 255}}),
        makeSet("砂漠", 8,
                {{255, 176, 128}, {240, 208, 96}, {255, 0, 0}, {192, 64, 64}, {255, 176, 128}}),
        makeSet("雷", 8,
                {{48, 48, 0},
                 {64, 64, 0},
                 {96, 96, 0},
                 {128, 128, 0},
                 {255, 255, 224},
                 {128, 128, 0},
                 {96, 96, 0},
                 {64, 64, 0},
                 {48, 48, 0},
                 {24, 24, 0},
                 {0, 0, 0},
                 {0, 0, 0}}),
        makeSet("油膜", 8, {{88, 0, 0}, {24, 72, 96}, {160, 120, 24}, {88, 0, 0}}),
        makeSet("毒", 8, {{0, 0, 0}, {0, 0, 192}, {0, 128, 0}, {0, 0, 0}}),
        makeSet("紅と黒", 8, {{0, 0, 0}, {240, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}),
        makeSet("白黒", 8, {{0, 0, 0}, {255, 255, 255}, {0, 0, 0}}),
        makeSet("紫水黄(2値)", 0, {{255, 0, 255}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}}),
        makeSet(
            "迷彩(2値)", 0,
            {{128, 255, 0}, {0, 128, 0}, {192, 255, 0}, {0, 255, 0}, {0, 96, 0}, {128, 255, 0}}),
        makeSet("白黒(2値)", 0, {{0, 0, 0}, {255, 255, 255}, {0, 0, 0}}),
    };
}

} // namespace

const std::vector<GColor>& builtinColorSets() {
    static const std::vector<GColor> sets = makeBuiltinSets();
    return sets;
}

void initColors(ColorSetCollection& collection) {
    collection.clear();
    for (const GColor& set : builtinColorSets()) {
        // The collection is empty, so the names stay as they are and nothing is refused.
        (void)collection.addColorSet(set.name, set.colorLevelCount);
        const int index = collection.colorSetCount() - 1;
        for (int i = 0; i < set.colorCount; ++i) {
            collection.addColorPoint(index, set.r[i], set.g[i], set.b[i]);
        }
    }
    collection.select(0);
}

} // namespace wavory
