#pragma once
// Japanese line breaking for wrapped labels. Qt's line breaker already keeps closing
// punctuation, small kana and opening brackets with their neighbours; what it lacks is
// the rule against a paragraph ending in a line of one character ("き、"). That rule is
// laid into the text as a word joiner (U+2060, invisible), so that the label's own
// wrapping keeps it at any width.

#include <QString>

namespace wavory {

inline constexpr QChar kWordJoiner = QChar(0x2060);

// Characters no line may start with: closing brackets and punctuation, small kana, the
// prolonged sound and iteration marks.
bool mayNotStartLine(QChar c);
// Characters no line may end with: opening brackets and quotes.
bool mayNotEndLine(QChar c);

// The text with a word joiner between the last two characters of each Japanese
// paragraph (trailing punctuation rides on the last), so that its last line is never one
// character with its punctuation. Texts without Japanese stay as they are.
QString withJapaneseLineBreaks(const QString& text);

} // namespace wavory
