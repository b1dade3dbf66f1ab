#pragma once
// Key handling shared by the numeric text fields: the key filters that keep only the
// keys a number needs, and the typing limit of a field. Both act on typing only; a text
// set by the program is never cut or filtered.

#include <QObject>

class QLineEdit;
class QKeyEvent;

namespace wavory {

// The typed character of a key press, or a null QChar for keys that type nothing
// (arrows, function keys) and for control characters such as Ctrl+V, which pass.
QChar typedCharacter(const QKeyEvent* e);

// Runs every typed character through a key filter (filterNumberKey, filterDigitKey): a result of
// 0 discards the key.
void installKeyFilter(QLineEdit* field, int (*filter)(int));

// At most maxChars characters can be typed into the field; longer texts set by the
// program stay whole.
void limitTyping(QLineEdit* field, int maxChars);

} // namespace wavory
