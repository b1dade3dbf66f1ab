#pragma once
// ColorSetController: the color set commands of the main window — add, copy, edit, remove,
// initialize, and reading and writing color set files — over the program's collection of
// color sets. The collection's selection is the parameter model's color set.

#include "colorsets/ColorSetCollection.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace wavory {

class HelpPages;
class ParamController;
class RandomSource;
class RememberedFileNames;
class UserDialogs;

class ColorSetController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        UserDialogs& dialogs;
        RandomSource& random;
        RememberedFileNames& fileNames;
        HelpPages& help;
    };
    // window: the parent of the editor, the file dialog and the messages.
    ColorSetController(const Parts& parts, QWidget* window);

    ColorSetCollection& colorSets() { return colorSets_; }
    const ColorSetCollection& colorSets() const { return colorSets_; }

    // The add and copy commands undo their new set when the editor is cancelled.
    void add();
    void copy();
    void edit();
    void remove();
    void initialize();
    // Opens the color set editor on the set at index, modally; true when it was cancelled.
    bool showEditor(int index, bool addedOrCopied);

    // The color set file commands with the dialog dlgGColor, and the reading used by them
    // and by dropped ".cst" files.
    void load();
    void save();
    void saveAll();
    void loadFile(const QString& path);

    // The list position of a set with these colours: `preferred` when it holds them, else
    // the first that does, else the set is added (and the list told). -1 when it cannot
    // be added (the user has been told why).
    int indexForSet(const GColor& set, int preferred);

  Q_SIGNALS:
    // The names or the selection changed: the list shows the collection again.
    void listChanged();
    // The editor wrote the set at index (its name may be new).
    void setWritten(int index);
    // The selection moved to index.
    void selectionChanged(int index);

  private:
    // Opens the editor on a set the add or copy command just appended (nothing when
    // `added` is -1); cancelling removes it again and selects `previous`.
    void editAdded(int added, int previous);
    // The file dialog, proposing `nameInFolder` in the folder last used; the chosen
    // name, empty when cancelled.
    QString chooseFile(bool save, const QString& nameInFolder);

    Parts parts_;
    QWidget* window_;
    ColorSetCollection colorSets_;
};

} // namespace wavory
