#pragma once
// The windows' texts are Japanese unless English is chosen; without a font that has
// Japanese glyphs every one of them is drawn as empty boxes. So the program starts in
// English when no such font is installed and Japanese was not asked for by name, and
// says so on stderr in one line.

#include "UiLanguage.h"

#include <QString>

namespace wavory {

struct StartLanguage {
    UiLanguage language = UiLanguage::Japanese;
    QString notice; // the line for stderr, or empty
};

// `chosen`: the language came from --lang or WAVORY_LANG. A Japanese chosen by name is
// kept (the user asked for it; only the notice tells why the texts may be boxes).
StartLanguage startLanguage(UiLanguage requested, bool chosen, bool japaneseFontFound);

// Whether an installed font covers the Japanese writing system. Needs the application.
bool japaneseFontInstalled();

} // namespace wavory
