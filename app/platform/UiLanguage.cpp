#include "UiLanguage.h"

#include "QtJapanese.h"

#include "common/UiText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <string>

namespace wavory {

namespace {

UiLanguage gInstalled = UiLanguage::Japanese;

// Core's texts are keyed by their Japanese text in the context "UiText" (common/UiText.h).
std::string translateCoreText(std::string_view japanese) {
    const std::string key(japanese);
    return QCoreApplication::translate("UiText", key.c_str()).toStdString();
}

bool installTranslation(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

std::optional<UiLanguage> uiLanguageNamed(const QString& name) {
    if (name == QLatin1String("ja"))
        return UiLanguage::Japanese;
    if (name == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

bool installUiLanguage(QCoreApplication& app, UiLanguage language) {
    if (language == UiLanguage::Japanese)
        return installQtJapanese(app);
    // Qt's texts are English as written; its dialogs' dates, sizes and month names come
    // from the default locale, which must not stay the system's.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The system's error texts inside messages ("No space left on device") likewise.
    std::setlocale(LC_MESSAGES, "C");
    // Compiled into the program (app/CMakeLists.txt).
    if (!installTranslation(app, QStringLiteral("wavory_en"), QStringLiteral(":/translations")))
        return false;
    setTextTranslator(&translateCoreText);
    gInstalled = UiLanguage::English;
    return true;
}

UiLanguage installedUiLanguage() {
    return gInstalled;
}

} // namespace wavory
