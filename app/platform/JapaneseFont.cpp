#include "JapaneseFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace wavory {

StartLanguage startLanguage(UiLanguage requested, bool chosen, bool japaneseFontFound) {
    if (requested != UiLanguage::Japanese || japaneseFontFound)
        return {requested, {}};
    if (chosen)
        return {UiLanguage::Japanese,
                QStringLiteral("wavory: no font with Japanese glyphs is installed; the texts "
                               "may show as boxes (install fonts-noto-cjk)")};
    return {UiLanguage::English,
            QStringLiteral("wavory: no font with Japanese glyphs is installed; the windows "
                           "are in English (install fonts-noto-cjk, or ask with --lang ja)")};
}

bool japaneseFontInstalled() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

} // namespace wavory
