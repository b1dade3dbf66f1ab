#pragma once
// AboutDialog: the modal version dialog: the program's title and version, OK, and the
// system information button (there is no system information viewer on this platform).

#include <QDialog>

class QLabel;
class QPushButton;

namespace wavory {

class UserDialogs;

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

  private:
    void onSystemInfoClicked();

    UserDialogs& dialogs_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

} // namespace wavory
