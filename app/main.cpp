// wavory [OPTION]... [PARAMFILE]: the desktop program.

#include "ProgramLaunch.h"
#include "ProgramOptions.h"
#include "QtJapanese.h"
#include "UserDialogs.h"
#include "frmMain.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help, version and a command line that cannot be understood are answered on the terminal;
// any other outcome returns -1 and the program runs.
int answerOnTerminal(const wavory::ProgramOptions& options) {
    using Action = wavory::ProgramOptions::Action;
    switch (options.action) {
    case Action::ShowHelp:
        std::fputs(wavory::programUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::ShowVersion:
        std::fputs(wavory::programVersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Fail:
        std::fprintf(stderr, "wavory: %s\nTry 'wavory --help'.\n",
                     options.error.toLocal8Bit().constData());
        return 2;
    case Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and version need no display: they are answered before Qt connects to one. Qt's
    // own options (-platform, -style, ...) are understood only once it has read them.
    const wavory::ProgramOptions early = wavory::parseProgramOptions(argumentsAfterProgram(argc, argv));
    if (early.action == wavory::ProgramOptions::Action::ShowHelp ||
        early.action == wavory::ProgramOptions::Action::ShowVersion) {
        return answerOnTerminal(early);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavory"));
    QApplication::setDesktopFileName(QStringLiteral("org.wavory.Wavory"));
    // Only the main window's exit procedure ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const wavory::ProgramOptions options =
        wavory::parseProgramOptions(QApplication::arguments().mid(1));
    if (const int status = answerOnTerminal(options); status >= 0)
        return status;
    // Without the translation Qt's texts stay English; the program runs all the same.
    (void)wavory::installQtJapanese(app);

    wavory::QtUserDialogs dialogs;
    wavory::frmMain main(dialogs, wavory::programRandom());
    if (!wavory::launch(main, options))
        return 1;
    return app.exec();
}
