#pragma once
// OptionsDialog: the modal options dialog ("オプション"). Three tabs: which parameter groups
// the random setting changes and the tendency pad; the linked application's path; seven
// on/off options. OK stores the entries into the settings in memory, refusing a dialog
// without any random group or with a path that names no program; Cancel stores nothing.
// Ctrl+Tab goes to the next tab (from the last to the first), F1 opens the help page.

#include "io/AppSettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace wavory {

class TendencyPad;
class UserDialogs;

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    // The controls are filled from `options`, which OK writes back.
    OptionsDialog(AppSettings::OptionSection& options, UserDialogs& dialogs,
               QWidget* parent = nullptr);

    // Selects tab 1 to 3 and shows its page; other numbers change nothing.
    void setTabPage(int page);
    // The selected tab, 1 to 3.
    int tabPage() const;

    TendencyPad* pad() const { return picRndSet_; }

  Q_SIGNALS:
    void helpFileRequested(const QString& topic);

  protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    QWidget* buildRandomPage();
    QWidget* buildLinkPage();
    QWidget* buildGeneralPage();
    void showSelectedPage();
    void nextTab();
    void onReferenceClicked();
    void onOkClicked();

    // The seven options and the check boxes that show them.
    struct OptionBox {
        const char* name;
        const char* caption;
        int topic;
        bool AppSettings::OptionSection::*setting;
    };
    static const std::array<OptionBox, 7> kOptionBoxes;

    AppSettings::OptionSection& options_;
    UserDialogs& dialogs_;
    QTabWidget* tbsOptions_;
    QGroupBox* fraDoRndSet_;
    std::array<QCheckBox*, RandomGroupCount> chkRndSet_{};
    TendencyPad* picRndSet_;
    QLineEdit* txtPath_;
    std::array<QCheckBox*, 7> chkOption_{};
};

} // namespace wavory
