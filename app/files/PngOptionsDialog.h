#pragma once
// PngOptionsDialog (caption a single blank): the PNG save mode, one of three option buttons,
// taken from and stored into the save setting PNGSaveQ.

#include "SaveOptionsDialog.h"

#include "io/AppSettings.h"
#include "io/PngMode.h"

#include <array>

class QRadioButton;

namespace wavory {

class PngOptionsDialog : public SaveOptionsDialog {
    Q_OBJECT
  public:
    PngOptionsDialog(AppSettings::PictureSection& settings, QWidget* parent = nullptr);

  protected:
    void storeOptions() override;

  private:
    AppSettings::PictureSection& settings_;
    std::array<QRadioButton*, kPngModeCount> optQuality_{};
};

} // namespace wavory
