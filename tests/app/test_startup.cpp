// Start-up and exit as a user meets them: first start versus stored settings, everything
// surviving a quit and a new start, the quit confirmation, a second copy, a damaged color
// set file, a broken "Graphic.ini", the command line and its options.

#include "StartupFixture.h"

#include "drawing/DrawSession.h"
#include "platform/JapaneseFont.h"
#include "drawing/PictureView.h"
#include "platform/ProgramOptions.h"
#include "platform/QtText.h"
#include "platform/SingleInstance.h"
#include "values/FrameWindow.h"
#include "guide/EasyHelpWindow.h"
#include "drawing/PictureWindow.h"

#include "colorsets/ColorSetFileCommands.h"
#include "image/PixelMemory.h"
#include "io/ParamTextFile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QScreen>

#include <csignal>
#include <system_error>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wavory;
using namespace wavory::test;

namespace {

const QString kFiles[] = {QStringLiteral("wavory.ini"), QStringLiteral("Tileview.ini"),
                          QStringLiteral("default.cst"), QStringLiteral("Graphic.ini")};

QAction* action(ProgramRoot& main, const char* name) {
    return main.mainWindow()->findChild<QAction*>(QLatin1String(name));
}

std::string paramText(ProgramRoot& main) {
    const GColor* set = main.colorSets().selectedSet();
    return formatParamText(main.params().fields(), set ? set->name : std::string());
}

// A parameter set that draws quickly and is easy to recognise.
ParamFields knownFields() {
    ParamFields f;
    f.componentOn = {true, false, false, true, false, false, false, false};
    f.values = {"37", "120", "1", "0", "1", "0", "45", "90", "60",
                "2",  "1",   "0", "1", "0", "1", "0",  "1",  "0"};
    f.center = {"3", "-4"};
    f.width = 64;
    f.height = 48;
    f.phase = 17;
    f.frame.enabled = true;
    f.frame.color = 0x123456;
    f.frame.senmei = 30;
    f.frame.shadow = 12;
    f.frame.line = 44;
    f.frame.width = "6";
    f.frame.height = "6";
    return f;
}

class Startup : public StartupFixture {};

} // namespace

TEST_F(Startup, FirstStartGreetsShowsArrangesAndDraws) {
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ProgramRoot& main = *run.program;
    EXPECT_TRUE(main.startup().isFirstStart());
    // The welcome dialog came first, its box unchecked (Hello is off before reading).
    EXPECT_EQ(welcomeChecks, std::vector<bool>{false});
    EXPECT_TRUE(dialogs.shown.empty());

    // First-start defaults.
    const AppSettings& s = main.settings();
    EXPECT_EQ(s.picture.jpegSaveQ, 100);
    EXPECT_TRUE(s.option.drawOnRnd);
    EXPECT_TRUE(s.option.activeAfterDrawing);
    EXPECT_FALSE(s.option.quitQ);
    EXPECT_EQ(s.option.doRndSet,
              (std::array<bool, 7>{true, true, true, false, false, false, true}));
    EXPECT_EQ(s.tileView.fontName, toStd(main.mainWindow()->font().family()));
    EXPECT_EQ(s.tileView.fontSize, 12);
    EXPECT_EQ(main.fileDialogNames().image, "名称未設定");
    EXPECT_EQ(main.fileDialogNames().text, "名称未設定");
    EXPECT_EQ(main.fileDialogNames().colorSet, home() + "colorset/*");

    // Frame and help windows switched on by their toggles and arranged around the main
    // window (no window manager here, so outer and inner rectangles agree).
    EXPECT_TRUE(main.frameWindow()->isVisible());
    EXPECT_TRUE(main.helpWindow()->isVisible());
    EXPECT_TRUE(action(main, "mnuButton")->isChecked());
    EXPECT_TRUE(action(main, "mnuEasyHelp")->isChecked());
    const QRect m = main.mainWindow()->frameGeometry();
    EXPECT_EQ(main.helpWindow()->pos(), QPoint(m.left(), m.top() + m.height()));
    EXPECT_EQ(main.helpWindow()->width(), main.mainWindow()->width());
    EXPECT_EQ(main.helpWindow()->windowTitle(), "簡易ヘルプ");
    EXPECT_EQ(main.frameWindow()->pos(), QPoint(m.left() + m.width(), m.top()));
    // Centred below the frame window, its title bar kept on the screen.
    EXPECT_EQ(main.picture()->x(),
              std::min(main.frameWindow()->x() +
                           std::max(0, (main.frameWindow()->width() - main.picture()->width()) / 2),
                       main.mainWindow()->screen()->availableGeometry().right() + 1 - 32));
    EXPECT_EQ(main.mainWindow()->frameGeometry().height(), 378);

    // A random drawing of 200 x 200 pixels, drawn by the random setting itself.
    EXPECT_TRUE(main.picture()->isVisible());
    EXPECT_EQ(main.picture()->imageWidth(), 200);
    EXPECT_EQ(main.picture()->imageHeight(), 200);
    EXPECT_TRUE(anyPixelSet(main.document().canvas()));
    EXPECT_EQ(main.mainWindow()->findChild<QLineEdit*>("txtValue_9")->text(), "1");
    EXPECT_EQ(main.colorSets().colorSetCount(), 14);
    EXPECT_TRUE(QFileInfo::exists(path("wavory.lock")));
    // Nothing is written while the program runs.
    for (const QString& name : kFiles)
        EXPECT_FALSE(QFileInfo::exists(path(name))) << name.toStdString();
}

TEST_F(Startup, AFirstDrawingThatFailsLeavesTheBlackPictureWithoutUndo) {
    const auto expectBlack = [&](Run& run, const QString& message) {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, message);
        EXPECT_FALSE(anyPixelSet(run.program->document().canvas()));
        const QImage shown = run.program->picture()->picMain()->shownImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_EQ(shown.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        EXPECT_FALSE(action(*run.program, "mnuUndo")->isEnabled());
        closeMain(run);
        run.program.reset();
    };
    // Out of memory at each allocation of the drawing in turn, until it needs fewer.
    int failed = 0;
    for (int nth = 1; nth <= 64; ++nth) {
        SCOPED_TRACE(nth);
        beforeLaunch = [nth](ProgramRoot& main) {
            auto once = std::make_shared<QMetaObject::Connection>();
            *once = QObject::connect(&main.drawSession(), &DrawSession::drawingStateChanged,
                                     [once, nth](bool drawing) {
                                         if (!drawing)
                                             return;
                                         QObject::disconnect(*once);
                                         failPixelMemoryAt(nth);
                                     });
        };
        dialogs.shown.clear();
        Run& run = start();
        failPixelMemoryAt(0);
        ASSERT_TRUE(run.loaded);
        if (dialogs.shown.empty()) {
            EXPECT_TRUE(anyPixelSet(run.program->document().canvas()));
            closeMain(run);
            run.program.reset();
            break;
        }
        ++failed;
        expectBlack(run, "メモリ不足のため描画できません。画像サイズを小さくして下さい。");
    }
    EXPECT_GE(failed, 1);
    EXPECT_LT(failed, 64);

    const std::system_error noThread(
        std::make_error_code(std::errc::resource_unavailable_try_again));
    beforeLaunch = [&](ProgramRoot& main) {
        main.drawSession().setWorkerStart([&] { throw noThread; });
    };
    dialogs.shown.clear();
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    expectBlack(run, QString::fromLocal8Bit(noThread.what()));
}

TEST_F(Startup, IniWithOnlyTheMarkerLoadsBeforeReadingValues) {
    writeFile("wavory.ini", "[App]\r\nExistINI=True\r\n");
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ProgramRoot& main = *run.program;
    EXPECT_FALSE(main.startup().isFirstStart());
    EXPECT_TRUE(welcomeChecks.empty());
    const AppSettings& s = main.settings();
    EXPECT_FALSE(s.option.hello || s.option.quitQ || s.option.drewBeep || s.option.drawOnRnd ||
                 s.option.textOnGrp || s.option.activeAfterDrawing || s.option.drawOnChange);
    EXPECT_EQ(s.option.rndSetSw, 0);
    EXPECT_EQ(s.option.rndSetBs, 0);
    EXPECT_EQ(s.option.doRndSet,
              (std::array<bool, 7>{true, true, false, false, false, false, false}));
    EXPECT_EQ(s.tileView.fontName, "");
    EXPECT_EQ(s.tileView.fontSize, 0);
    EXPECT_EQ(main.picture()->imageWidth(), 200);
    EXPECT_EQ(main.picture()->imageHeight(), 200);
    EXPECT_TRUE(main.frameWindow()->isVisible());
    EXPECT_TRUE(main.helpWindow()->isVisible());
    // DrawOnRnd is off: the random setting is followed by the draw command.
    EXPECT_TRUE(anyPixelSet(main.document().canvas()));
}

TEST_F(Startup, StoredPlacesKeepTitleBarsOnScreenAndThePictureClearOfTheMainWindow) {
    // Stored while a large picture covered the main window, whose title bar was above the
    // screen: neither place is taken as it is.
    writeFile("wavory.ini", "[App]\r\nExistINI=True\r\n[Form]\r\nMainL= 600\r\nMainT=-300\r\n"
                            "PictureL= 1500\r\nPictureT= 1500\r\n");
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ProgramRoot& main = *run.program;
    const QRect screen = main.mainWindow()->screen()->availableGeometry();
    EXPECT_GE(main.mainWindow()->frameGeometry().top(), screen.top());
    EXPECT_FALSE(main.picture()->frameGeometry().intersects(main.mainWindow()->frameGeometry()));
    // "ウィンドウの整列" keeps every title bar on the screen, even from a main window at its
    // bottom right corner.
    main.mainWindow()->move(screen.right() - 100, screen.bottom() - 100);
    action(main, "mnuOrderForms")->trigger();
    for (QWidget* w :
         {static_cast<QWidget*>(main.helpWindow()), static_cast<QWidget*>(main.frameWindow()),
          static_cast<QWidget*>(main.picture())}) {
        EXPECT_TRUE(screen.contains(w->frameGeometry().topLeft())) << w->objectName().toStdString();
        EXPECT_LE(w->frameGeometry().left(), screen.right() + 1 - 32); // 32 pixels to grab
    }
}

TEST_F(Startup, EveryPersistedValueSurvivesQuitAndNewStart) {
    Run& first = start();
    ASSERT_TRUE(first.loaded);
    ProgramRoot& a = *first.program;

    // Change everything the settings keep.
    AppSettings& s = a.settings();
    s.picture.jpegSaveQ = 80;
    s.picture.jpegSavePrgrs = true;
    s.picture.pngSaveQ = 2;
    s.anim = {"5", "60", "24", "", home().toStdString(), "wave", "7", 3, 250};
    s.tileView = {true, true, "Serif", 20, 0x00FF00, "タイル 見本"};
    s.option.shell = "/usr/bin/true";
    s.option.hello = true;
    s.option.drewBeep = true;
    s.option.drawOnRnd = false;
    s.option.textOnGrp = true;
    s.option.activeAfterDrawing = false;
    s.option.drawOnChange = true;
    s.option.rndSetSw = 0.25;
    s.option.rndSetBs = -0.5;
    s.option.doRndSet = {false, true, false, true, false, true, false};
    a.fileDialogNames().image = "/pictures/名称未設定";
    a.fileDialogNames().text = "/texts/wave.txt";
    a.fileDialogNames().colorSet = "/sets/*";
    ASSERT_TRUE(a.colorSets().addColorSet("自作", 5).ok());
    a.colorSets().addColorPoint(14, 10, 20, 30);
    a.colorSets().addColorPoint(14, 200, 100, 0);
    a.params().assign(knownFields());
    a.frameWindow()->setXYFix(true);
    a.windowController().toggleHelpWindow(); // hidden: stored as not shown
    a.mainWindow()->move(40, 30);
    a.frameWindow()->move(400, 20);
    a.picture()->move(520, 440); // clear of the main window
    a.helpWindow()->move(10, 420);
    a.mainWindow()->setWindowState(Qt::WindowMinimized); // the normal position is stored
    const std::string parameters = paramText(a);
    const std::vector<std::string> names = a.colorSets().names();

    closeMain(first);
    EXPECT_EQ(first.processEnds, 1);
    for (const QString& name : kFiles)
        EXPECT_TRUE(QFileInfo::exists(path(name))) << name.toStdString();
    EXPECT_FALSE(a.mainWindow()->isMinimized());
    const AppSettings saved = a.settings();
    EXPECT_EQ(saved.tool.buttonShow, true);
    EXPECT_EQ(saved.tool.helpShow, false);
    EXPECT_EQ(saved.picture.path, "/pictures/");
    EXPECT_EQ(saved.picture.txtPath, "/texts/");
    EXPECT_EQ(saved.picture.cSetPath, "/sets/");
    EXPECT_EQ(saved.button.shadow, 12); // the frame settings window's values
    EXPECT_EQ(saved.button.line, 44);
    first.program.reset(); // the lock goes with the process

    // The next start: the welcome dialog (Hello), then everything as it was.
    Run& second = start();
    ASSERT_TRUE(second.loaded);
    ProgramRoot& b = *second.program;
    EXPECT_FALSE(b.startup().isFirstStart());
    EXPECT_EQ(welcomeChecks, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.settings(), saved);
    EXPECT_EQ(b.mainWindow()->pos(), QPoint(40, 30));
    EXPECT_EQ(b.frameWindow()->pos(), QPoint(400, 20));
    EXPECT_EQ(b.picture()->pos(), QPoint(520, 440));
    EXPECT_EQ(b.helpWindow()->pos(), QPoint(10, 420));
    EXPECT_TRUE(b.frameWindow()->isVisible());
    EXPECT_FALSE(b.helpWindow()->isVisible());
    EXPECT_FALSE(action(b, "mnuEasyHelp")->isChecked());
    EXPECT_TRUE(b.frameWindow()->xyFix());
    EXPECT_EQ(b.fileDialogNames().image, "/pictures/名称未設定");
    EXPECT_EQ(b.fileDialogNames().text, "/texts/名称未設定");
    EXPECT_EQ(b.fileDialogNames().colorSet, "/sets/");
    EXPECT_EQ(b.colorSets().names(), names);
    EXPECT_EQ(paramText(b), parameters);
    EXPECT_EQ(b.picture()->imageWidth(), 64);
    EXPECT_TRUE(anyPixelSet(b.document().canvas()));

    // A second exit writes the same settings again.
    const QByteArray ini = readFile("wavory.ini");
    closeMain(second);
    EXPECT_EQ(readFile("wavory.ini"), ini);
}

TEST_F(Startup, CancelAtTheConfirmationKeepsTheProgramAndWritesNothing) {
    writeFile("wavory.ini", "[App]\r\nExistINI=True\r\n[Option]\r\nQuitQ=True\r\n");
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    const auto before = folderSnapshot();
    dialogs.shown.clear();
    dialogs.answers = {MessageAnswer::Cancel};
    closeMain(run);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Wavoryを終了します。\r\nよろしいですか？");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(run.program->mainWindow()->isVisible());
    EXPECT_EQ(run.processEnds, 0);
    EXPECT_EQ(folderSnapshot(), before);

    // "終了(&X)" takes the same way; OK writes the four files.
    action(*run.program, "mnuEnd")->trigger();
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(run.processEnds, 1);
    for (const QString& name : kFiles)
        EXPECT_TRUE(QFileInfo::exists(path(name))) << name.toStdString();
}

// A file the exit cannot write (a folder stands in its place) is told once, naming the
// file, and the program still quits.
TEST_F(Startup, SettingsOrHistoryThatCannotBeWrittenAtExitAreToldAndTheProgramQuits) {
    const struct {
        const char* file;
        const char* message;
    } cases[] = {
        {"wavory.ini", "設定を保存できませんでした。"},
        {"history.dat", "履歴を保存できませんでした。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Run& run = start();
        ASSERT_TRUE(run.loaded);
        run.program->settings().extras.keepHistory = true;
        QFile::remove(path(c.file));
        ASSERT_TRUE(QDir().mkpath(path(c.file)));
        dialogs.shown.clear();
        closeMain(run);
        EXPECT_EQ(run.processEnds, 1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(QString::fromUtf8(c.message) + "\r\n" +
                                                     path(c.file) + "\r\n"))
            << dialogs.shown[0].text.toStdString();
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
        run.program.reset();
        QDir(path(c.file)).removeRecursively();
    }
}

TEST_F(Startup, ClosingDuringADrawingStopsItAndExitsOnceItHasEnded) {
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    run.program->params().setImageSize(1600, 1600);
    bool closed = false;
    QObject::connect(run.program->picture(), &QWidget::windowTitleChanged,
                     run.program->mainWindow(), [&](const QString& title) {
                         if (closed || !title.endsWith(" % -描画中-"))
                             return;
                         closed = true;
                         closeMain(run);
                         // The exit waits for the drawing: nothing is saved yet.
                         EXPECT_EQ(run.processEnds, 0);
                         EXPECT_FALSE(QFileInfo::exists(path("Graphic.ini")));
                     });
    int drawings = 0;
    QObject::connect(&run.program->drawCommand(), &DrawCommand::finished, [&] { ++drawings; });
    run.program->drawCommand().run();
    EXPECT_TRUE(closed);
    EXPECT_EQ(run.program->picture()->windowTitle(), "ピクチャ -描画中止-");
    EXPECT_TRUE(waitFor([&] { return run.processEnds == 1; }));
    for (const QString& name : kFiles)
        EXPECT_TRUE(QFileInfo::exists(path(name))) << name.toStdString();
    // No drawing starts once the exit has begun.
    run.program->drawCommand().run();
    EXPECT_EQ(drawings, 1);
    EXPECT_EQ(run.processEnds, 1);
}

TEST_F(Startup, ClosingOtherWindowsNeverEndsTheProgram) {
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    for (QWidget* w : {static_cast<QWidget*>(run.program->picture()),
                       static_cast<QWidget*>(run.program->frameWindow()),
                       static_cast<QWidget*>(run.program->helpWindow())}) {
        w->close();
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_EQ(run.processEnds, 0);
    EXPECT_TRUE(run.program->mainWindow()->isVisible());
    EXPECT_FALSE(action(*run.program, "mnuPictureWindow")->isChecked());
    EXPECT_FALSE(action(*run.program, "mnuButton")->isChecked());
    EXPECT_FALSE(action(*run.program, "mnuEasyHelp")->isChecked());
    EXPECT_FALSE(QFileInfo::exists(path("wavory.ini")));
}

TEST_F(Startup, SecondCopyIsRefusedWithoutTouchingAnyFile) {
    Run& first = start();
    ASSERT_TRUE(first.loaded);
    closeMain(first); // the files exist now, as they would for a running copy
    first.program.reset();
    Run& running = start();
    ASSERT_TRUE(running.loaded);
    const auto before = folderSnapshot();
    dialogs.shown.clear();
    welcomeChecks.clear();

    Run& second = start();
    EXPECT_FALSE(second.loaded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "二重起動はできません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(welcomeChecks.empty());
    EXPECT_FALSE(second.program->mainWindow()->isVisible());
    EXPECT_EQ(folderSnapshot(), before);
    EXPECT_TRUE(running.program->mainWindow()->isVisible());
}

TEST_F(Startup, WithoutALockTheCopyStartsButWritesNothingAtExit) {
    Run& first = start();
    ASSERT_TRUE(first.loaded);
    closeMain(first);
    first.program.reset();
    const auto before = folderSnapshot();
    dialogs.shown.clear();
    // No lock can be made (as in a read-only or full folder): another copy may be running.
    lockFile = path("missing/wavory.lock");
    Run& run = start();
    EXPECT_TRUE(run.loaded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "プログラムフォルダにロックファイルを作成できないため、二重起動を確認できません。"
              "\r\n終了時に設定・色セット・描画のパラメータを保存しません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    closeMain(run);
    EXPECT_EQ(run.processEnds, 1);
    EXPECT_EQ(folderSnapshot(), before);
}

TEST_F(Startup, LockOfACrashedCopyDoesNotBlock) {
    // What a copy that crashed or lost its power can leave: a lock file that is empty
    // (created, its number not yet written), garbage, or one naming a process that runs
    // (process 1) or has ended. Only a held lock blocks, never the file's content.
    QByteArray ended;
    {
        QLockFile probe(path("probe.lock"));
        ASSERT_TRUE(probe.tryLock(0));
        ended = readFile("probe.lock");
        probe.unlock();
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ASSERT_GT(child, 0);
        ::waitpid(child, nullptr, 0);
        const qsizetype eol = ended.indexOf('\n');
        QByteArray running = ended;
        ended.replace(0, eol, QByteArray::number(static_cast<qint64>(child)));
        running.replace(0, eol, "1");
        for (const QByteArray& content :
             {QByteArray(), QByteArray("\xff\x00garbage", 9), running, ended}) {
            writeFile("wavory.lock", content);
            SingleInstance guard(path("wavory.lock"));
            EXPECT_EQ(guard.acquire(), SingleInstance::Outcome::Acquired) << content.toHex().data();
        }
    }
    Run& run = start();
    EXPECT_TRUE(run.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Startup, LockHeldByAnotherProcessBlocksUntilItDies) {
    // The other copy, as the kernel sees it: an exclusive flock on the file.
    const QByteArray lockPath = QFile::encodeName(path("wavory.lock"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT, 0644);
        const char answer = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        ::pause(); // holds the lock until killed
        ::_exit(0);
    }
    ASSERT_GT(holder, 0);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    {
        SingleInstance second(path("wavory.lock"));
        EXPECT_EQ(second.acquire(), SingleInstance::Outcome::HeldByOther);
    }
    // Killed without any chance to clean up: the kernel lets the lock go with it.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    SingleInstance next(path("wavory.lock"));
    EXPECT_EQ(next.acquire(), SingleInstance::Outcome::Acquired);
}

TEST_F(Startup, ColorSetFileWithoutUsableSetsGivesTheBuiltInSets) {
    writeFile("default.cst", "[ColorSet]\r\nCount=3\r\n[Other]\r\nx=1\r\n");
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].text,
              "色セットの読み出し中に致命的な異常が発生しました。\r\n色セットを初期化します。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.program->colorSets().colorSetCount(), 14);
    EXPECT_EQ(run.program->mainWindow()->findChild<QComboBox*>("cbogColor")->count(), 14);
    // The file is kept aside, and the user told where.
    const QStringList aside =
        QDir(home()).entryList({QStringLiteral("default.cst.unreadable-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(path(aside[0]))) << toStd(dialogs.shown[1].text);
    // The built-in sets replace the file at exit.
    closeMain(run);
    EXPECT_EQ(readFile(aside[0]), "[ColorSet]\r\nCount=3\r\n[Other]\r\nx=1\r\n");
    ColorSetCollection reread;
    IniFile ini;
    ini.initFile(toStd(path("default.cst")));
    EXPECT_EQ(readColorSetsAtStartup(ini, reread).source, StartupColorSets::FromFile);
    EXPECT_EQ(reread.colorSetCount(), 14);
}

TEST_F(Startup, UnreadableColorSetFileIsReported) {
    ASSERT_TRUE(QDir(home()).mkdir("default.cst"));
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.program->colorSets().colorSetCount(), 14);
}

TEST_F(Startup, StoredColorSetsAreListedWithTheFirstSelected) {
    {
        ColorSetCollection sets;
        ASSERT_TRUE(sets.addColorSet("赤", 8).ok());
        sets.addColorPoint(0, 255, 0, 0);
        sets.addColorPoint(0, 0, 0, 0);
        ASSERT_TRUE(sets.addColorSet("青", 8).ok());
        sets.addColorPoint(1, 0, 0, 255);
        sets.addColorPoint(1, 0, 0, 0);
        ASSERT_TRUE(saveAllColorSetsFile(toStd(path("default.cst")), sets).ok());
    }
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    auto* list = run.program->mainWindow()->findChild<QComboBox*>("cbogColor");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "赤");
    EXPECT_EQ(list->itemText(1), "青");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Startup, GraphicIniThatIsNoParameterFileIsReportedThenDrawnAtRandom) {
    writeFile("wavory.ini", "[App]\r\nExistINI=True\r\n");
    writeFile("Graphic.ini", "this is not a parameter file\r\n");
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(toStd(dialogs.shown[0].text),
              paramReadFailureMessage(toStd(path("Graphic.ini"))).text);
    EXPECT_TRUE(anyPixelSet(run.program->document().canvas()));
}

TEST_F(Startup, GraphicIniGivesTheLastDrawing) {
    ASSERT_TRUE(writeParamTextFile(toStd(path("Graphic.ini")), knownFields(), "虹").ok());
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    const ParamFields f = run.program->params().fields();
    EXPECT_EQ(f.values[0], "37");
    EXPECT_EQ(f.width, 64);
    EXPECT_EQ(run.program->colorSets().selectedSet()->name, "虹");
    EXPECT_TRUE(anyPixelSet(run.program->document().canvas()));
}

TEST_F(Startup, CommandLineReadsTheQuotedPathAndIgnoresTheRest) {
    ASSERT_TRUE(QDir(home()).mkdir("my drawings"));
    const QString file = home() + "my drawings/wave one.txt";
    ASSERT_TRUE(writeParamTextFile(toStd(file), knownFields(), "虹").ok());
    ParamFields other = knownFields();
    other.values[0] = "99";
    ASSERT_TRUE(writeParamTextFile(toStd(path("Graphic.ini")), other, "虹").ok());

    // As a shell hands it over (quotes removed, the rest as further arguments) ...
    Run& split = start({file, "--more", "text"});
    ASSERT_TRUE(split.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(split.program->params().fields().values[0], "37");
    closeMain(split);
    split.program.reset();

    // ... and as one command-line text with the quotes in it.
    ASSERT_TRUE(writeParamTextFile(toStd(path("Graphic.ini")), other, "虹").ok());
    Run& whole = start({"\"" + file + "\" --more"});
    ASSERT_TRUE(whole.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(whole.program->params().fields().values[0], "37");
}

TEST_F(Startup, CommandLineFileThatCannotBeReadGetsNoFallback) {
    Run& run = start({home() + "missing.txt"});
    ASSERT_TRUE(run.loaded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith("missing.txt"));
    EXPECT_FALSE(anyPixelSet(run.program->document().canvas()));

    // A color set file named on the command line goes to the parameter reader too.
    closeMain(run);
    run.program.reset();
    dialogs.shown.clear();
    Run& cst = start({path("default.cst")});
    ASSERT_TRUE(cst.loaded);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(toStd(dialogs.shown[0].text), unsupportedParamFormatMessage().text);
}

TEST(ProgramOptionsTest, OptionsComeBeforeTheFileAndOpenRoutesByExtension) {
    using Action = ProgramOptions::Action;
    struct Case {
        const char* what;
        QStringList arguments;
        Action action;
        QStringList commandLine;
        QString colorSetFile;
    };
    const Case cases[] = {
        {"nothing", {}, Action::Run, {}, {}},
        {"help", {"--help", "x.txt"}, Action::ShowHelp, {}, {}},
        {"short help", {"-h"}, Action::ShowHelp, {}, {}},
        {"version", {"--version"}, Action::ShowVersion, {}, {}},
        {"unknown option", {"--bogus", "x.txt"}, Action::Fail, {}, {}},
        {"options after the file are the file's command line",
         {"a b.txt", "--help"},
         Action::Run,
         {"a b.txt", "--help"},
         {}},
        {"-- ends the options", {"--", "-odd.txt"}, Action::Run, {"-odd.txt"}, {}},
        {"a lone dash is a file", {"-"}, Action::Run, {"-"}, {}},
        {"open a color set file", {"--open", "/my sets/x.cst"}, Action::Run, {}, "/my sets/x.cst"},
        {"open takes .cst in lower case only, as a drop does",
         {"--open", "/s/x.CST"},
         Action::Run,
         {"/s/x.CST"},
         {}},
        {"open a parameter file, further arguments ignored",
         {"--open", "/a b/p.txt", "more"},
         Action::Run,
         {"/a b/p.txt"},
         {}},
        {"open without a file (a launcher started without one)", {"--open"}, Action::Run, {}, {}},
    };
    for (const Case& c : cases) {
        const ProgramOptions o = parseProgramOptions(c.arguments);
        EXPECT_EQ(o.action, c.action) << c.what;
        EXPECT_EQ(o.commandLine, c.commandLine) << c.what;
        EXPECT_EQ(o.colorSetFile, c.colorSetFile) << c.what;
        EXPECT_EQ(o.error.isEmpty(), c.action != Action::Fail) << c.what;
    }
    EXPECT_TRUE(parseProgramOptions({"--bogus"}).error.contains("--bogus"));
}

TEST(ProgramOptionsTest, LanguageFromTheOptionOverTheVariable) {
    using Action = ProgramOptions::Action;
    const struct {
        const char* what;
        QStringList arguments;
        QString variable; // WAVORY_LANG
        Action action;
        UiLanguage language;
        const char* error; // part of the message
    } cases[] = {
        {"Japanese by default", {"p.txt"}, {}, Action::Run, UiLanguage::Japanese, ""},
        {"--lang en", {"--lang", "en", "p.txt"}, {}, Action::Run, UiLanguage::English, ""},
        {"--lang=en", {"--lang=en"}, {}, Action::Run, UiLanguage::English, ""},
        {"the variable", {}, "en", Action::Run, UiLanguage::English, ""},
        {"the option wins", {"--lang", "ja"}, "en", Action::Run, UiLanguage::Japanese, ""},
        {"an unknown language", {"--lang", "fr"}, {}, Action::Fail, {}, "unknown language 'fr'"},
        {"an unknown variable", {}, "EN", Action::Fail, {}, "'EN' in WAVORY_LANG"},
        {"a good option hides a bad variable",
         {"--lang=en"},
         "fr",
         Action::Run,
         UiLanguage::English,
         ""},
        {"an empty language", {"--lang="}, {}, Action::Fail, {}, "unknown language ''"},
        {"no language after --lang", {"--lang"}, {}, Action::Fail, {}, "needs a language"},
    };
    for (const auto& c : cases) {
        const ProgramOptions o = parseProgramOptions(c.arguments, c.variable);
        EXPECT_EQ(o.action, c.action) << c.what;
        if (c.action == Action::Run) {
            EXPECT_EQ(o.language, c.language) << c.what;
        }
        EXPECT_TRUE(o.error.contains(QLatin1String(c.error))) << c.what;
    }
    EXPECT_EQ(parseProgramOptions({"--lang", "en", "p.txt"}).commandLine, QStringList{"p.txt"});
}

TEST(ProgramOptionsTest, WithoutAJapaneseFontEnglishUnlessJapaneseWasAskedFor) {
    const struct {
        const char* what;
        QStringList arguments;
        QString variable; // WAVORY_LANG
        bool font;        // a font covers Japanese
        UiLanguage language;
        const char* notice; // part of the line on stderr; "" for none
    } cases[] = {
        {"a font", {}, {}, true, UiLanguage::Japanese, ""},
        {"no font, nothing asked", {"p.txt"}, {}, false, UiLanguage::English, "are in English"},
        {"no font, --lang ja",
         {"--lang", "ja"},
         {},
         false,
         UiLanguage::Japanese,
         "may show as boxes"},
        {"no font, WAVORY_LANG=ja", {}, "ja", false, UiLanguage::Japanese, "may show as boxes"},
        {"no font, English asked", {"--lang=en"}, {}, false, UiLanguage::English, ""},
    };
    for (const auto& c : cases) {
        const ProgramOptions o = parseProgramOptions(c.arguments, c.variable);
        const StartLanguage start = startLanguage(o.language, o.languageChosen, c.font);
        EXPECT_EQ(start.language, c.language) << c.what;
        EXPECT_EQ(start.notice.isEmpty(), *c.notice == '\0') << c.what;
        EXPECT_TRUE(start.notice.contains(QLatin1String(c.notice))) << c.what;
        EXPECT_FALSE(start.notice.contains(QLatin1Char('\n'))) << c.what;
    }
}

TEST_F(Startup, OpenedFilesAreTakenAsDroppedOnes) {
    ASSERT_TRUE(writeParamTextFile(toStd(path("Graphic.ini")), knownFields(), "虹").ok());
    ASSERT_TRUE(QDir(home()).mkdir("my sets"));
    const QString sets = home() + "my sets/candy.cst";
    ASSERT_TRUE(QFile::copy(WAVORY_SOURCE_DIR "/colorset/candy.cst", sets));

    // A color set file joins the collection after the last drawing has been drawn again.
    Run& run = start({"--open", sets});
    ASSERT_TRUE(run.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(run.program->params().fields().values[0], "37");
    EXPECT_TRUE(anyPixelSet(run.program->document().canvas()));
    const std::vector<std::string> names = run.program->colorSets().names();
    EXPECT_NE(std::find(names.begin(), names.end(), "キャンディ"), names.end());
    EXPECT_EQ(run.program->colorSets().selectedSet()->name, names.back()); // as a drop selects
    closeMain(run);
    run.program.reset();

    // A parameter file is the first drawing instead of the last one, its path taken whole.
    ParamFields other = knownFields();
    other.values[0] = "99";
    const QString params = home() + "my sets/wave one.txt";
    ASSERT_TRUE(writeParamTextFile(toStd(params), other, "虹").ok());
    Run& again = start({"--open", params});
    ASSERT_TRUE(again.loaded);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(again.program->params().fields().values[0], "99");
}

TEST_F(Startup, WelcomeDialogChoiceIsKept) {
    welcomeAnswer = true;
    Run& first = start();
    ASSERT_TRUE(first.loaded);
    EXPECT_TRUE(first.program->settings().option.hello);
    closeMain(first);
    first.program.reset();
    EXPECT_TRUE(readFile("wavory.ini").contains("Hello=True"));

    // Shown again, checked; unchecking it ends the greeting.
    welcomeAnswer = false;
    Run& second = start();
    ASSERT_TRUE(second.loaded);
    EXPECT_EQ(welcomeChecks, (std::vector<bool>{false, true}));
    EXPECT_FALSE(second.program->settings().option.hello);
    closeMain(second);
    second.program.reset();

    Run& third = start();
    ASSERT_TRUE(third.loaded);
    EXPECT_EQ(welcomeChecks.size(), 2u);
}

TEST_F(Startup, StoredPositionsBeyondTheScreenArePulledBack) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const int farLeft = (screen.width() + 100) * 15;
    writeFile("wavory.ini", QStringLiteral("[Form]\r\nMainL= %1\r\nMainT= 150\r\n"
                                           "HelpL=-300\r\nHelpT= %2\r\nButtonL= 1500\r\n"
                                           "[App]\r\nExistINI=True\r\n")
                                .arg(farLeft)
                                .arg((screen.height() + 5) * 15)
                                .toUtf8());
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    ProgramRoot& main = *run.program;
    // Flush with the right edge, frame included once the frame is known.
    EXPECT_TRUE(waitFor([&] {
        return main.mainWindow()->frameGeometry().right() + 1 == screen.width();
    })) << main.mainWindow()->frameGeometry().right();
    EXPECT_EQ(main.mainWindow()->y(), 10);
    EXPECT_EQ(main.helpWindow()->pos(), QPoint(0, 0)); // wholly on the screen where it fits
    // ButtonT is missing: the frame window keeps its place (ButtonL alone would be 100).
    EXPECT_NE(main.frameWindow()->x(), 100);
}

TEST_F(Startup, AWideImageBringsThePictureWindowWhollyOnScreen) {
    // Placed where a small picture fitted, the window grows with the stored image size.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    writeFile("wavory.ini", QStringLiteral("[Form]\r\nPictureL= %1\r\nPictureT= %2\r\n"
                                           "[Picture]\r\nWidth= 3000\r\nHeight= 200\r\n"
                                           "[App]\r\nExistINI=True\r\n")
                                .arg(screen.width() / 2 * 15)
                                .arg(screen.height() / 2 * 15)
                                .toUtf8());
    Run& run = start();
    ASSERT_TRUE(run.loaded);
    PictureWindow* picture = run.program->picture();
    ASSERT_EQ(picture->imageWidth(), 3000);
    // Its frame is known once it is shown.
    EXPECT_TRUE(waitFor([&] { return screen.contains(picture->frameGeometry()); }))
        << picture->frameGeometry().x() << "," << picture->frameGeometry().y() << " "
        << picture->frameGeometry().width() << "x" << picture->frameGeometry().height();
}
