#pragma once
// NewFolderDialog ("新規フォルダ"): asks for the name of a folder to make inside the
// animation's save folder. OK hands the typed name over; Cancel, Esc and the close box
// leave dialogCancelled() true.

#include <QDialog>

class QLineEdit;

namespace wavory {

class NewFolderDialog : public QDialog {
    Q_OBJECT
  public:
    explicit NewFolderDialog(QWidget* parent = nullptr);

    // Empties the field before the dialog opens again.
    void prepare();
    bool dialogCancelled() const { return cancelled_; }
    // The name typed (sFolderName), valid after OK.
    QString folderName() const { return folderName_; }

  private:
    void onOkClicked();

    QLineEdit* txtFolder_;
    QString folderName_;
    bool cancelled_ = true;
};

} // namespace wavory
