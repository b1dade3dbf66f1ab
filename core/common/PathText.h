#pragma once
// Path splitting on texts, with "/" as the only separator. An argument that is empty or
// only blanks gives an empty result (false for hasNoWildcards).

#include <string>
#include <string_view>

namespace wavory {

// The folder with one "/" appended unless it already ends with one.
std::string withTrailingSlash(std::string_view vPath);

// The directory part up to and including the last "/"; empty when there is none.
std::string folderPart(std::string_view vStr);

// The text after the last "/"; a text without "/" is returned whole.
std::string fileNamePart(std::string_view vStr);

// The path without its extension ("/a/wave.jpg" -> "/a/wave"). Unchanged when the last
// path element has no "." or that "." is the first character of the text.
std::string withoutExtension(std::string_view vStr);

// The extension without its dot, letter case kept ("x.CST" -> "CST"); empty when the last
// path element has no "." or that "." is the first character of the text.
std::string extensionPart(std::string_view vStr);

// True when the text contains neither "*" nor "?".
bool hasNoWildcards(std::string_view vPath);

// The text without half-width " " and full-width "　" blanks (tabs stay).
std::string withoutBlanks(std::string_view rStr);

// The text up to its first NUL, without leading and trailing blanks.
std::string trimmedBeforeNul(std::string_view incoming);

// Whether the text ends with `lowerSuffix` (given in lower case), ASCII letters compared
// without case: how file name endings choose a format.
bool endsWithNoCase(std::string_view text, std::string_view lowerSuffix);

} // namespace wavory
