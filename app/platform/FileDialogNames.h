#pragma once
// The file names the main window's file dialogs remember between uses. Each dialog opens
// in the folder of its name; the settings file keeps those folders ("Path", "TxtPath",
// "CSetPath").

#include <QString>

#include <functional>

namespace wavory {

struct AppSettings;

struct FileDialogNames {
    QString image;    // the image save dialog (its folder is also the linked-application folder)
    QString text;     // dlgText: writing and reading parameter text files
    QString colorSet; // dlgGColor: color set files
};

// The remembered names with their folders in the settings.
class RememberedFileNames {
  public:
    enum class Dialog { Image, Text, ColorSet };

    // resourceFolder gives the folder of the shipped sample color sets.
    RememberedFileNames(AppSettings& settings, std::function<QString()> resourceFolder)
        : settings_(settings), resourceFolder_(std::move(resourceFolder)) {}

    FileDialogNames& names() { return names_; }
    // Until first set a name comes from the folder in the settings; a new "colorset"
    // folder in the program folder receives the sample sets when the dialog would open
    // there.
    QString name(Dialog which);
    // Remembers the name and stores its folder in the settings.
    void setName(Dialog which, const QString& fileName);

  private:
    AppSettings& settings_;
    std::function<QString()> resourceFolder_;
    FileDialogNames names_;
};

} // namespace wavory
