#include "SaveController.h"

#include "FileController.h"
#include "platform/FileDialogNames.h"
#include "platform/FileDialogs.h"
#include "ImageSaving.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "JpegOptionsDialog.h"
#include "PngOptionsDialog.h"
#include "drawing/PictureDocument.h"

#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "io/AppSettings.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/OutputNames.h"
#include "io/PictureSaving.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QWidget>

#include <filesystem>

namespace wavory {

namespace {

const char* const kLinkedAppMessage =
    QT_TRANSLATE_NOOP("Ui", "連携するアプリケーションを正しく設定してください。");

} // namespace

SaveController::SaveController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window),
      startProgram_([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }) {}

void SaveController::saveImage() {
    using Dialog = RememberedFileNames::Dialog;
    RememberedFileNames& names = parts_.fileNames;
    UserDialogs& dialogs = parts_.dialogs;
    // The dialog proposes the previous name without its extension.
    const QString proposal = toQ(withoutExtension(toStd(names.name(Dialog::Image))));
    names.setName(Dialog::Image, proposal);
    const QString chosen =
        dialogs.saveFileName(window_, Ui::tr(kSaveDialogTitle), Ui::tr(kImageFileFilter), proposal);
    if (chosen.isEmpty())
        return;
    names.setName(Dialog::Image, chosen);

    // The name exactly as chosen: its end decides the format, no extension is added.
    const std::string name = toStd(chosen);
    const Canvas& picture = parts_.document.canvas();
    AppSettings::PictureSection& options = parts_.settings.picture;

    // A cancelled option dialog saves nothing and leaves `saved` a silent success.
    Result saved;
    switch (imageFormatForName(name)) {
    case ImageFileFormat::Bmp:
        if (!dialogs.report(window_, saveBmpPicture(name, picture)))
            return;
        break;
    case ImageFileFormat::Jpeg: {
        JpegOptionsDialog dialog(options, window_);
        dialog.setSaveAction([&] {
            saved = saveJpegPicture(picture, name, options.jpegSaveQ, options.jpegSavePrgrs);
        });
        showModal(window_, dialog);
        break;
    }
    case ImageFileFormat::Png: {
        PngOptionsDialog dialog(options, window_);
        dialog.setSaveAction([&] { saved = savePngPicture(picture, name, options.pngSaveQ); });
        showModal(window_, dialog);
        break;
    }
    }
    dialogs.report(window_, saved);

    // The parameters beside the image, also when the image was not written.
    if (parts_.settings.option.textOnGrp)
        parts_.files.outputText(toQ(companionTextName(name)));
}

void SaveController::onCopyTriggered() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(canvasImage(parts_.document.canvas()));
}

void SaveController::onShellTriggered() {
    const Canvas& picture = parts_.document.canvas();
    AppSettings& settings = parts_.settings;
    LinkedFileWrite written = writeLinkedFile(settings.picture.path, picture);
    if (written.error) {
        // A folder that is gone or not writable: the program folder, from now on.
        settings.picture.path = programFolder();
        written = writeLinkedFile(settings.picture.path, picture);
        if (written.error) {
            parts_.dialogs.message(window_, toQ(systemErrorText(written.error)),
                                   MessageIcon::Critical);
            return;
        }
    }
    // The full name, whatever folder the other program starts in.
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(written.path, ec);
    const std::string path = ec ? written.path : full.string();
    const QString program = toQ(settings.option.shell);
    const bool started = !program.isEmpty() && startProgram_ && startProgram_(program, {toQ(path)});
    if (!started) {
        parts_.dialogs.message(window_, Ui::tr(kLinkedAppMessage), MessageIcon::Critical);
        Q_EMIT optionsRequested(2);
    }
    linkedFiles_.record(path);
}

} // namespace wavory
