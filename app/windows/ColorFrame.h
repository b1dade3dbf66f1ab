#pragma once
// ColorFrame: the main window's frame "色" (Frame2) — the color set list with its
// gradient bar, the phase shift, and the edit, add and remove buttons. The list shows
// the collection's names and selection, the bar the selected set at the phase shift;
// a choice in the list selects the set, and the phase goes into the parameter model.

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace wavory {

class ColorSetController;
class DrawSession;
class GradientView;
class ParamController;

class ColorFrame : public QGroupBox {
    Q_OBJECT
  public:
    ColorFrame(ColorSetController& colorSets, ParamController& params, DrawSession& session,
               QWidget* parent);

    // The controls show the model's phase and color set.
    void showModel();
    // The list shows the collection's names and selection (showColorSetList).
    void showList();

    QPushButton* cmdGColorEdit() const { return cmdGColorEdit_; }
    QPushButton* cmdAddGColor() const { return cmdAddGColor_; }
    QPushButton* cmdRemoveGColor() const { return cmdRemoveGColor_; }

  private:
    void showPhase(bool committed);
    void showSelection(int index);
    void drawGradientBar();

    ColorSetController& colorSets_;
    ParamController& params_;
    QComboBox* cbogColor_;
    GradientView* picGrad_;
    QLabel* labISO_;
    QScrollBar* hscIso_;
    QPushButton* cmdGColorEdit_;
    QPushButton* cmdAddGColor_;
    QPushButton* cmdRemoveGColor_;
};

} // namespace wavory
