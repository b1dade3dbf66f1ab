// wavory [OPTION]... [PARAMFILE]: the desktop program.

#include "platform/JapaneseFont.h"
#include "ProgramLaunch.h"
#include "platform/ProgramOptions.h"
#include "ProgramRoot.h"
#include "platform/UiLanguage.h"
#include "platform/UserDialogs.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Help and version need no display: they are answered before Qt connects to one. Qt's
    // own options (-platform, -style, ...) are understood only once it has read them.
    const wavory::ProgramOptions early =
        wavory::parseProgramOptions(wavory::argumentsAfterProgram(argc, argv));
    if (early.action == wavory::ProgramOptions::Action::ShowHelp ||
        early.action == wavory::ProgramOptions::Action::ShowVersion) {
        return wavory::answerOnTerminal(early);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavory"));
    QApplication::setDesktopFileName(QStringLiteral("org.wavory.Wavory"));
    // Only the main window's exit procedure ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const wavory::ProgramOptions options = wavory::parseProgramOptions(
        QApplication::arguments().mid(1), qEnvironmentVariable("WAVORY_LANG"));
    if (const int status = wavory::answerOnTerminal(options); status >= 0)
        return status;
    const wavory::StartLanguage language = wavory::startLanguage(
        options.language, options.languageChosen, wavory::japaneseFontInstalled());
    if (!language.notice.isEmpty())
        std::fprintf(stderr, "%s\n", language.notice.toLocal8Bit().constData());
    // Without a translation the texts stay as written; the program runs all the same.
    (void)wavory::installUiLanguage(app, language.language);

    wavory::QtUserDialogs dialogs;
    wavory::ProgramRoot program(dialogs, wavory::programRandom());
    if (!wavory::launch(program, options))
        return 1;
    return app.exec();
}
