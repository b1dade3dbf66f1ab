#include "colorsets/ColorSetFileCommands.h"

#include "common/UiText.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetFile.h"
#include "io/AtomicFile.h"
#include "io/IniDocument.h"

#include <exception>
#include <filesystem>

namespace wavory {

namespace {

std::string withoutQuotes(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (char c : path) {
        if (c != '"')
            result += c;
    }
    return result;
}

// Binds `ini` to the file and opens a batch on its content. A missing file is an error
// here: loading it would silently add nothing.
std::error_code openForReading(IniFile& ini, std::string_view path) {
    ini.initFile(path);
    std::error_code ec;
    if (!std::filesystem::exists(ini.path(), ec))
        return ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory);
    return ini.beginBatch();
}

StartupColorSetsRead useBuiltinSets(ColorSetCollection& sets, bool afterFailure) {
    StartupColorSetsRead read;
    if (afterFailure) {
        read.outcome.warn(fatalColorSetFileMessage());
        read.source = StartupColorSets::BuiltinAfterFailure;
    }
    initColors(sets);
    return read;
}

Result writeOutcome(const std::error_code& ec) {
    if (!ec)
        return {};
    return Result::failure(colorSetWriteFailureMessage(systemErrorText(ec)));
}

} // namespace

ColorSetLoadResult loadColorSetFile(std::string_view path, ColorSetCollection& sets) {
    ColorSetLoadResult result;
    IniFile ini;
    if ((result.error = openForReading(ini, withoutQuotes(path)))) {
        result.outcome.fail(colorSetReadFailureMessage(systemErrorText(result.error)));
        return result;
    }
    ColorSetsRead read = readColorSets(ini, sets, true);
    ini.discardBatch();
    result.dropped = std::move(read.dropped);
    result.outcome = std::move(read.outcome);
    if (!result.dropped.empty())
        result.outcome.warn(duplicateColorSetsMessage(result.dropped));
    sets.select(sets.colorSetCount() - 1);
    return result;
}

StartupColorSetsRead readColorSetsAtStartup(IniFile& ini, ColorSetCollection& sets) {
    sets.clear();
    // A missing file starts an empty batch (no "Count"); an existing one that cannot be
    // read is an error.
    if (ini.beginBatch())
        return useBuiltinSets(sets, true);
    StartupColorSetsRead read{StartupColorSets::FromFile, {}};
    try {
        if (ini.valueText(kColorSetCountSection, "Count", "").empty()) {
            ini.discardBatch();
            return useBuiltinSets(sets, false);
        }
        read.outcome = readColorSets(ini, sets, false).outcome;
    } catch (const std::exception&) {
        ini.discardBatch();
        return useBuiltinSets(sets, true);
    }
    ini.discardBatch();
    if (sets.empty())
        return useBuiltinSets(sets, true);
    sets.select(0);
    return read;
}

Result saveColorSetFile(std::string_view path, const ColorSetCollection& sets, int index) {
    IniFile ini;
    ini.initFile(path);
    ini.setArchiveAttribute();
    // Emptied and refilled in memory, then written in one step.
    ini.beginBatchWith(IniDocument());
    if (const auto ec = ini.clearAll())
        return writeOutcome(ec);
    if (const auto ec = writeColorSet(ini, sets, index, 0)) {
        ini.discardBatch();
        return writeOutcome(ec);
    }
    return writeOutcome(ini.commitBatch());
}

Result saveAllColorSetsFile(std::string_view path, const ColorSetCollection& sets) {
    IniFile ini;
    ini.initFile(path);
    ini.setArchiveAttribute();
    return writeOutcome(writeAllColorSets(ini, sets));
}

UserMessage duplicateColorSetsMessage(std::string_view dropped) {
    return {MessageIcon::Exclamation,
            fillText(UiText::tr("以下の色セットはすでに同じパラメータの物が存在しているため、"
                                "追加されませんでした。\r\n%1"),
                     {dropped})};
}

UserMessage colorSetReadFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical,
            fillText(UiText::tr("読み込み時にエラーが発生しました。\r\n%1"), {errorText})};
}

UserMessage colorSetWriteFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical,
            fillText(UiText::tr("書き込み時にエラーが発生しました。\r\n%1"), {errorText})};
}

UserMessage fatalColorSetFileMessage() {
    return {MessageIcon::Exclamation,
            UiText::tr(
                "色セットの読み出し中に致命的な異常が発生しました。\r\n色セットを初期化します。")};
}

} // namespace wavory
