// wavory [PARAMFILE]: the desktop program.

#include "QtJapanese.h"
#include "UserDialogs.h"
#include "frmMain.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavory"));
    // Only the main window's exit procedure ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Without the translation Qt's texts stay English; the program runs all the same.
    (void)wavory::installQtJapanese(app);

    wavory::QtUserDialogs dialogs;
    wavory::frmMain main(dialogs, wavory::programRandom());
    if (!main.Form_Load(QApplication::arguments().mid(1)))
        return 1;
    return app.exec();
}
