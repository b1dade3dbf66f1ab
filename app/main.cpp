// wavory [OPTION]... [PARAMFILE]: the desktop program.

#include "ProgramLaunch.h"
#include "ProgramOptions.h"
#include "QtJapanese.h"
#include "UserDialogs.h"
#include "frmMain.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QStringList>

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
    const wavory::ProgramOptions options =
        wavory::parseProgramOptions(QApplication::arguments().mid(1));
    if (const int status = wavory::answerOnTerminal(options); status >= 0)
        return status;
    // Without the translation Qt's texts stay English; the program runs all the same.
    (void)wavory::installQtJapanese(app);

    wavory::QtUserDialogs dialogs;
    wavory::frmMain main(dialogs, wavory::programRandom());
    if (!wavory::launch(main, options))
        return 1;
    return app.exec();
}
