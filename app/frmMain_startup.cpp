// frmMain: start-up and the exit procedure. Start-up refuses a second copy, restores the
// color sets, the settings and the window layout (or greets a new user with the first-
// start defaults), prepares the controls and makes a first drawing; the exit procedure
// asks when so configured, saves settings, color sets and the last drawing, and ends the
// process.

#include "frmMain.h"

#include "CommandLine.h"
#include "QtText.h"
#include "SettingsBinding.h"
#include "SingleInstance.h"
#include "UserDialogs.h"
#include "WindowPlacement.h"
#include "frmButton.h"
#include "frmHello.h"
#include "frmHelp.h"
#include "frmPicture.h"

#include "colorsets/ColorSetFileCommands.h"
#include "common/ProgramFolder.h"
#include "io/ParamTextFile.h"
#include "io/TileViewFile.h"
#include "io/clsINI.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace wavory {

namespace {

// The parameters of the drawing on screen at exit, read again at the next start.
constexpr const char* kLastDrawingFileName = "Graphic.ini";
// The main window's outer height.
constexpr int kMainWindowHeight = 378;
// Proposed in the image save and text file dialogs.
const QString kUntitled = QStringLiteral("名称未設定");

QString inProgramFolder(const char* name) {
    return toQ(GetPath()) + QLatin1String(name);
}

} // namespace

bool frmMain::Form_Load(const QStringList& arguments) {
    // The program folder holds the settings, the color sets and the lock. When a copy
    // already runs it exists, so creating it touches nothing then.
    (void)ensureProgramFolder();
    instance_ = std::make_unique<SingleInstance>(inProgramFolder(kLockFileName));
    if (!instance_->acquire()) {
        instance_.reset();
        dialogs_.message(nullptr, QStringLiteral("二重起動はできません。"), MessageIcon::Critical);
        return false;
    }

    SetImageSize(200, 200);
    button_->updXYMaxSet();
    resize(sizeHint().width(), kMainWindowHeight);
    help_->resize(width(), frmHelp::kClientHeight);

    clsINI collection;
    collection.InitINI(std::string(kCollectionFileName));
    dialogs_.report(this, readColorSetsAtStartup(collection, colorSets_).outcome);
    listColorSets();

    firstStart_ = !settingsExist();
    if (firstStart_) {
        showWelcome(settings_.Option.Hello);
        // The choice made in the welcome dialog is kept over the first-start default.
        const bool hello = settings_.Option.Hello;
        applyFirstStartDefaults(settings_, toStd(font().family()));
        settings_.Option.Hello = hello;
        ShowHidefrmButton();
        ShowHidefrmHelp();
        applyFirstStartDialogNames(*this, settings_);
        placeFirstStart();
        ArrangeWindows();
    } else {
        LoadSettings(settings_, [this](AppSettings& s) { showWelcome(s.Option.Hello); });
        applyLoadedSettings(*this, settings_);
        (void)readTileViewFile(settings_.TileView.Text);
    }

    fitMainWindowHeight();
    hscIso_Change(true);
    for (int k = 0; k < kComponentCount; ++k)
        chkValue_Click(k);
    cboMode_->setCurrentIndex(0);

    dialogFileNames_.image += kUntitled;
    dialogFileNames_.text += kUntitled;

    // Every run continues a different random sequence.
    random_.reseed(hundredthsOfSecondToday());
    txtValue_[kPowerSlot]->setText(QStringLiteral("1"));

    show();
    // The outer size counts from the moment the window manager has framed the window.
    whenWindowFramed(this, [this] {
        fitMainWindowHeight();
        if (firstStart_)
            ArrangeWindows();
    });
    // The first drawing runs from the event loop, so that closing the program during it
    // ends the loop cleanly.
    QTimer::singleShot(0, this, [this, arguments] { FirstDrawing(arguments); });
    return true;
}

void frmMain::FirstDrawing(const QStringList& arguments) {
    const QString commandLine = commandLineText(arguments);
    const QString lastDrawing = inProgramFolder(kLastDrawingFileName);
    bool random = true;
    if (!commandLine.isEmpty()) {
        // A file that cannot be read has been reported; the command line gets no fallback.
        InputText(firstArgument(commandLine));
        random = false;
    } else if (QFileInfo(lastDrawing).isFile()) {
        random = !InputText(lastDrawing);
    }
    if (random && !quitting_) {
        cmdRndSet_Click();
        if (!settings_.Option.DrawOnRnd && !quitting_)
            cmdDraw_Click();
    }
    Q_EMIT startupFinished();
}

void frmMain::fitMainWindowHeight() {
    const int frameHeight = frameGeometry().height() - height();
    resize(width(), kMainWindowHeight - frameHeight);
}

void frmMain::listColorSets() {
    cbogColor_->blockSignals(true);
    cbogColor_->clear();
    for (const std::string& name : colorSets_.names())
        cbogColor_->addItem(toQ(name));
    cbogColor_->setCurrentIndex(colorSets_.selectedIndex());
    cbogColor_->blockSignals(false);
    model_.setColorSetIndex(colorSets_.selectedIndex());
    DrawGradBar();
}

void frmMain::showWelcome(bool& hello) {
    frmHello dialog(hello, this);
    showModal(dialog);
}

int frmMain::QuitApp() {
    if (quitting_)
        return 0;
    if (settings_.Option.QuitQ &&
        dialogs_.message(this, QStringLiteral("Wavoryを終了します。\r\nよろしいですか？"),
                         MessageIcon::Question, MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return 1;
    }
    quitting_ = true;

    // Settings failures are not reported: a value that cannot be written is lost.
    captureWindowSettings(*this, settings_);
    (void)SaveSettings(settings_);
    // Losing the color sets or the last drawing is worth a word; the exit goes on.
    dialogs_.report(this,
                    saveAllColorSetsFile(GetPath() + std::string(kCollectionFileName), colorSets_));
    OutputText(toQ(GetPath() + kLastDrawingFileName));
    deleteUnchangedLinkedFiles();

    // A running drawing stops at its next check.
    if (drawing_)
        DrawStop();
    if (processEnd_) {
        processEnd_();
    } else {
        // No window handles anything further; every event loop (a drawing's, a dialog's)
        // is left, and main() returns.
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
    }
    return 0;
}

} // namespace wavory
