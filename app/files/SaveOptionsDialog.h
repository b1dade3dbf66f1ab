#pragma once
// The common part of the two save option dialogs (JPEG, PNG): an option frame, the
// label "保存中..." and the OK and Cancel buttons. OK stores the options, shows
// "保存中...", disables the options and both buttons, runs the save while they stay
// so, and closes; Cancel, Esc and the close box close with dialogCancelled() true and
// the settings unchanged.

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace wavory {

class SaveOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    // Read right after the dialog has closed: true unless it closed through OK.
    bool dialogCancelled() const { return cancelled_; }

    // The save itself, run after OK while "保存中..." shows, before the dialog closes.
    void setSaveAction(std::function<void()> action) { save_ = std::move(action); }

    void reject() override;

  protected:
    explicit SaveOptionsDialog(QWidget* parent);

    // The frame the options go into (fraOption).
    QGroupBox* optionFrame() const { return fraOption_; }
    // Puts the frame, the label and the buttons in place; called once the frame is filled.
    void finishLayout();
    // OK: the dialog's values into the settings.
    virtual void storeOptions() = 0;

  private:
    void onOkClicked();

    std::function<void()> save_;
    bool cancelled_ = true;
    bool saving_ = false;
    QGroupBox* fraOption_;
    QLabel* lblProg_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

} // namespace wavory
