// frmMain: the commands of the sharing part that need no dialog of their own — the
// parameter text file commands with their dialog dlgText, dropped files, help pages, the
// options dialog's entry point — and the remembered names of the file dialogs.

#include "frmMain.h"

#include "FileDialogs.h"
#include "QtText.h"
#include "Resources.h"
#include "UserDialogs.h"
#include "frmButton.h"

#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "io/ParamTextFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace wavory {

namespace {

// The contents page, one level above the help folder.
const QString kHelpContents = QStringLiteral("..\\help.htm");

} // namespace

void frmMain::activateCommand(const char* name, const std::function<void()>& handler) {
    QObject* command = findChild<QObject*>(QLatin1String(name));
    if (!command)
        return;
    command->setProperty("pending", false);
    setCommandEnabled(command, !drawing_);
    if (auto* b = qobject_cast<QAbstractButton*>(command)) {
        connect(b, &QAbstractButton::clicked, this, [handler] { handler(); });
    } else if (auto* a = qobject_cast<QAction*>(command)) {
        connect(a, &QAction::triggered, this, [handler] { handler(); });
    }
}

void frmMain::connectFileCommands() {
    openUrl_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    startProgram_ = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };

    // The button and the menu item both only save.
    activateCommand("cmdSave", [this] { SaveImage(); });
    activateCommand("mnuSave", [this] { SaveImage(); });
    activateCommand("mnuCopy", [this] { mnuCopy_Click(); });
    activateCommand("mnuShell", [this] { mnuShell_Click(); });
    activateCommand("mnuOutputText", [this] { mnuOutputText_Click(); });
    activateCommand("mnuInputText", [this] { mnuInputText_Click(); });
    activateCommand("mnuPrintHelp", [this] { ShowHelpFile(kHelpContents); });
    connect(button_, &frmButton::helpFileRequested, this, &frmMain::ShowHelpFile);
}

QString frmMain::dialogFileName(FileDialog which) {
    // Start-up sets the names from the stored folders; a window that did not run start-up
    // (tests) takes the same defaults on first use.
    switch (which) {
    case FileDialog::Image:
        if (dialogFileNames_.image.isEmpty())
            dialogFileNames_.image = toQ(settings_.Picture.Path) + kUntitledName;
        return dialogFileNames_.image;
    case FileDialog::Text:
        if (dialogFileNames_.text.isEmpty())
            dialogFileNames_.text = toQ(settings_.Picture.TxtPath) + kUntitledName;
        return dialogFileNames_.text;
    case FileDialog::ColorSet: {
        // Without a stored folder: the "colorset" folder of the program folder.
        const QString programSets = toQ(GetPath()) + QStringLiteral("colorset/");
        if (dialogFileNames_.colorSet.isEmpty())
            dialogFileNames_.colorSet = settings_.Picture.CSetPath.empty()
                                            ? programSets + QLatin1Char('*')
                                            : toQ(settings_.Picture.CSetPath);
        // A new "colorset" folder there starts with the shipped sample sets.
        if (toQ(TrimDir(toStd(dialogFileNames_.colorSet))) == programSets)
            provideColorSetFolder(programSets, resourceFolder());
        return dialogFileNames_.colorSet;
    }
    }
    return {};
}

void frmMain::setDialogFileName(FileDialog which, const QString& fileName) {
    const std::string folder = TrimDir(toStd(fileName));
    switch (which) {
    case FileDialog::Image:
        dialogFileNames_.image = fileName;
        settings_.Picture.Path = folder;
        break;
    case FileDialog::Text:
        dialogFileNames_.text = fileName;
        settings_.Picture.TxtPath = folder;
        break;
    case FileDialog::ColorSet:
        dialogFileNames_.colorSet = fileName;
        settings_.Picture.CSetPath = folder;
        break;
    }
}

bool frmMain::OutputText(const QString& fileName) {
    if (!dialogs_.report(this, wavory::OutputText(toStd(fileName), currentFields(),
                                                  toStd(cbogColor_->currentText())))) {
        return false;
    }
    return true;
}

void frmMain::mnuOutputText_Click() {
    const QString proposal = toQ(TrimDirFname(toStd(dialogFileName(FileDialog::Text))));
    setDialogFileName(FileDialog::Text, proposal);
    const QString chosen = dialogs_.saveFileName(this, kSaveDialogTitle, kTextFileFilter, proposal);
    if (chosen.isEmpty())
        return;
    setDialogFileName(FileDialog::Text, chosen);
    OutputText(chosen);
}

void frmMain::mnuInputText_Click() {
    const QString chosen = dialogs_.openFileName(this, kOpenDialogTitle, kTextFileFilter,
                                                 dialogFileName(FileDialog::Text));
    if (chosen.isEmpty())
        return;
    setDialogFileName(FileDialog::Text, chosen);
    InputText(chosen);
}

bool frmMain::acceptsFileDrop(const QMimeData* data) const {
    // No drops while a modal dialog of this window is open or a drawing runs.
    if (!acceptDrops() || drawing_ || !data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
}

void frmMain::dropFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    activateWindow();
    // Handled once the drop itself has finished: reading a file may draw for a while.
    QTimer::singleShot(0, this, [this, files] { handleDroppedFiles(files); });
}

void frmMain::handleDroppedFiles(const QStringList& files) {
    for (const QString& file : files) {
        // Exactly "cst", lower case: any other file is a parameter file to the reader.
        if (TrimExt(toStd(file)) == "cst") {
            LoadColorSetFile(file);
        } else {
            InputText(file);
        }
    }
}

void frmMain::dragEnterEvent(QDragEnterEvent* e) {
    if (acceptsFileDrop(e->mimeData())) {
        e->acceptProposedAction();
    } else {
        e->ignore();
    }
}

void frmMain::dragMoveEvent(QDragMoveEvent* e) {
    if (acceptsFileDrop(e->mimeData())) {
        e->acceptProposedAction();
    } else {
        e->ignore();
    }
}

void frmMain::dropEvent(QDropEvent* e) {
    if (!acceptsFileDrop(e->mimeData())) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    dropFiles(e->mimeData());
}

QString frmMain::resourceFolder() const {
    if (!resourceFolder_.isEmpty())
        return resourceFolder_;
    return findResourceFolder(QCoreApplication::applicationDirPath());
}

void frmMain::ShowHelpFile(const QString& topic) {
    const QString path = helpFilePath(resourceFolder(), topic);
    int failure = 0;
    if (!QFileInfo(path).isFile()) {
        failure = kHelpFileNotFound;
    } else if (!openUrl_ || !openUrl_(QUrl::fromLocalFile(path))) {
        failure = kHelpNoHandler;
    }
    if (failure != 0)
        dialogs_.message(this, helpFailureMessage(failure), MessageIcon::Critical);
}

void frmMain::ShowOptionsAt(int page) {
    // Until the options dialog exists, its place is held by a notice that names the page;
    // file drops are off while it is open, as around every modal dialog of this window.
    setAcceptDrops(false);
    dialogs_.message(this, QStringLiteral("オプション画面（ページ %1）は準備中です。").arg(page),
                     MessageIcon::Information);
    setAcceptDrops(true);
}

} // namespace wavory
