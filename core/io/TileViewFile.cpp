#include "io/TileViewFile.h"

#include "io/AtomicFile.h"
#include "io/IniDocument.h"
#include "common/ProgramFolder.h"
#include "io/TextCodec.h"

namespace wavory {

std::string tileViewFileContent(std::string_view text) {
    std::string content = "\"";
    content += text;
    content += "\"\r\n";
    return content;
}

std::optional<std::string> parseTileViewFile(std::string_view content) {
    const auto open = content.find('"');
    if (open == std::string_view::npos) {
        const auto lines = textcodec::splitLines(content);
        if (lines.empty())
            return std::nullopt;
        const std::string_view first = trimIniBlanks(lines.front());
        if (first.empty())
            return std::nullopt;
        return std::string(first);
    }
    const auto close = content.find('"', open + 1);
    std::string_view text = content.substr(
        open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    if (close == std::string_view::npos) {
        // An unclosed quote runs to the end; the final line end is not part of the text.
        if (text.ends_with("\r\n"))
            text.remove_suffix(2);
        else if (text.ends_with('\n'))
            text.remove_suffix(1);
    }
    return std::string(text);
}

std::error_code writeTileViewFile(std::string_view text) {
    return writeFileAtomically(resolveInProgramFolder(kTileViewFileName),
                               textcodec::encodeFileText(tileViewFileContent(text)));
}

bool readTileViewFile(std::string& text) {
    std::string bytes;
    if (readWholeFile(resolveInProgramFolder(kTileViewFileName), bytes))
        return false;
    auto parsed = parseTileViewFile(textcodec::decodeFileText(bytes));
    if (!parsed)
        return false;
    text = std::move(*parsed);
    return true;
}

} // namespace wavory
