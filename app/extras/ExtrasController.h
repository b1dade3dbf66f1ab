#pragma once
// ExtrasController: the commands of the menu "拡張(&X)" — making the pattern tile without
// a seam, exchanging color sets with GIMP, Krita and Inkscape through GIMP gradient (.ggr)
// and palette (.gpl) files, making a color set from a picture's colours, and opening the
// drawing history and the variations.

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace wavory {

class ColorSetController;
class HistoryController;
class ParamController;
class VariationController;
class UserDialogs;

class ExtrasController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        ColorSetController& colorSets;
        UserDialogs& dialogs;
        HistoryController& history;
        VariationController& variations;
    };
    // window: the parent of the dialogs and messages.
    ExtrasController(const Parts& parts, QWidget* window);

    // Puts the commands into the menu "拡張(&X)".
    void fillMenu(QMenu* menu);

    // "継ぎ目なしにする": the parameters change, then the user is told what was switched off.
    void makeSeamless();
    // Reads a .ggr or .gpl file as a new color set, selected.
    void importGimpColorSet();
    // Writes the selected set as a GIMP gradient or palette.
    void exportGimpGradient();
    void exportGimpPalette();
    // A new color set of `count` points from a PNG, JPEG or BMP picture.
    void colorSetFromImage(int count);

  private:
    void exportSelected(bool gradient);
    // The file dialog in the folder last used by these commands; empty when cancelled.
    QString chooseFile(bool save, const QString& filters, const QString& name);

    Parts parts_;
    QWidget* window_;
    QString folder_; // the folder of the last file chosen here, with its final "/"
};

} // namespace wavory
