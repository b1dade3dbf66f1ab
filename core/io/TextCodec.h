#pragma once
// Text files stay exchangeable with Windows programs that read only Japanese ANSI text:
// they are written in CP932 with CR LF line ends and read as UTF-8 when valid, otherwise
// as CP932.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavory::textcodec {

bool isValidUtf8(std::string_view bytes);

// File bytes to UTF-8: valid UTF-8 is taken as it is (a leading byte order mark is
// dropped), anything else is read as CP932; bytes CP932 cannot map become U+FFFD. The
// result is always valid UTF-8. Also for names taken from files of any kind.
std::string decodeFileText(std::string_view bytes);

// The text with every byte that is not part of a valid UTF-8 sequence replaced by U+FFFD.
std::string repairedUtf8(std::string_view bytes);

// UTF-8 to CP932, or nothing when a character has no CP932 form.
std::optional<std::string> toCp932(std::string_view utf8);

// The bytes to write for a text: CP932 when the file reads back as exactly this text,
// else the UTF-8 text, so that nothing is lost or changed. A text that is not valid UTF-8
// is repaired first (repairedUtf8): a file never mixes two encodings.
std::string encodeFileText(std::string_view text);

// Length of the text in CP932 bytes; a character without a CP932 form counts as two
// bytes (what a full-width replacement would take).
std::size_t cp932ByteLength(std::string_view utf8);

// Splits a decoded text at CR LF or LF; a final line end does not start an empty line.
std::vector<std::string> splitLines(std::string_view text);

} // namespace wavory::textcodec
