#include "colorsets/ColorSetExchange.h"

#include "common/UiText.h"

#include "colorsets/ColorEditing.h"
#include "colorsets/ColorSetCommands.h"
#include "colorsets/ColorSetFileCommands.h"
#include "colorsets/GimpGradient.h"
#include "colorsets/GimpPalette.h"
#include "io/AtomicFile.h"
#include "io/TextCodec.h"

#include <algorithm>
#include <string>

namespace wavory {

std::string importedSetName(std::string_view bytes) {
    std::string name = textcodec::decodeFileText(bytes);
    // On one line without control characters, so that the collection file keeps it whole.
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    const auto first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
    name.erase(name.find_last_not_of(' ') + 1);
    return fitCp932Bytes(name);
}

Result addColorSet(const GColor& set, ColorSetCollection& sets) {
    std::string name = importedSetName(set.name);
    if (name.empty())
        name = freeNewSetName(sets);
    Result added = sets.addColorSet(name, set.colorLevelCount);
    if (!added.ok())
        return added;
    const int index = sets.colorSetCount() - 1;
    for (int i = 0; i < set.colorCount && i < kMaxColorPoints; ++i)
        sets.addColorPoint(index, set.r[i], set.g[i], set.b[i]);
    sets.select(index);
    return added;
}

Result importExchangeColorSet(const std::filesystem::path& path, ColorSetCollection& sets) {
    std::string bytes;
    if (const std::error_code ec = readWholeFile(path, bytes))
        return Result::failure(colorSetReadFailureMessage(systemErrorText(ec)));
    GColor set;
    std::string error;
    if (bytes.starts_with("GIMP Gradient")) {
        GimpGradient gradient;
        if (parseGimpGradient(bytes, gradient, error)) {
            set = fitColorPoints([&gradient](double t) { return gradient.colorAt(t); });
            set.name = gradient.name;
        }
    } else if (bytes.starts_with("GIMP Palette") || bytes.starts_with("\xEF\xBB\xBFGIMP Palette")) {
        parseGimpPalette(bytes, set, error);
    } else {
        error = UiText::tr("GIMP のグラデーション(.ggr)でもパレット(.gpl)でもありません。");
    }
    if (!error.empty())
        return Result::failure(colorSetReadFailureMessage(error));
    if (set.name.empty())
        set.name = path.stem().string();
    return addColorSet(set, sets);
}

Result exportExchangeColorSet(const std::filesystem::path& path, const GColor& set,
                              ExchangeFormat format) {
    const std::string text = format == ExchangeFormat::GimpGradient ? gimpGradientText(set)
                                                                    : gimpPaletteText(set);
    if (const std::error_code ec = writeFileAtomically(path, text))
        return Result::failure(colorSetWriteFailureMessage(systemErrorText(ec)));
    return {};
}

} // namespace wavory
