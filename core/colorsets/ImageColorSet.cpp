#include "colorsets/ImageColorSet.h"

#include "common/UiText.h"

#include "io/PaletteQuantizer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wavory {

double lightness(const Rgb& color) {
    const auto linear = [](std::uint8_t v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double y =
        0.2126 * linear(color.r) + 0.7152 * linear(color.g) + 0.0722 * linear(color.b);
    return y > 216.0 / 24389.0 ? 116.0 * std::cbrt(y) - 16.0 : y * 24389.0 / 27.0;
}

Result colorSetFromPicture(const Canvas& picture, int count, const std::string& name,
                           GColor& set) {
    if (picture.empty())
        return Result::failure(MessageIcon::Critical, UiText::tr("画像に色がありません。"));
    count = std::clamp(count, kMinColorPoints, kMaxColorPoints);
    const codec::QuantizeResult quantized = codec::quantizeCanvas(picture, count);
    if (!quantized.ok)
        return Result::failure(
            MessageIcon::Critical,
            fillText(UiText::tr("画像の色を数えられませんでした。\r\n%1"), {quantized.error}));
    std::vector<Rgb> colors = quantized.image.palette;
    std::stable_sort(colors.begin(), colors.end(),
                     [](const Rgb& a, const Rgb& b) { return lightness(a) < lightness(b); });
    if (colors.size() == 1)
        colors.push_back(colors.front());
    if (colors.size() > static_cast<std::size_t>(count))
        colors.resize(static_cast<std::size_t>(count));
    set = GColor{};
    set.name = name;
    set.colorLevelCount = 8;
    set.colorCount = static_cast<std::int16_t>(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        set.r[i] = colors[i].r;
        set.g[i] = colors[i].g;
        set.b[i] = colors[i].b;
    }
    return {};
}

} // namespace wavory
