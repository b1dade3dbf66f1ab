#include "colorsets/GimpGradient.h"

#include "common/UiText.h"

#include "colorsets/ColorTable.h"
#include "colorsets/GimpPalette.h"
#include "common/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace wavory {

namespace {

constexpr double kEpsilon = 1e-10;
// More segments than any gradient a person makes; a larger count is a damaged file.
constexpr long kMaxSegments = 100000;

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<double> numbersOf(std::string_view line, bool& ok) {
    std::vector<double> numbers;
    ok = true;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        double v = 0;
        const auto [end, ec] = std::from_chars(line.data() + i, line.data() + line.size(), v);
        if (ec != std::errc() || !std::isfinite(v)) {
            ok = false;
            break;
        }
        numbers.push_back(v);
        i = static_cast<std::size_t>(end - line.data());
    }
    return numbers;
}

bool wholeNumberIn(double v, double low, double high) {
    return v >= low && v <= high && v == std::floor(v);
}

std::string lineError(std::size_t lineIndex) {
    return fillText(UiText::tr("グラデーションファイルの %1 行目を読み取れません。"),
                    {std::to_string(lineIndex + 1)});
}

double linearFactor(double middle, double pos) {
    if (pos <= middle)
        return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    pos -= middle;
    middle = 1.0 - middle;
    return middle < kEpsilon ? 1.0 : 0.5 + 0.5 * pos / middle;
}

double blendFactor(int blending, double middle, double pos) {
    switch (blending) {
    case 1: // curved
        return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
    case 2: // sine
        return (std::sin(-std::numbers::pi / 2 + std::numbers::pi * linearFactor(middle, pos)) +
                1.0) /
               2.0;
    case 3: { // sphere increasing
        const double p = linearFactor(middle, pos) - 1.0;
        return std::sqrt(std::max(0.0, 1.0 - p * p));
    }
    case 4: { // sphere decreasing
        const double p = linearFactor(middle, pos);
        return 1.0 - std::sqrt(std::max(0.0, 1.0 - p * p));
    }
    case 5: // step
        return pos >= middle ? 1.0 : 0.0;
    default:
        return linearFactor(middle, pos);
    }
}

RealRgb toHsv(const RealRgb& c) {
    const double mx = std::max({c[0], c[1], c[2]});
    const double mn = std::min({c[0], c[1], c[2]});
    const double d = mx - mn;
    double h = 0;
    if (d > 0) {
        if (mx == c[0])
            h = std::fmod((c[1] - c[2]) / d + 6.0, 6.0);
        else if (mx == c[1])
            h = (c[2] - c[0]) / d + 2.0;
        else
            h = (c[0] - c[1]) / d + 4.0;
    }
    return {h / 6.0, mx > 0 ? d / mx : 0.0, mx};
}

RealRgb fromHsv(const RealRgb& hsv) {
    const double h = std::fmod(hsv[0] * 6.0 + 6.0, 6.0), s = hsv[1], v = hsv[2];
    const int sector = std::min(static_cast<int>(h), 5);
    const double f = h - sector;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
    }
}

// Six decimals with a point whatever the user's locale (the windows set it for the
// process): GIMP reads the file in the C locale.
void appendNumber(std::string& out, double value) {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

void appendSegment(std::string& out, double left, double right, const Rgb& a, const Rgb& b) {
    const double values[] = {left,       (left + right) / 2, right,      a.r / 255.0,
                             a.g / 255.0, a.b / 255.0,        1.0,        b.r / 255.0,
                             b.g / 255.0, b.b / 255.0,        1.0};
    for (double v : values) {
        appendNumber(out, v);
        out += ' ';
    }
    out += "0 0 0 0\n"; // linear, RGB, both end colours fixed
}

} // namespace

RealRgb GimpGradient::colorAt(double position) const {
    if (segments.empty())
        return {};
    position = std::clamp(position, 0.0, 1.0);
    // The segments are in order (parseGimpGradient checks it): the first that reaches the
    // position holds it.
    auto seg = std::lower_bound(
        segments.begin(), segments.end(), position,
        [](const GimpSegment& s, double p) { return s.right < p; });
    if (seg == segments.end())
        seg = std::prev(segments.end());
    const double length = seg->right - seg->left;
    double middle = 0.5, pos = 0.5;
    if (length >= kEpsilon) {
        middle = (seg->middle - seg->left) / length;
        pos = std::clamp((position - seg->left) / length, 0.0, 1.0);
    }
    const double f = blendFactor(seg->blending, middle, pos);
    RealRgb c{};
    if (seg->coloring == 0) {
        for (int i = 0; i < 3; ++i)
            c[i] = seg->leftColor[i] + (seg->rightColor[i] - seg->leftColor[i]) * f;
    } else {
        RealRgb a = toHsv(seg->leftColor), b = toHsv(seg->rightColor);
        double hue;
        if (seg->coloring == 1) { // counter-clockwise: hue grows
            if (b[0] < a[0])
                b[0] += 1.0;
        } else if (a[0] < b[0]) { // clockwise: hue falls
            a[0] += 1.0;
        }
        hue = a[0] + (b[0] - a[0]) * f;
        c = fromHsv({std::fmod(hue, 1.0), a[1] + (b[1] - a[1]) * f, a[2] + (b[2] - a[2]) * f});
    }
    for (double& v : c)
        v = std::clamp(v, 0.0, 1.0) * 255.0;
    return c;
}

bool parseGimpGradient(std::string_view text, GimpGradient& gradient, std::string& error) {
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.empty() || lines[0] != "GIMP Gradient") {
        error = UiText::tr("GIMP のグラデーションファイル(.ggr)ではありません。");
        return false;
    }
    std::size_t next = 1;
    gradient = {};
    if (next < lines.size() && lines[next].starts_with("Name:")) {
        std::string_view name = lines[next].substr(5);
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.remove_prefix(1);
        gradient.name = std::string(name);
        ++next;
    }
    bool ok = false;
    const std::vector<double> count =
        next < lines.size() ? numbersOf(lines[next], ok) : std::vector<double>{};
    if (!ok || count.size() != 1 || count[0] < 1 || count[0] > kMaxSegments ||
        count[0] != std::floor(count[0])) {
        error = next < lines.size() ? lineError(next)
                                    : UiText::tr("グラデーションの区間がありません。");
        return false;
    }
    const auto segmentCount = static_cast<std::size_t>(count[0]);
    ++next;
    double previousRight = 0;
    for (std::size_t s = 0; s < segmentCount; ++s, ++next) {
        if (next >= lines.size()) {
            error =
                fillText(UiText::tr("グラデーションの区間が足りません（%1 個のはずが %2 個）。"),
                         {std::to_string(segmentCount), std::to_string(s)});
            return false;
        }
        const std::vector<double> v = numbersOf(lines[next], ok);
        if (!ok || v.size() < 11 || v.size() > 15) {
            error = lineError(next);
            return false;
        }
        GimpSegment seg;
        seg.left = v[0];
        seg.middle = v[1];
        seg.right = v[2];
        // Segments run from 0 to 1 in order, each with its middle inside it.
        if (!(seg.left >= 0 && seg.left <= seg.middle && seg.middle <= seg.right &&
              seg.right <= 1.0 + kEpsilon && seg.left >= previousRight - 1e-6)) {
            error = lineError(next);
            return false;
        }
        previousRight = seg.right;
        for (int c = 0; c < 3; ++c) {
            seg.leftColor[c] = std::clamp(v[3 + c], 0.0, 1.0);
            seg.rightColor[c] = std::clamp(v[7 + c], 0.0, 1.0);
        }
        if (v.size() >= 13) {
            // Checked as numbers before they become ints: a huge value has no int, and
            // a fraction names no kind.
            if (!wholeNumberIn(v[11], 0, 5) || !wholeNumberIn(v[12], 0, 2)) {
                error = lineError(next);
                return false;
            }
            seg.blending = static_cast<int>(v[11]);
            seg.coloring = static_cast<int>(v[12]);
        }
        gradient.segments.push_back(seg);
    }
    return true;
}

std::string gimpGradientText(const GColor& set) {
    std::string out = "GIMP Gradient\nName: " + oneLine(set.name) + "\n";
    const int n = std::clamp<int>(set.colorCount, 2, kMaxColorPoints);
    const int segments = n - 1;
    const ColorTable table(set);
    const int level = std::clamp<int>(set.colorLevelCount, 0, 8);
    std::string body;
    int count = 0;
    const auto point = [&set](int i) {
        const auto byte = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
        return Rgb{byte(set.r[i]), byte(set.g[i]), byte(set.b[i])};
    };
    for (int a = 0; a < segments; ++a) {
        const double left = static_cast<double>(a) / segments;
        const double right = static_cast<double>(a + 1) / segments;
        if (level == 8) { // smooth: GIMP's straight line is the program's 256 steps
            appendSegment(body, left, right, point(a), point(a + 1));
            ++count;
            continue;
        }
        const int steps = 1 << level;
        const int stepWidth = 256 / steps;
        for (int k = 0; k < steps; ++k) {
            const Rgb flat = table.entry(a * 256 + k * stepWidth);
            appendSegment(body, left + (right - left) * k / steps,
                          k + 1 == steps ? right : left + (right - left) * (k + 1) / steps, flat,
                          flat);
            ++count;
        }
    }
    return out + std::to_string(count) + "\n" + body;
}

} // namespace wavory
