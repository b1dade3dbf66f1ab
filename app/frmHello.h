#pragma once
// frmHello: the modal welcome dialog of a first start (and of every start while the
// option "Hello" is on). Its check box shows the option when the dialog opens; OK stores
// the check box back into it.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace wavory {

class frmHello : public QDialog {
    Q_OBJECT
  public:
    // hello is the option "Hello"; it must outlive the dialog.
    explicit frmHello(bool& hello, QWidget* parent = nullptr);

  private:
    void cmdOK_Click();

    bool& hello_;
    QCheckBox* chkNext_;
    QPushButton* cmdOK_;
};

} // namespace wavory
