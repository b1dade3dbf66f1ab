#pragma once
// Qt's own texts — the file, color and font dialogs, the standard buttons, the text
// fields' context menu — in Japanese like the rest of the program, whatever the system's
// language is.

class QCoreApplication;

namespace wavory {

// Installs Qt's Japanese translation ("qtbase_ja" from Qt's translations folder); false
// when it is not installed on this machine.
bool installQtJapanese(QCoreApplication& app);

} // namespace wavory
