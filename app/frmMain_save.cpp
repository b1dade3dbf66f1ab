// frmMain: saving the picture (SaveImage with the dialog dlg1 and the option dialogs
// frmJpeg and frmPNG), copying it to the clipboard, and handing it to the linked
// application.

#include "frmMain.h"

#include "FileDialogs.h"
#include "ImageSaving.h"
#include "QtText.h"
#include "UserDialogs.h"
#include "frmJpeg.h"
#include "frmPNG.h"
#include "frmPicture.h"

#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/OutputNames.h"
#include "io/PictureSaving.h"

#include <QClipboard>
#include <QGuiApplication>

namespace wavory {

namespace {

const QString kLinkedAppMessage =
    QStringLiteral("連携するアプリケーションを正しく設定してください。");

} // namespace

void frmMain::SaveImage() {
    // The dialog proposes the previous name without its extension.
    const QString proposal = toQ(TrimDirFname(toStd(dialogFileName(FileDialog::Image))));
    setDialogFileName(FileDialog::Image, proposal);
    const QString chosen =
        dialogs_.saveFileName(this, kSaveDialogTitle, kImageFileFilter, proposal);
    if (chosen.isEmpty())
        return;
    setDialogFileName(FileDialog::Image, chosen);

    // The name exactly as chosen: its end decides the format, no extension is added.
    const std::string name = toStd(chosen);
    const Canvas& picture = picture_->canvas();
    AppSettings::PictureSection& options = settings_.Picture;

    // A cancelled option dialog saves nothing and leaves `saved` a silent success.
    Result saved;
    switch (imageFormatForName(name)) {
    case ImageFileFormat::Bmp:
        if (!dialogs_.report(this, saveBmpPicture(name, picture)))
            return;
        break;
    case ImageFileFormat::Jpeg: {
        frmJpeg dialog(options, this);
        dialog.setSaveAction([&] {
            saved = saveJpegPicture(picture, name, options.JpegSaveQ, options.JpegSavePrgrs);
        });
        showModal(dialog);
        break;
    }
    case ImageFileFormat::Png: {
        frmPNG dialog(options, this);
        dialog.setSaveAction([&] { saved = savePngPicture(picture, name, options.PNGSaveQ); });
        showModal(dialog);
        break;
    }
    }
    dialogs_.report(this, saved);

    // The parameters beside the image, also when the image was not written.
    if (settings_.Option.TextOnGrp)
        OutputText(toQ(companionTextName(name)));
}

void frmMain::mnuCopy_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(canvasImage(picture_->canvas()));
}

void frmMain::mnuShell_Click() {
    const Canvas& picture = picture_->canvas();
    LinkedFileWrite written = writeLinkedFile(settings_.Picture.Path, picture);
    if (written.error) {
        // A folder that is gone or not writable: the program folder, from now on.
        settings_.Picture.Path = GetPath();
        written = writeLinkedFile(settings_.Picture.Path, picture);
        if (written.error) {
            dialogs_.message(this, toQ(systemErrorText(written.error)), MessageIcon::Critical);
            return;
        }
    }
    // The full name, whatever folder the other program starts in.
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(written.path, ec);
    const std::string path = ec ? written.path : full.string();
    const QString program = toQ(settings_.Option.Shell);
    const QString file = toQ(path);
    const bool started = !program.isEmpty() && startProgram_ && startProgram_(program, {file});
    if (!started) {
        dialogs_.message(this, kLinkedAppMessage, MessageIcon::Critical);
        ShowOptionsAt(2);
    }
    linkedFiles_.record(path);
}

void frmMain::deleteUnchangedLinkedFiles() {
    linkedFiles_.deleteUnchanged();
}

} // namespace wavory
