#pragma once
// ValueFrame: the main window's frame "形" (fraValue) — the eight component switches with
// their period and amplitude fields and up-down buttons, the power, the image center, the
// bleed, the ×2 / ½ commands and the random setting's button. It shows the parameter
// model and passes every edit to it; its controls are locked while a drawing runs, a
// component's fields also while the component is off.

#include "params/ParamFields.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace wavory {

class DrawSession;
class ParamController;
class ParamFieldKeys;
class UpDown;
class PictureWindow;

class ValueFrame : public QGroupBox {
    Q_OBJECT
  public:
    ValueFrame(ParamController& params, DrawSession& session, ParamFieldKeys& fieldKeys,
               PictureWindow& picture, QWidget* parent);

    // The controls show the model.
    void showModel();

    // The whole-set commands, pressed by their menu items too.
    QPushButton* cmdBig() const { return cmdBig_; }
    QPushButton* cmdSmall() const { return cmdSmall_; }
    QPushButton* cmdStrong() const { return cmdStrong_; }
    QPushButton* cmdWeak() const { return cmdWeak_; }
    QPushButton* cmdRndSet() const { return cmdRndSet_; }
    // The center marker follows the center fields.
    void moveCenterMarker();

  private:
    void buildComponents();
    void buildSide();

    ParamController& params_;
    DrawSession& session_;
    ParamFieldKeys& fieldKeys_;
    PictureWindow& picture_;

    std::array<QCheckBox*, kComponentCount> chkValue_{};
    std::array<QLineEdit*, kValueSlotCount> txtValue_{};
    std::array<UpDown*, kValueSlotCount> updValue_{};
    std::array<QLineEdit*, 2> txtCenter_{};
    QLineEdit* txtNizimi_ = nullptr;
    UpDown* updNizimi_ = nullptr;
    QPushButton* cmdBig_ = nullptr;
    QPushButton* cmdSmall_ = nullptr;
    QPushButton* cmdStrong_ = nullptr;
    QPushButton* cmdWeak_ = nullptr;
    QPushButton* cmdRndSet_ = nullptr;
};

} // namespace wavory
