#pragma once
// WelcomeDialog: the modal welcome dialog of a first start (and of every start while the
// option "Hello" is on). Its check box shows the option when the dialog opens; OK stores
// the check box back into it.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace wavory {

class WelcomeDialog : public QDialog {
    Q_OBJECT
  public:
    // hello is the option "Hello"; it must outlive the dialog.
    explicit WelcomeDialog(bool& hello, QWidget* parent = nullptr);

  private:
    void onOkClicked();

    bool& hello_;
    QCheckBox* chkNext_;
    QPushButton* cmdOK_;
};

} // namespace wavory
