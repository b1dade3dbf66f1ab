#pragma once
// The language of the windows: Japanese (the texts as written) or English. Chosen at
// start with --lang or WAVORY_LANG, never from the system locale. Qt's own texts — the
// file, color and font dialogs, the standard buttons, the text fields' context menu —
// follow: Qt's Japanese translation in Japanese, Qt's own English in English.

#include <QString>

#include <optional>

class QCoreApplication;

namespace wavory {

enum class UiLanguage { Japanese, English };

// "ja" or "en"; nothing for any other name.
std::optional<UiLanguage> uiLanguageNamed(const QString& name);

// Installs the program's translation for `language` (and core's texts with it) and Qt's
// own texts and locale to match; false when a translation could not be loaded (the
// program runs all the same, with the texts it has).
bool installUiLanguage(QCoreApplication& app, UiLanguage language);

// The language the windows' texts are in: English once its translation is installed,
// else Japanese.
UiLanguage installedUiLanguage();

} // namespace wavory
