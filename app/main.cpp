// wavory [PARAMFILE]: the desktop program.

#include "UserDialogs.h"
#include "frmButton.h"
#include "frmMain.h"
#include "frmPicture.h"

#include "common/RandomSource.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavory"));

    wavory::QtUserDialogs dialogs;
    wavory::RandomSource& random = wavory::programRandom();
    random.reseed(wavory::hundredthsOfSecondToday());

    wavory::frmMain main(dialogs, random);
    wavory::AppSettings& settings = main.settings();
    wavory::ApplyFirstStartDefaults(settings, main.font().family().toStdString());
    main.show();
    main.ShowHidefrmButton();
    main.togglePictureWindow();
    // Beside each other: frame window right of the main window, the picture below it.
    const QRect frame = main.frameGeometry();
    main.frameWindow()->move(frame.right() + 1, frame.top());
    main.picture()->move(frame.right() + 1,
                         frame.top() + main.frameWindow()->frameGeometry().height() + 4);

    // The first drawing starts once the event loop runs, so that closing the program
    // during it ends the loop cleanly.
    QTimer::singleShot(0, &main, [&main] {
        const QStringList args = QApplication::arguments();
        if (args.size() > 1) {
            main.InputText(args.at(1));
        } else {
            main.cmdRndSet_Click();
        }
    });
    return app.exec();
}
