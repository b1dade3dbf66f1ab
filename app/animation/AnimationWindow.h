#pragma once
// AnimationWindow ("アニメーション"): the simple animation window, opened modally from the main
// window's menu and only hidden when closed, so its frames and fields stay for the run.
// The create group steps the phase shift over a range and draws one frame per step
// (AnimFrames); the save group writes the frames as a numbered BMP series or as one
// animated WebP or GIF file (AnimSaver); the preview plays them (AnimationPreview).
//
// The window switches its controls for each state (empty, creating, complete, stopped,
// saving, closed); nowDrawing and nowSaving are cleared to stop the running loop.

#include "AnimFrames.h"
#include "AnimSaveGroup.h"
#include "AnimSaver.h"

#include "io/AppSettings.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wavory {

class DrawCommand;
class FolderTree;
class HelpPages;
class UpDown;
class AnimationPreview;
class NewFolderDialog;

class AnimationWindow : public QDialog {
    Q_OBJECT
  public:
    struct Parts {
        AnimFrames::Parts frames;
        AnimSaver::Parts saver;
        DrawCommand& draw; // its parameter check
        HelpPages& help;
    };
    // parent: the main window.
    AnimationWindow(const Parts& parts, QWidget* parent);
    ~AnimationWindow() override;

    // The frames of the last completed animation (saving replaces it with the frame
    // field's value); 0 before any.
    int frame = 0;
    bool nowDrawing = false;
    bool nowSaving = false;

    void onDrawClicked();
    void onDrawStopClicked();
    void onPreviewClicked();
    void onCloseClicked();
    void onSaveClicked();
    void onSaveStopClicked();
    void onHelpClicked();

    // Making or saving frames.
    bool isBusy() const { return nowDrawing || nowSaving; }
    // The program is ending or the window closes: the running creation or save stops after
    // its current frame.
    void stopWork();

    // The persisted values of section "Anim" into the controls and back.
    void loadSettings(const AppSettings::AnimSection& anim);
    void storeSettings(AppSettings::AnimSection& anim) const;

    AnimFrames& frames() { return *frames_; }
    AnimationPreview* preview() const { return preview_; }
    AnimSaveGroup* saveGroup() const { return fraSave_; }

  Q_SIGNALS:
    // A creation or a save has ended.
    void idle();

  protected:
    void reject() override; // Esc and the close box close like cmdClose
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void buildCreateGroup();
    void connectControls();
    void showProgress(const QString& text);
    void setSaving(bool saving);
    void step(QLineEdit* field, int delta, int low, int high);
    void leaveFrameField();

    Parts parts_;
    std::unique_ptr<AnimFrames> frames_;
    std::unique_ptr<AnimSaver> saver_;
    AnimationPreview* preview_;

    QGroupBox* fraFrame_;
    QLabel* lblIso_;
    QLineEdit* txtIsoFrom_;
    UpDown* updIsoFrom_;
    QLabel* lblIsoFrom_;
    QLineEdit* txtIsoTo_;
    UpDown* updIsoTo_;
    QLabel* lblIsoTo_;
    QLineEdit* txtFrame_;
    UpDown* updFrame_;
    QLabel* lblFrame_;
    QPushButton* cmdDraw_;
    QPushButton* cmdDrawStop_;
    QPushButton* cmdPreview_;

    AnimSaveGroup* fraSave_;

    QLabel* lblProg_;
    QPushButton* cmdClose_;
    QPushButton* cmdHelp_;
    std::string drive_;   // "Drive": kept as read, no drives here
    bool closed_ = false; // closed since it was last shown
};

} // namespace wavory
