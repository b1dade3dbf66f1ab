#pragma once
// JpegOptionsDialog ("Jpeg保存時のオプション"): the JPEG quality (1..100) and the progressive flag,
// taken from and stored into the save settings JpegSaveQ and JpegSavePrgrs.

#include "SaveOptionsDialog.h"

#include "io/AppSettings.h"

class QCheckBox;
class QLabel;
class QScrollBar;

namespace wavory {

class JpegOptionsDialog : public SaveOptionsDialog {
    Q_OBJECT
  public:
    JpegOptionsDialog(AppSettings::PictureSection& settings, QWidget* parent = nullptr);

  protected:
    void storeOptions() override;

  private:
    AppSettings::PictureSection& settings_;
    QScrollBar* hscQ_;
    QLabel* labQ_;
    QCheckBox* chkPrgrs_;
};

} // namespace wavory
