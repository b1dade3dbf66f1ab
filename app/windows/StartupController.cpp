#include "StartupController.h"

#include "colors/ColorSetController.h"
#include "platform/CommandLine.h"
#include "drawing/DrawCommand.h"
#include "drawing/DrawSession.h"
#include "extras/HistoryController.h"
#include "extras/VariationController.h"
#include "files/FileController.h"
#include "platform/FileDialogNames.h"
#include "platform/FileDialogs.h"
#include "values/ParamController.h"
#include "platform/QtText.h"
#include "files/SaveController.h"
#include "SettingsBinding.h"
#include "platform/SingleInstance.h"
#include "platform/UserDialogs.h"
#include "WindowController.h"
#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"
#include "animation/AnimationWindow.h"
#include "values/FrameWindow.h"
#include "guide/WelcomeDialog.h"
#include "guide/EasyHelpWindow.h"

#include "anim/FrameStore.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/ProgramFolder.h"
#include "common/RandomSource.h"
#include "io/AtomicFile.h"
#include "io/ParamTextFile.h"
#include "io/SetAside.h"
#include "io/TileViewFile.h"
#include "io/IniFile.h"

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
    return toQ(programFolder()) + QLatin1String(name);
}

} // namespace

StartupController::StartupController(const Parts& parts)
    : QObject(&parts.windows.main), parts_(parts), main_(parts.windows.main) {}

StartupController::~StartupController() = default;

bool StartupController::load(const QStringList& arguments) {
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
        parts_.dialogs.message(nullptr, Ui::tr("二重起動はできません。"), MessageIcon::Critical);
        return false;
    case SingleInstance::Outcome::Unavailable:
        // Another copy may be running: this one writes nothing at exit, so that neither
        // overwrites the other's files.
        saveAtExit_ = false;
        parts_.dialogs.message(nullptr, Ui::tr(kNoLockMessage), MessageIcon::Exclamation);
        break;
    }
    removeStaleTemporaryFiles(programFolder()); // left by saves that were killed
    removeStaleFrameSpills(frameSpillFolder()); // left by animations of killed runs

    parts_.windows.params.setImageSize(200, 200);
    parts_.windows.frame.updXYMaxSet();
    parts_.windows.windows.fitMainWindowSize();

    IniFile collection;
    collection.initFile(std::string(kCollectionFileName));
    const StartupColorSetsRead colorSets =
        readColorSetsAtStartup(collection, parts_.colorSets.colorSets());
    parts_.dialogs.report(&main_, colorSets.outcome);
    if (colorSets.source == StartupColorSets::BuiltinAfterFailure) {
        // The user's file is kept before the exit writes the built-in sets over it.
        const SetAsideFile aside = setAsideUnreadableFile(collection.path());
        parts_.dialogs.report(&main_, aside.outcome);
        saveColorSetsAtExit_ = aside.cleared;
    }
    // The list shows the collection just read.
    Q_EMIT parts_.colorSets.listChanged();

    AppSettings& settings = parts_.settings;
    WindowController& windows = parts_.windows.windows;
    firstStart_ = !settingsExist();
    if (firstStart_) {
        showWelcome(settings.option.hello);
        // The choice made in the welcome dialog is kept over the first-start default.
        const bool hello = settings.option.hello;
        applyFirstStartDefaults(settings, toStd(main_.font().family()));
        settings.option.hello = hello;
        windows.toggleFrameWindow();
        windows.toggleHelpWindow();
        applyFirstStartDialogNames(parts_.windows, settings);
        windows.placeFirstStart();
        windows.arrangeAll();
    } else {
        readSettings(settings, [this](AppSettings& s) { showWelcome(s.option.hello); });
        applyLoadedSettings(parts_.windows, settings);
        (void)readTileViewFile(settings.tileView.text);
        parts_.history.loadKept();
    }
    parts_.windows.windows.fitMainWindowHeight();

    FileDialogNames& names = parts_.windows.names;
    names.image += Ui::tr(kUntitledName);
    names.text += Ui::tr(kUntitledName);

    // Every run continues a different random sequence.
    parts_.random.reseed(hundredthsOfSecondToday());
    parts_.windows.params.command([](ParamModel& m) {
        m.setMode(DrawMode::Normal);
        m.setValueText(kPowerSlot, "1");
    });

    main_.show();
    // The outer size counts from the moment the window manager has framed the window.
    whenWindowFramed(&main_, [this] {
        parts_.windows.windows.fitMainWindowHeight();
        if (firstStart_)
            parts_.windows.windows.arrangeAll();
    });
    // The first drawing runs from the event loop, so that closing the program during it
    // ends the loop cleanly.
    QTimer::singleShot(0, this, [this, arguments] { firstDrawing(arguments); });
    return true;
}

void StartupController::firstDrawing(const QStringList& arguments) {
    const QString commandLine = commandLineText(arguments);
    const QString lastDrawing = inProgramFolder(kLastDrawingFileName);
    FileController& files = parts_.files;
    bool random = true;
    if (!commandLine.isEmpty()) {
        // A file that cannot be read has been reported; the command line gets no fallback.
        files.inputText(firstArgument(commandLine));
        random = false;
    } else if (QFileInfo(lastDrawing).isFile()) {
        random = !files.inputText(lastDrawing);
    }
    // Once the exit has begun, the parameters stay those it saves.
    if (random && !parts_.session.isClosed()) {
        parts_.draw.randomSetting();
        if (!parts_.settings.option.drawOnRnd)
            parts_.draw.run();
    }
    Q_EMIT startupFinished();
}

void StartupController::showWelcome(bool& hello) {
    WelcomeDialog dialog(hello, &main_);
    showModal(&main_, dialog);
}

int StartupController::quit() {
    if (quitting_)
        return 0;
    if (!exitConfirmed_ && parts_.settings.option.quitQ &&
        parts_.dialogs.message(&main_, Ui::tr("Wavoryを終了します。\r\nよろしいですか？"),
                                MessageIcon::Question,
                                MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return 1;
    }
    exitConfirmed_ = true;
    DrawSession& session = parts_.session;
    session.close();
    AnimationWindow* anim = &parts_.windows.anim;
    if (anim && anim->isBusy()) {
        // Frames being made or saved stop after the current one (every file written is
        // whole); the exit goes on once the animation window is idle.
        anim->stopWork();
        connect(
            anim, &AnimationWindow::idle, this,
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
    parts_.variations.stop();
    parts_.variations.drawings().waitForDone();
    if (saveAtExit_)
        saveAtExit();
    else
        parts_.save.deleteUnchangedLinkedFiles();
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
    AppSettings& settings = parts_.settings;
    captureWindowSettings(parts_.windows, settings);
    // Losing the settings, the color sets or the last drawing is worth a word; the exit
    // goes on.
    parts_.dialogs.report(&main_, settingsSaveOutcome(writeSettings(settings)));
    if (saveColorSetsAtExit_)
        parts_.dialogs.report(
            &main_, saveAllColorSetsFile(programFolder() + std::string(kCollectionFileName),
                                         parts_.colorSets.colorSets()));
    parts_.files.outputText(toQ(programFolder() + kLastDrawingFileName));
    parts_.history.saveKept();
    parts_.save.deleteUnchangedLinkedFiles();
}

} // namespace wavory
