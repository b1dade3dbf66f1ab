#pragma once
// The file names the main window's file dialogs remember between uses. Each dialog opens
// in the folder of its name; the settings file keeps those folders ("Path", "TxtPath",
// "CSetPath").

#include <QString>

namespace wavory {

struct FileDialogNames {
    QString image;    // the image save dialog (its folder is also the linked-application folder)
    QString text;     // dlgText: writing and reading parameter text files
    QString colorSet; // dlgGColor: color set files
};

} // namespace wavory
