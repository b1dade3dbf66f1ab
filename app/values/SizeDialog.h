#pragma once
// SizeDialog: the modal image size dialog. OK accepts a width and height of 4 to 3000
// pixels and hands them to the main window; anything else is refused with a message and
// the dialog stays open.

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace wavory {

class UpDown;
class UserDialogs;

class SizeDialog : public QDialog {
    Q_OBJECT
  public:
    // apply receives the accepted width and height.
    SizeDialog(UserDialogs& dialogs, std::function<void(int, int)> apply,
               QWidget* parent = nullptr);

    // Fills the boxes with the current image size before the dialog opens.
    void prepare(int width, int height);

  private:
    void ok();
    void step(QLineEdit* field, int delta);

    UserDialogs& dialogs_;
    std::function<void(int, int)> apply_;
    QLineEdit* txtWidth_;
    QLineEdit* txtHeight_;
    UpDown* updWidth_;
    UpDown* updHeight_;
    QCheckBox* chkXYFix_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

} // namespace wavory
