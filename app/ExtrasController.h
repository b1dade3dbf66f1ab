#pragma once
// ExtrasController: the commands of the menu "拡張(&X)" — making the pattern tile without
// a seam, and exchanging color sets with other painting programs' gradient and palette
// files.

#include <QObject>

class QWidget;

namespace wavory {

class ColorSetController;
class ParamController;
class UserDialogs;

class ExtrasController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        ColorSetController& colorSets;
        UserDialogs& dialogs;
    };
    // window: the parent of the dialogs and messages.
    ExtrasController(const Parts& parts, QWidget* window);

    // "継ぎ目なしにする": the parameters change, then the user is told what was switched off.
    void makeSeamless();

  private:
    Parts parts_;
    QWidget* window_;
};

} // namespace wavory
