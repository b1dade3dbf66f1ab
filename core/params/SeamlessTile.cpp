#include "params/SeamlessTile.h"

#include "common/Clamps.h"
#include "common/Numbers.h"
#include "common/UiText.h"
#include "params/DrawParams.h"

#include <cmath>
#include <numbers>
#include <numeric>
#include <string>

namespace wavory {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kDiagonal = 2, kRectangle = 4, kPlus = 5, kRibbon = 6, kRipple = 7;

// One period slot and the side it must fit: the wave turns `angle` radians per period
// across `side` pixels between two extrema.
struct PeriodFit {
    int slot;
    int component;
    int side;
    double angle;
};

std::string componentList(const std::vector<int>& components) {
    std::string text;
    for (int c : components) {
        if (!text.empty())
            text += UiText::tr("、");
        text += UiText::tr(kComponentNames[static_cast<std::size_t>(c)]);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> seamlessPeriodSlot(std::int32_t slot, int side, double angle) {
    if (side <= 0 || angle <= 0)
        return std::nullopt;
    const double period = periodFromSlot(std::max<std::int32_t>(slot, 1));
    const double longest = side / angle; // m = 1
    const double smallest = periodFromSlot(1);
    const double m = std::max(1.0, longest / period);
    std::optional<std::int32_t> best;
    double bestDistance = 0;
    for (const double k : {std::floor(m), std::ceil(m)}) {
        const double candidate = longest / k;
        if (candidate < smallest)
            continue;
        const double distance = std::abs(candidate - period);
        if (best && distance >= bestDistance)
            continue;
        best = clampPositive(roundToInt32(3.0 * (candidate - 0.5)));
        bestDistance = distance;
    }
    return best;
}

SeamlessChange makeSeamless(ParamModel& model) {
    SeamlessChange change;
    const int w = model.fields().width;
    const int h = model.fields().height;
    change.oddSide = w % 2 != 0 || h % 2 != 0;
    model.setCenterText(0, "0");
    model.setCenterText(1, "0");

    // A wave of the whole side (vertical, horizontal, circle) must turn a whole number of
    // times 2π across it; the rectangle runs at twice the distance from the center, so π
    // suffices, on both sides at once; the plus needs 2π on both sides for every row.
    const int both = std::gcd(w, h);
    const PeriodFit fits[] = {
        {kPeriodSlot[0], 0, w, 2 * kPi},          {kPeriodSlot[1], 1, h, 2 * kPi},
        {kPeriodSlot[3], 3, w, 2 * kPi},          {kCircleYPeriodSlot, 3, h, 2 * kPi},
        {kPeriodSlot[kRectangle], kRectangle, both, kPi},
        {kPeriodSlot[kPlus], kPlus, both, 2 * kPi},
    };
    std::array<bool, kComponentCount> tiles{};
    tiles.fill(true);
    tiles[kDiagonal] = tiles[kRibbon] = tiles[kRipple] = false;
    ValueSlots& slots = model.mutableSlots();
    for (const PeriodFit& fit : fits) {
        if (const auto slot = seamlessPeriodSlot(slots[fit.slot], fit.side, fit.angle))
            slots[fit.slot] = *slot;
        else
            tiles[static_cast<std::size_t>(fit.component)] = false;
    }
    for (int c = 0; c < kComponentCount; ++c) {
        if (tiles[static_cast<std::size_t>(c)] || !model.fields().componentOn[c])
            continue;
        model.setComponent(c, false);
        change.switchedOff.push_back(c);
    }
    if (model.fields().frame.enabled) {
        FrameFields frame = model.fields().frame;
        frame.enabled = false;
        model.setFrame(frame);
        change.frameSwitchedOff = true;
    }
    model.showValues();
    return change;
}

Result seamlessChangeReport(const SeamlessChange& change) {
    std::vector<std::string> lines;
    if (!change.switchedOff.empty())
        lines.push_back(
            fillText(UiText::tr("次の成分は継ぎ目なしにできないため、オフにしました。\r\n%1"),
                     {componentList(change.switchedOff)}));
    if (change.frameSwitchedOff)
        lines.push_back(UiText::tr("枠は画像の端に継ぎ目を作るため、オフにしました。"));
    if (change.oddSide)
        lines.push_back(UiText::tr("画像の幅か高さが奇数のため、継ぎ目は完全には消えません。\r\n"
                                   "幅と高さを偶数にすると端が正確につながります。"));
    Result result;
    if (lines.empty())
        return result;
    std::string text = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += "\r\n" + lines[i];
    result.warn({MessageIcon::Information, text});
    return result;
}

} // namespace wavory
