#include "colorsets/GimpPalette.h"

#include "common/UiText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace wavory {

namespace {

// More colours than any palette holds (GIMP's own stop at a few thousand); beyond this the
// file is damaged.
constexpr std::size_t kMaxPaletteColors = 1 << 20;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The three leading whole numbers of a colour line, each 0..255.
bool readColor(std::string_view line, std::array<int, 3>& rgb) {
    std::size_t i = 0;
    for (int c = 0; c < 3; ++c) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        int v = -1;
        const auto [end, ec] = std::from_chars(line.data() + i, line.data() + line.size(), v);
        if (ec != std::errc() || v < 0 || v > 255)
            return false;
        i = static_cast<std::size_t>(end - line.data());
        if (i < line.size() && line[i] != ' ' && line[i] != '\t')
            return false;
        rgb[c] = v;
    }
    return true;
}

} // namespace

std::string oneLine(std::string_view name) {
    std::string out(name);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return out;
}

bool parseGimpPalette(std::string_view text, GColor& set, std::string& error) {
    std::vector<std::array<int, 3>> colors;
    set = GColor{};
    std::size_t lineNumber = 0;
    bool header = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        const std::string_view line = trimmed(raw);
        if (!header) {
            if (line != "GIMP Palette" && line != "\xEF\xBB\xBFGIMP Palette") {
                error = UiText::tr("GIMP のパレットファイル(.gpl)ではありません。");
                return false;
            }
            header = true;
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        if (line.starts_with("Name:")) {
            set.name = std::string(trimmed(line.substr(5)));
            continue;
        }
        if (line.starts_with("Columns:"))
            continue;
        std::array<int, 3> rgb{};
        if (!readColor(line, rgb) || colors.size() >= kMaxPaletteColors) {
            error = fillText(UiText::tr("パレットファイルの %1 行目の色を読み取れません。"),
                             {std::to_string(lineNumber)});
            return false;
        }
        colors.push_back(rgb);
    }
    if (!header) {
        error = UiText::tr("GIMP のパレットファイル(.gpl)ではありません。");
        return false;
    }
    if (colors.empty()) {
        error = UiText::tr("パレットに色がありません。");
        return false;
    }
    if (colors.size() == 1)
        colors.push_back(colors.front());
    const std::size_t n = colors.size();
    const std::size_t points = std::min<std::size_t>(n, kMaxColorPoints);
    for (std::size_t i = 0; i < points; ++i) {
        // Evenly chosen: point i takes colour round(i (n - 1) / (points - 1)), halves up.
        const std::size_t from = (2 * i * (n - 1) + (points - 1)) / (2 * (points - 1));
        set.r[i] = static_cast<std::int16_t>(colors[from][0]);
        set.g[i] = static_cast<std::int16_t>(colors[from][1]);
        set.b[i] = static_cast<std::int16_t>(colors[from][2]);
    }
    set.colorCount = static_cast<std::int16_t>(points);
    set.colorLevelCount = 8;
    return true;
}

std::string gimpPaletteText(const GColor& set) {
    std::string out = "GIMP Palette\nName: " + oneLine(set.name) + "\nColumns: 0\n#\n";
    const int n = std::clamp<int>(set.colorCount, 0, kMaxColorPoints);
    for (int i = 0; i < n; ++i) {
        const auto byte = [](int v) { return std::clamp(v, 0, 255); };
        char line[64];
        std::snprintf(line, sizeof line, "%3d %3d %3d\tIndex %d\n", byte(set.r[i]), byte(set.g[i]),
                      byte(set.b[i]), i);
        out += line;
    }
    return out;
}

} // namespace wavory
