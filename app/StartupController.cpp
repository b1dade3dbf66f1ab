#include "StartupController.h"

#include "ColorSetController.h"
#include "CommandLine.h"
#include "DrawCommand.h"
#include "DrawSession.h"
#include "HistoryController.h"
#include "VariationController.h"
#include "FileController.h"
#include "FileDialogNames.h"
#include "FileDialogs.h"
#include "ParamController.h"
#include "QtText.h"
#include "SaveController.h"
#include "SettingsBinding.h"
#include "SingleInstance.h"
#include "UserDialogs.h"
#include "WindowController.h"
#include "WindowHelpers.h"
#include "WindowPlacement.h"
#include "frmAnim.h"
#include "frmButton.h"
#include "frmHello.h"
#include "frmHelp.h"
#include "frmMain.h"

#include "anim/FrameStore.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/ProgramFolder.h"
#include "common/RandomSource.h"
#include "io/AtomicFile.h"
#include "io/ParamTextFile.h"
#include "io/SetAside.h"
#include "io/TileViewFile.h"
#include "io/clsINI.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace wavory {

namespace {

// The parameters of the drawing on screen at exit, read again at the next start.
constexpr const char* kLastDrawingFileName = "Graphic.ini";

const char* const kNoLockMessage = QT_TRANSLATE_NOOP(
    "Ui", "プログラムフォルダにロックファイルを作成できないため、二重起動を確認できません。"
          "\r\n終了時に設定・色セット・描画のパラメータを保存しません。");

QString inProgramFolder(const char* name) {
    return toQ(GetPath()) + QLatin1String(name);
}

} // namespace

StartupController::StartupController(frmMain& main) : QObject(&main), main_(main) {}

StartupController::~StartupController() = default;

bool StartupController::Form_Load(const QStringList& arguments) {
    // The program folder holds the settings, the color sets and the lock. When a copy
    // already runs it exists, so creating it touches nothing then.
    (void)ensureProgramFolder();
    instance_ = std::make_unique<SingleInstance>(
        lockFile_.isEmpty() ? inProgramFolder(kLockFileName) : lockFile_);
    switch (instance_->acquire()) {
    case SingleInstance::Outcome::Acquired:
        break;
    case SingleInstance::Outcome::HeldByOther:
        instance_.reset();
        main_.dialogs().message(nullptr, Ui::tr("二重起動はできません。"), MessageIcon::Critical);
        return false;
    case SingleInstance::Outcome::Unavailable:
        // Another copy may be running: this one writes nothing at exit, so that neither
        // overwrites the other's files.
        saveAtExit_ = false;
        main_.dialogs().message(nullptr, Ui::tr(kNoLockMessage), MessageIcon::Exclamation);
        break;
    }
    removeStaleTemporaryFiles(GetPath()); // left by saves that were killed
    removeStaleFrameSpills(frameSpillFolder()); // left by animations of killed runs

    main_.SetImageSize(200, 200);
    main_.frameWindow()->updXYMaxSet();
    main_.fitMainWindowSize();

    clsINI collection;
    collection.InitINI(std::string(kCollectionFileName));
    const StartupColorSetsRead colorSets = readColorSetsAtStartup(collection, main_.colorSets());
    main_.dialogs().report(&main_, colorSets.outcome);
    if (colorSets.source == StartupColorSets::BuiltinAfterFailure) {
        // The user's file is kept before the exit writes the built-in sets over it.
        const SetAsideFile aside = setAsideUnreadableFile(collection.Path());
        main_.dialogs().report(&main_, aside.outcome);
        saveColorSetsAtExit_ = aside.cleared;
    }
    main_.ShowColorSetList();

    AppSettings& settings = main_.settings();
    WindowController& windows = main_.windowController();
    firstStart_ = !settingsExist();
    if (firstStart_) {
        showWelcome(settings.Option.Hello);
        // The choice made in the welcome dialog is kept over the first-start default.
        const bool hello = settings.Option.Hello;
        applyFirstStartDefaults(settings, toStd(main_.font().family()));
        settings.Option.Hello = hello;
        windows.ShowHidefrmButton();
        windows.ShowHidefrmHelp();
        applyFirstStartDialogNames(main_, settings);
        windows.placeFirstStart();
        windows.ArrangeWindows();
    } else {
        LoadSettings(settings, [this](AppSettings& s) { showWelcome(s.Option.Hello); });
        applyLoadedSettings(main_, settings);
        (void)readTileViewFile(settings.TileView.Text);
        main_.history().loadKept();
    }
    main_.fitMainWindowHeight();

    FileDialogNames& names = main_.fileDialogNames();
    names.image += Ui::tr(kUntitledName);
    names.text += Ui::tr(kUntitledName);

    // Every run continues a different random sequence.
    main_.random().reseed(hundredthsOfSecondToday());
    main_.params().command([](ParamModel& m) {
        m.setMode(DrawMode::Normal);
        m.setValueText(kPowerSlot, "1");
    });

    main_.show();
    // The outer size counts from the moment the window manager has framed the window.
    whenWindowFramed(&main_, [this] {
        main_.fitMainWindowHeight();
        if (firstStart_)
            main_.windowController().ArrangeWindows();
    });
    // The first drawing runs from the event loop, so that closing the program during it
    // ends the loop cleanly.
    QTimer::singleShot(0, this, [this, arguments] { FirstDrawing(arguments); });
    return true;
}

void StartupController::FirstDrawing(const QStringList& arguments) {
    const QString commandLine = commandLineText(arguments);
    const QString lastDrawing = inProgramFolder(kLastDrawingFileName);
    FileController& files = main_.fileController();
    bool random = true;
    if (!commandLine.isEmpty()) {
        // A file that cannot be read has been reported; the command line gets no fallback.
        files.InputText(firstArgument(commandLine));
        random = false;
    } else if (QFileInfo(lastDrawing).isFile()) {
        random = !files.InputText(lastDrawing);
    }
    // Once the exit has begun, the parameters stay those it saves.
    if (random && !main_.drawSession().isClosed()) {
        main_.cmdRndSet_Click();
        if (!main_.settings().Option.DrawOnRnd)
            main_.cmdDraw_Click();
    }
    Q_EMIT startupFinished();
}

void StartupController::showWelcome(bool& hello) {
    frmHello dialog(hello, &main_);
    showModal(&main_, dialog);
}

int StartupController::QuitApp() {
    if (quitting_)
        return 0;
    if (!exitConfirmed_ && main_.settings().Option.QuitQ &&
        main_.dialogs().message(&main_, Ui::tr("Wavoryを終了します。\r\nよろしいですか？"),
                                MessageIcon::Question,
                                MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return 1;
    }
    exitConfirmed_ = true;
    DrawSession& session = main_.drawSession();
    session.close();
    frmAnim* anim = main_.animWindow();
    if (anim && anim->isBusy()) {
        // Frames being made or saved stop after the current one (every file written is
        // whole); the exit goes on once the animation window is idle.
        anim->stopWork();
        connect(
            anim, &frmAnim::idle, this,
            [this] { QTimer::singleShot(0, &main_, [this] { main_.close(); }); },
            Qt::SingleShotConnection);
        return 1;
    }
    if (session.isDrawing()) {
        // The drawing stops at its next check; the exit goes on once it has ended.
        session.requestStop();
        connect(
            &session, &DrawSession::idle, this,
            [this] { QTimer::singleShot(0, &main_, [this] { main_.close(); }); },
            Qt::SingleShotConnection);
        return 1;
    }
    quitting_ = true;
    // The variations' drawings stop at their next check; none outlives the program.
    main_.variations().stop();
    main_.variations().drawings().waitForDone();
    if (saveAtExit_)
        saveAtExit();
    else
        main_.saveController().deleteUnchangedLinkedFiles();
    if (processEnd_) {
        processEnd_();
    } else {
        // No window handles anything further; main() returns.
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
    }
    return 0;
}

void StartupController::saveAtExit() {
    AppSettings& settings = main_.settings();
    captureWindowSettings(main_, settings);
    // Losing the settings, the color sets or the last drawing is worth a word; the exit
    // goes on.
    main_.dialogs().report(&main_, settingsSaveOutcome(SaveSettings(settings)));
    if (saveColorSetsAtExit_)
        main_.dialogs().report(
            &main_,
            saveAllColorSetsFile(GetPath() + std::string(kCollectionFileName), main_.colorSets()));
    main_.fileController().OutputText(toQ(GetPath() + kLastDrawingFileName));
    main_.history().saveKept();
    main_.saveController().deleteUnchangedLinkedFiles();
}

} // namespace wavory
