#pragma once
// ColorEditorWindow: the modal color set editor ("色セットの編集"). It edits a copy of one set of
// the collection (name, number of points, level exponent, the color of every point) with
// a live preview; OK writes the copy into the set, Cancel throws it away.
//
// Use: construct one editor per opening, setEditedIndex (and setCopiedOrAdded), exec(); then
// cancelled() tells whether the set was written. The set is loaded when the editor is
// first shown.
//
// Object names follow the program's controls: txtName, cboNum, cboLevel, chkEdge,
// cmdRnd, cmdOK, cmdCancel, cmdHelp, picGrad, picPoint_0 … picPoint_11, linPoint_0 …
// linPoint_11, the frames fraName, fraNum, fraLevel, fraColorChange, and the menu
// mnuColorTone with mnuBrightness, mnuNega, mnuRotate and mnuMono.

#include "ColorPointRow.h"

#include "colorsets/GColor.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace wavory {

class ColorSetCollection;
class RandomSource;
class UserDialogs;

class ColorEditorWindow : public QDialog {
    Q_OBJECT
  public:
    using Points = ColorPointRow::Points;

    // random is the program's one generator (for "ランダム決定").
    ColorEditorWindow(UserDialogs& dialogs, ColorSetCollection& collection, RandomSource& random,
             QWidget* parent = nullptr);

    // Position of the set to edit; set before the editor opens.
    int editedIndex() const { return editedIndex_; }
    void setEditedIndex(int index) { editedIndex_ = index; }
    // True when the set was just made by the add or copy command (informational).
    bool copiedOrAdded() const { return copyAddFlg_; }
    void setCopiedOrAdded(bool on) { copyAddFlg_ = on; }

    // After the editor has closed: false only when OK wrote the edits into the set. The
    // close box and Esc cancel like the キャンセル button.
    bool cancelled() const { return cancelled_; }

    // "ヘルプ" and F1 ask for the help page "gcolor.htm".
    void setHelpFileHandler(std::function<void(const QString& page)> handler) {
        helpFile_ = std::move(handler);
    }
    // The easy-help topic of the part of the editor under the mouse (0 for its background).
    void setEasyHelpHandler(std::function<void(int topic)> handler) {
        easyHelp_ = std::move(handler);
    }

    // The preview and the color points being edited: their number, level and colors.
    const ColorPointRow& pointRow() const { return *pointRow_; }

    // Loads the set at editedIndex into the editor.
    void loadEditedSet();
    // With edge matching on, the last point takes the color of point 0; then the preview
    // and the tooltips are refreshed.
    void applyEdgeMatch();

  Q_SIGNALS:
    // OK wrote the edits into the set at `index` (its name in the list may have changed).
    void colorSetWritten(int index);

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void buildControls();
    void buildMenu();
    void watchChildren();
    void load();

    void onPointCountChosen(int index);
    void onLevelChosen(int index);
    void onPointClicked(int i);
    void onNameChanged(const QString& text);
    void onRandomClicked();
    void onOkClicked();
    void onHelpClicked();
    void onBrightnessTriggered();
    void onNegativeTriggered();
    void onRotateTriggered();
    void onMonoTriggered();

    void reportTopic(QObject* watched);

    UserDialogs& dialogs_;
    ColorSetCollection& collection_;
    RandomSource& random_;
    std::function<void(const QString&)> helpFile_;
    std::function<void(int)> easyHelp_;

    int editedIndex_ = 0;
    bool copyAddFlg_ = false;
    bool cancelled_ = true;
    bool loaded_ = false;
    // The name as last accepted, to cut what is typed or pasted beyond 24 bytes.
    std::string acceptedName_;
    QColor lastChosen_;

    QGroupBox* fraName_ = nullptr;
    QGroupBox* fraNum_ = nullptr;
    QGroupBox* fraLevel_ = nullptr;
    QGroupBox* fraColorChange_ = nullptr;
    ColorPointRow* pointRow_ = nullptr;
    QLineEdit* txtName_ = nullptr;
    QComboBox* cboNum_ = nullptr;
    QComboBox* cboLevel_ = nullptr;
    QCheckBox* chkEdge_ = nullptr;
    QPushButton* cmdRnd_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QAction* mnuBrightness_ = nullptr;
    QAction* mnuNega_ = nullptr;
    QAction* mnuRotate_ = nullptr;
    QAction* mnuMono_ = nullptr;
};

} // namespace wavory
