#include "colorsets/ColorSetFileCommands.h"

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

void send(const MessageSink& sink, const UserMessage& message) {
    if (sink)
        sink(message);
}

// Binds `ini` to the file and opens a batch on its content. A missing file is an error
// here: loading it would silently add nothing.
std::error_code openForReading(clsINI& ini, std::string_view path) {
    ini.InitINI(path);
    std::error_code ec;
    if (!std::filesystem::exists(ini.Path(), ec))
        return ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory);
    return ini.BeginBatch();
}

StartupColorSets useBuiltinSets(ColorSetCollection& sets, const MessageSink& sink,
                                bool afterFailure) {
    if (afterFailure)
        send(sink, fatalColorSetFileMessage());
    InitColors(sets);
    return afterFailure ? StartupColorSets::BuiltinAfterFailure : StartupColorSets::Builtin;
}

std::optional<UserMessage> failureMessage(const std::error_code& ec) {
    if (!ec)
        return std::nullopt;
    return colorSetWriteFailureMessage(systemErrorText(ec));
}

} // namespace

ColorSetLoadResult LoadColorSetFile(std::string_view path, ColorSetCollection& sets,
                                    const MessageSink& sink) {
    ColorSetLoadResult result;
    clsINI ini;
    if ((result.error = openForReading(ini, withoutQuotes(path)))) {
        send(sink, colorSetReadFailureMessage(systemErrorText(result.error)));
        return result;
    }
    result.dropped = ReadColorSets(ini, sets, true);
    ini.DiscardBatch();
    if (!result.dropped.empty())
        send(sink, duplicateColorSetsMessage(result.dropped));
    sets.select(sets.getgColorCount() - 1);
    return result;
}

StartupColorSets ReadColorSetsAtStartup(clsINI& ini, ColorSetCollection& sets,
                                        const MessageSink& sink) {
    sets.clear();
    // A missing file starts an empty batch (no "Count"); an existing one that cannot be
    // read is an error.
    if (ini.BeginBatch())
        return useBuiltinSets(sets, sink, true);
    try {
        if (ini.GetIni(kColorSetCountSection, "Count", "").empty()) {
            ini.DiscardBatch();
            return useBuiltinSets(sets, sink, false);
        }
        ReadColorSets(ini, sets, false);
    } catch (const std::exception&) {
        ini.DiscardBatch();
        return useBuiltinSets(sets, sink, true);
    }
    ini.DiscardBatch();
    if (sets.empty())
        return useBuiltinSets(sets, sink, true);
    sets.select(0);
    return StartupColorSets::FromFile;
}

std::optional<UserMessage> SaveColorSetFile(std::string_view path, const ColorSetCollection& sets,
                                            int index) {
    clsINI ini;
    ini.InitINI(path);
    ini.SetAttrINIArchive();
    // Emptied and refilled in memory, then written in one step.
    ini.BeginBatchWith(IniDocument());
    if (const auto ec = ini.ClearINI())
        return failureMessage(ec);
    if (const auto ec = WriteColorSet(ini, sets, index, 0)) {
        ini.DiscardBatch();
        return failureMessage(ec);
    }
    return failureMessage(ini.CommitBatch());
}

std::optional<UserMessage> SaveAllColorSetsFile(std::string_view path,
                                                const ColorSetCollection& sets) {
    clsINI ini;
    ini.InitINI(path);
    ini.SetAttrINIArchive();
    return failureMessage(WriteAllColorSets(ini, sets));
}

UserMessage duplicateColorSetsMessage(std::string_view dropped) {
    return {MessageIcon::Exclamation,
            "以下の色セットはすでに同じパラメータの物が存在しているため、追加されませんでした。"
            "\r\n" +
                std::string(dropped)};
}

UserMessage colorSetReadFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical, "読み込み時にエラーが発生しました。\r\n" + errorText};
}

UserMessage colorSetWriteFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical, "書き込み時にエラーが発生しました。\r\n" + errorText};
}

UserMessage fatalColorSetFileMessage() {
    return {MessageIcon::Exclamation,
            "色セットの読み出し中に致命的な異常が発生しました。\r\n色セットを初期化します。"};
}

} // namespace wavory
