#pragma once
// AnimSaveGroup: the animation window's save group ("保存", fraSave) — the folder tree
// with its new-folder command, the base name, the start number and digit count of a
// numbered series, the file kind, and the save and stop buttons standing in one place.
// The start number and digit count are greyed out for a single animated file, the
// video quality for everything but a video.

#include "io/AppSettings.h"

#include <QGroupBox>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace wavory {

class FolderTree;
class UserDialogs;
class NewFolderDialog;
// The file kinds, in the order of the format list.
enum class AnimSaveFormat { BmpSeries = 0, WebP = 1, Gif = 2, Mp4 = 3, WebM = 4 };
inline constexpr int kAnimSaveFormatCount = 5;

inline bool isVideoFormat(AnimSaveFormat format) {
    return format == AnimSaveFormat::Mp4 || format == AnimSaveFormat::WebM;
}

class AnimSaveGroup : public QGroupBox {
    Q_OBJECT
  public:
    // window: the animation window, parent of the group and of its dialogs.
    AnimSaveGroup(UserDialogs& dialogs, QWidget* window);

    FolderTree* folderTree() const { return dirSave_; }
    NewFolderDialog* createFolderDialog() const { return createFolder_; }
    QPushButton* saveButton() const { return cmdSave_; }
    QPushButton* stopButton() const { return cmdSaveStop_; }
    QLineEdit* numberFromField() const { return txtNumberFrom_; }

    AnimSaveFormat saveFormat() const;
    // The digits of the numbers in the file names (1 to 8), and their choice by index.
    int digitCount() const;
    void setDigitIndex(int index);
    // The chosen folder and base name: the start of every file name.
    std::string base() const;
    // The quality of a video, kMinVideoQuality to kMaxVideoQuality.
    int videoQuality() const;

    // The controls, with the numbering greyed out for a single animated file.
    void enableControls(bool enabled);

    // The persisted values of the group's controls, in section "Anim".
    void loadSettings(const AppSettings::AnimSection& anim);
    void storeSettings(AppSettings::AnimSection& anim) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void createFolder();
    void leaveNumberFromField();

    UserDialogs& dialogs_;
    NewFolderDialog* createFolder_;
    QLabel* lblPath_;
    FolderTree* dirSave_;
    QPushButton* cmdCreateFolder_;
    QLabel* lblName_;
    QLineEdit* txtName_;
    QLabel* lblNumber_;
    QLineEdit* txtNumberFrom_;
    QComboBox* cboNumber_;
    QLabel* lblFormat_;
    QComboBox* cboFormat_;
    QLabel* lblQuality_;
    QSpinBox* spnQuality_;
    QPushButton* cmdSave_;
    QPushButton* cmdSaveStop_;
};

} // namespace wavory
