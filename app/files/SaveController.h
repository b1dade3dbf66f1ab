#pragma once
// SaveController: what leaves the program as an image — saving the picture (the dialog
// dlg1 and the JPEG and PNG option dialogs, the parameters beside it when so
// configured), copying it to the clipboard, and handing it to the linked application,
// whose files are deleted at exit when it did not change them.

#include "LinkedFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace wavory {

class FileController;
class RememberedFileNames;
class UserDialogs;
class PictureDocument;
struct AppSettings;

class SaveController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        PictureDocument& document;
        AppSettings& settings;
        RememberedFileNames& fileNames;
        FileController& files;
        UserDialogs& dialogs;
    };
    SaveController(const Parts& parts, QWidget* window);

    void saveImage();
    void onCopyTriggered();
    void onShellTriggered();

    // The files written for the linked application, with their times after writing.
    const std::vector<LinkedFile>& linkedFiles() const { return linkedFiles_.files(); }
    // At exit: deletes the recorded files the linked application did not save again.
    void deleteUnchangedLinkedFiles() { linkedFiles_.deleteUnchanged(); }

    // Starting a program with arguments; replaceable for tests.
    void setProgramStarter(std::function<bool(const QString&, const QStringList&)> start) {
        startProgram_ = std::move(start);
    }

  Q_SIGNALS:
    // The linked application could not be started: the options at its page.
    void optionsRequested(int page);

  private:
    Parts parts_;
    QWidget* window_;
    LinkedFileList linkedFiles_;
    std::function<bool(const QString&, const QStringList&)> startProgram_;
};

} // namespace wavory
