#pragma once
// The main window's controls as its frames create them: named buttons, labels and
// number fields, each with its easy help topic where it has one.

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace wavory {

QPushButton* commandButton(const char* name, const QString& caption, QWidget* parent,
                           int helpTopic = -1);
QLabel* namedLabel(const QString& name, const QString& caption, QWidget* parent,
                   int helpTopic = -1);
// A right-aligned field of the given width.
QLineEdit* numberField(const QString& name, int width, QWidget* parent);
// A number field that takes digits only, at most maxChars of them.
QLineEdit* digitField(const char* name, const QString& text, int maxChars, QWidget* parent);

} // namespace wavory
