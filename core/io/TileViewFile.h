#pragma once
// "Tileview.ini": the tile view's text on one line between double quotes. The text is
// written without escaping, so a double quote inside it ends the text when read back.

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

inline constexpr const char* kTileViewFileName = "Tileview.ini";

// The decoded content of the file for a text: quote, text, quote, CR LF.
std::string tileViewFileContent(std::string_view text);

// The text between the first double quote and the next one (or the end of the content
// when it is not closed). A content without any double quote gives its first line with
// the blanks around it removed; an empty content gives nothing.
std::optional<std::string> parseTileViewFile(std::string_view content);

// Writes "Tileview.ini" in the program folder, atomically.
std::error_code writeTileViewFile(std::string_view text);

// Reads "Tileview.ini" from the program folder into text. A missing, unreadable or empty
// file leaves text as it was and gives false.
bool readTileViewFile(std::string& text);

} // namespace wavory
