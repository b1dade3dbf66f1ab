#pragma once
// The files shipped with the program (help pages, sample color sets): where they are,
// the help page paths and message, and the sample sets for a new color set folder.

#include "UiLanguage.h"

#include <QString>

namespace wavory {

// The resource folder with a trailing "/": `exeDir`/resources beside the program in the
// build tree, else `exeDir`/../share/wavory of an installed program; the first of the two
// when neither exists (opening a help page then reports the missing file).
QString findResourceFolder(const QString& exeDir);

// The help pages in `language`: help.htm and help/ in the resource folder for Japanese,
// in its "en/" for English.
QString helpPagesFolder(const QString& resources, UiLanguage language);

// resources + "help/" + topic, with "\" read as "/" and ".." resolved: the topic
// "..\help.htm" gives resources + "help.htm".
QString helpFilePath(const QString& resources, const QString& topic);

// Failure codes of opening a help page, in the numbering of the "Open" action's results:
// the file is missing, or no program could open it.
inline constexpr int kHelpFileNotFound = 2;
inline constexpr int kHelpNoHandler = 31;

// "ヘルプを表示できません。" + CR LF + "Ret=" + the code in sign-position form.
QString helpFailureMessage(int code);

// Creates `folder` when it does not exist and copies the shipped sample color sets
// (resources + "colorset/*.cst") into it. An existing folder is left as it is. Failures
// only mean the folder stays empty or missing: the file dialog still opens.
void provideColorSetFolder(const QString& folder, const QString& resources);

} // namespace wavory
