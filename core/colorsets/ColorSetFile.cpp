#include "colorsets/ColorSetFile.h"

#include "common/Numbers.h"
#include "io/IniDocument.h"
#include "io/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace wavory {

namespace {

constexpr std::string_view kCountKey = "Count";
constexpr std::string_view kNameKey = "ColorSetName";
constexpr std::string_view kPointCountKey = "ColorCount";
constexpr std::string_view kLevelKey = "ColorLevelCount";
constexpr std::array<char, 3> kChannels = {'R', 'G', 'B'};

// Writes one 16-bit number in plain decimal form.
bool writeNumber(IniFile& ini, const std::string& section, std::string_view key,
                 std::int16_t value) {
    return ini.accessValue(section, key, value, true);
}

// Writes every key of one set into the open batch.
bool writeSetKeys(IniFile& ini, const GColor& set, const std::string& section) {
    std::string name = set.name;
    bool ok = ini.accessValue(section, kNameKey, name, true);
    ok = ok && writeNumber(ini, section, kPointCountKey, set.colorCount);
    ok = ok && writeNumber(ini, section, kLevelKey, set.colorLevelCount);
    const int points = set.colorCount < 0 ? 0 : std::min<int>(set.colorCount, kMaxColorPoints);
    for (int i = 0; ok && i < points; ++i) {
        ok = writeNumber(ini, section, colorPointKey(i, 'R'), set.r[i]) &&
             writeNumber(ini, section, colorPointKey(i, 'G'), set.g[i]) &&
             writeNumber(ini, section, colorPointKey(i, 'B'), set.b[i]);
    }
    return ok;
}

// Reads the points of one set into slot `index`. False when the set has to be abandoned:
// a value too large for its field, or a point beyond the twelfth. The points read before
// stay with the set.
bool readPoints(IniFile& ini, const std::string& section, int pointCount, ColorSetCollection& sets,
                int index) {
    for (int i = 0; i < pointCount; ++i) {
        std::array<std::int32_t, 3> rgb{};
        for (std::size_t c = 0; c < kChannels.size(); ++c) {
            if (!ini.accessValue(section, colorPointKey(i, kChannels[c]), rgb[c], false))
                return false;
        }
        if (!sets.addColorPoint(index, rgb[0], rgb[1], rgb[2]))
            return false;
    }
    return true;
}

} // namespace

std::string colorSetSection(int setNumber) {
    return std::string(kColorSetCountSection) + signPositionForm(setNumber);
}

std::string colorPointKey(int point, char channel) {
    std::string key = "Color" + signPositionForm(point);
    key += channel;
    return key;
}

std::error_code writeColorSet(IniFile& ini, const ColorSetCollection& sets, int setIndex,
                              int setNumber) {
    if (setIndex < 0 || setIndex >= sets.colorSetCount())
        return std::make_error_code(std::errc::invalid_argument);
    const bool ownBatch = !ini.inBatch();
    if (ownBatch) {
        if (const auto ec = ini.beginBatch())
            return ec;
    }
    if (!writeSetKeys(ini, sets.at(setIndex), colorSetSection(setNumber))) {
        if (ownBatch)
            ini.discardBatch();
        return std::make_error_code(std::errc::invalid_argument);
    }
    return ownBatch ? ini.commitBatch() : std::error_code{};
}

std::error_code writeAllColorSets(IniFile& ini, const ColorSetCollection& sets) {
    // The new content is put together in memory and replaces the file in one step.
    ini.beginBatchWith(IniDocument());
    if (const auto ec = ini.clearAll()) {
        ini.discardBatch();
        return ec;
    }
    std::int16_t count = sets.colorSetCount();
    if (!ini.accessValue(kColorSetCountSection, kCountKey, count, true)) {
        ini.discardBatch();
        return std::make_error_code(std::errc::invalid_argument);
    }
    for (int i = 0; i < count; ++i) {
        if (const auto ec = writeColorSet(ini, sets, i, i)) {
            ini.discardBatch();
            return ec;
        }
    }
    return ini.commitBatch();
}

ColorSetsRead readColorSets(IniFile& ini, ColorSetCollection& sets, bool removeDuplicates) {
    const bool ownBatch = !ini.inBatch();
    // One read of the file serves every key; an unreadable file has no keys.
    if (ownBatch && ini.beginBatch())
        return {};

    ColorSetsRead read;
    std::string& dropped = read.dropped;
    for (int n = 0;; ++n) {
        const std::string section = colorSetSection(n);
        std::string name;
        ini.accessValue(section, kNameKey, name, false);
        if (name.empty())
            break;

        std::int16_t pointCount = 0;
        if (!ini.accessValue(section, kPointCountKey, pointCount, false) || pointCount < 2)
            continue;
        std::int16_t level = 0;
        if (!ini.accessValue(section, kLevelKey, level, false))
            continue;
        if (Result added = sets.addColorSet(name, level); !added.ok()) {
            // Full: the user is told, the sets read so far stay.
            for (const UserMessage& m : added.messages())
                read.outcome.warn(m);
            break;
        }

        // The set just added is always the last one, whatever happened to the sets
        // before it, so its points cannot end up in another set.
        const int index = sets.colorSetCount() - 1;
        if (!readPoints(ini, section, pointCount, sets, index))
            continue; // abandoned: it keeps the points read so far

        if (removeDuplicates && sets.hasSameColorSet(static_cast<std::int16_t>(index)) >= 0) {
            auto removed = static_cast<std::int16_t>(index);
            sets.removeColorSet(removed);
            if (!dropped.empty())
                dropped += ", ";
            dropped += name;
        }
    }
    if (ownBatch)
        ini.discardBatch();
    return read;
}

ColorSetsRead readColorSetsFromBytes(std::string_view bytes, ColorSetCollection& sets,
                                     bool removeDuplicates) {
    IniFile ini;
    ini.beginBatchWith(IniDocument::parse(textcodec::decodeFileText(bytes)));
    return readColorSets(ini, sets, removeDuplicates);
}

} // namespace wavory
