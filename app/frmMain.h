#pragma once
// frmMain: the main window. It holds the drawing parameters (mirroring a ParamModel),
// the color set list, every command button and the menu bar, and runs the draw command.
//
// Qt object names are the control names of the program; control arrays carry their
// index after an underscore: txtValue_0 … txtValue_17, updValue_0 … updValue_17,
// chkValue_0 … chkValue_7, labValue_0 / _1 / _6 / _8 / _9, txtCenter_0 and txtCenter_1.
// Menu actions carry the item names (mnuDraw, mnuUndo, …); top-level menus are QMenus
// named mnuFile, mnuPicture, mnuValue, mnuColor, mnuTool and mnuHelp.

#include "LinkedFiles.h"
#include "FileDialogNames.h"

#include "colorsets/ColorSetCollection.h"
#include "common/RandomSource.h"
#include "io/AppSettings.h"
#include "params/ParamModel.h"
#include "params/RandomSetting.h"

#include <QIcon>
#include <QMainWindow>
#include <QMargins>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollBar;
class QUrl;

namespace wavory {

class frmButton;
class frmHelp;
class frmPicture;
class GradientView;
class SingleInstance;
class UpDown;
class UserDialogs;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // random is the program's one generator (random setting and bleed noise).
    frmMain(UserDialogs& dialogs, RandomSource& random, QWidget* parent = nullptr);
    ~frmMain() override;

    frmPicture* picture() const { return picture_; }
    frmButton* frameWindow() const { return button_; }
    frmHelp* helpWindow() const { return help_; }
    ColorSetCollection& colorSets() { return colorSets_; }
    const ParamModel& model() const { return model_; }
    // The persisted options; the draw command reads DrewBeep and ActiveAfterDrawing, the
    // random setting DrawOnRnd, RndSetBS, RndSetSW and the DoRndSet flags.
    AppSettings& settings() { return settings_; }

    // Every parameter as the windows show it (main window, frame window, image size).
    ParamFields currentFields() const;
    // Shows a whole parameter set in the windows (the value slots follow changed texts).
    void applyFields(const ParamFields& fields);

    // The image size: the picture window, its drawing surface and the size label.
    void SetImageSize(int width, int height);

    // Component check; shows "成分が一つも選択されていません。" when all switches are off.
    bool DrawCheck();
    void DrawStop();
    bool isDrawing() const { return drawing_; }
    // The draw command (button, F5, Enter in a field, random setting).
    void cmdDraw_Click();
    // Locks (false) or unlocks (true) everything that feeds a drawing.
    void EnableParamControls(bool enabled);
    // ShowValues: every value field shows its slot.
    void ShowValues();

    // The random setting (button and menu), the image size command, undo.
    void cmdRndSet_Click();
    void cmdSize_Click();
    void mnuUndo_Click();

    // Reads a parameter text file into the windows and draws; false on failure.
    bool InputText(const QString& fileName);

    void ShowHidefrmButton();
    void togglePictureWindow();

    // Color set commands (frmMain_colorsets.cpp). The add and copy commands undo their new
    // set when the editor is cancelled.
    void cmdAddGColor_Click();
    void mnuCopyGColor_Click();
    void cmdGColorEdit_Click();
    void cmdRemoveGColor_Click();
    void mnuGcolorInit_Click();
    // Opens the color set editor on the set at vEditGCnt, modally, with file drops off;
    // true when it was cancelled.
    bool ShowColorEditor(int vEditGCnt, bool blnCopyAddFlg);
    // Color set files: the menu commands with the dialog dlgGColor, and the reading used by
    // them and by dropped ".cst" files.
    void mnuGColorLoad_Click();
    void mnuGColorSave_Click();
    void mnuGColorAllSave_Click();
    void LoadColorSetFile(const QString& path);

    // Image saving, clipboard, linked application (frmMain_save.cpp).
    void SaveImage();
    void mnuCopy_Click();
    void mnuShell_Click();
    // The files written for the linked application, with their times after writing.
    const std::vector<LinkedFile>& LinkedFiles() const { return linkedFiles_.files(); }
    // At exit: deletes the recorded files the linked application did not save again.
    void deleteUnchangedLinkedFiles();

    // Parameter text files, dropped files, help, options (frmMain_files.cpp).
    // Writes the parameters as the windows show them; false after the failure message.
    bool OutputText(const QString& fileName);
    void mnuOutputText_Click();
    void mnuInputText_Click();
    // Each file in order: ".cst" (exactly) to LoadColorSetFile, anything else to InputText.
    void handleDroppedFiles(const QStringList& files);
    // Opens resources + "help/" + topic with the default handler ("..\help.htm" is the
    // contents page beside the help folder).
    void ShowHelpFile(const QString& topic);
    // The options dialog at a page (1 first, 2 the linked application's path).
    void ShowOptionsAt(int page);

    // The remembered file names of the three file dialogs: the image save dialog dlg1,
    // the parameter text dialog dlgText and the color set dialog dlgGColor. Until first set
    // they come from the folders in the settings (Path, TxtPath, CSetPath); setting one
    // stores its folder there.
    enum class FileDialog { Image, Text, ColorSet };
    QString dialogFileName(FileDialog which);
    void setDialogFileName(FileDialog which, const QString& fileName);

    // Platform services, replaceable for tests: the default handler of a file, starting a
    // program with arguments, the folder of the shipped resources.
    void setUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }
    void setProgramStarter(std::function<bool(const QString&, const QStringList&)> start) {
        startProgram_ = std::move(start);
    }
    void setResourceFolder(const QString& folder) { resourceFolder_ = folder; }
    QString resourceFolder() const;
    // ---- Start-up, exit and the windows as a whole (frmMain_startup.cpp,
    // frmMain_windows.cpp).

    // Start-up up to showing the main window; the first drawing (from the command line,
    // "Graphic.ini" or a random setting) follows from the event loop and ends with
    // startupFinished. False when another copy of the program runs: the refusal has been
    // shown, no file was touched and the caller ends the process.
    bool Form_Load(const QStringList& arguments);
    // The exit procedure: 1 when the user cancelled (the main window stays open);
    // otherwise everything is saved and the process is ended (0 is returned only when the
    // process end was replaced, as in tests).
    int QuitApp();
    // What ends the process at the end of QuitApp; by default every window is hidden and
    // the event loops are left.
    void setProcessEnd(std::function<void()> end) { processEnd_ = std::move(end); }
    bool isFirstStart() const { return firstStart_; }

    // The file names the file dialogs remember.
    FileDialogNames& fileDialogNames() { return dialogFileNames_; }

    // The easy help window toggle; ArrangeWindows puts the help, frame and picture windows
    // around the main window.
    void ShowHidefrmHelp();
    void ArrangeWindows();
    // The frame of a window the window manager has framed already, for those not framed
    // yet (zero without a window manager).
    QMargins frameEstimate() const;
    // Shows a dialog the main window opens modally, with dropped files refused meanwhile.
    int showModal(QDialog& dialog);
    // The version dialog.
    void mnuVersion_Click();

  Q_SIGNALS:
    // A drawing has finished (after the controls are unlocked again).
    void drawingFinished();
    // Start-up is complete: the first drawing has been made or refused.
    void startupFinished();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    // Opens the editor on a set the add or copy command just appended (nothing when
    // `added` is -1); cancelling removes it again and selects `previous`.
    void editAddedColorSet(int added, int previous);
    // The color set file dialog dlgGColor, proposing `nameInFolder` in the folder last
    // used; the chosen name, empty when cancelled.
    QString chooseColorSetFile(bool save, const QString& nameInFolder);

    // Start-up and exit.
    void FirstDrawing(const QStringList& arguments);
    void listColorSets();
    void showWelcome(bool& hello);
    // Minimizing or restoring the main window takes the visible other windows along.
    void followWindowState();
    // Gives the main window its outer height.
    void fitMainWindowHeight();
    // The main window's place on a first start: the group of windows centred on the screen.
    void placeFirstStart();

    // Layout.
    void buildValueFrame();
    void buildPictureFrame();
    void buildColorFrame();
    void buildMenus();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& key = {});
    void markPending(QObject* command);
    void setCommandEnabled(QObject* command, bool enabled);
    // Connects a command whose work has arrived and takes it out of the pending ones.
    void activateCommand(const char* name, const std::function<void()>& handler);
    void connectColorSetCommands();
    void connectFileCommands();
    // The color set list shows the collection's names and selection.
    void ShowColorSetList();
    // Drops of files on the window, its frames and its fields.
    bool acceptsFileDrop(const QMimeData* data) const;
    void dropFiles(const QMimeData* data);

    // Parameter handlers.
    void refreshFromModel();
    void chkValue_Click(int k);
    void txtValue_Change(int i);
    void txtCenter_Change(int j);
    void hscIso_Change(bool committed);
    void DrawGradBar();
    void drawByEnter(QLineEdit* field);
    void cbogColor_Click(int index);
    void forwardKey(int key, Qt::KeyboardModifiers modifiers);

    // The drawing itself, on a worker thread while the user interface keeps running.
    void DrawMain();
    void setDrawButtonState(bool drawing);

    UserDialogs& dialogs_;
    RandomSource& random_;
    ParamModel model_;
    ColorSetCollection colorSets_;
    AppSettings settings_;

    frmPicture* picture_ = nullptr;
    frmButton* button_ = nullptr;
    frmHelp* help_ = nullptr;

    // Start-up and exit.
    std::unique_ptr<SingleInstance> instance_;
    std::function<void()> processEnd_;
    FileDialogNames dialogFileNames_;
    bool firstStart_ = false;
    bool quitting_ = false;

    // Sharing: dialog file names, linked files, platform services.
    LinkedFileList linkedFiles_;
    std::function<bool(const QUrl&)> openUrl_;
    std::function<bool(const QString&, const QStringList&)> startProgram_;
    QString resourceFolder_;

    // Drawing state.
    bool drawing_ = false;
    std::atomic<bool> stop_{false};
    QLineEdit* focusReturnField_ = nullptr;
    bool startedByEnter_ = false;
    std::array<QIcon, 2> drawImages_; // 0 draw, 1 stop
    bool refreshing_ = false;

    // Controls.
    QGroupBox* fraValue_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QGroupBox* Frame2_ = nullptr;
    std::array<QCheckBox*, kComponentCount> chkValue_{};
    std::array<QLineEdit*, kValueSlotCount> txtValue_{};
    std::array<UpDown*, kValueSlotCount> updValue_{};
    std::array<QLineEdit*, 2> txtCenter_{};
    QLineEdit* txtNizimi_ = nullptr;
    UpDown* updNizimi_ = nullptr;
    QScrollBar* hscIso_ = nullptr;
    QLabel* labISO_ = nullptr;
    QComboBox* cboMode_ = nullptr;
    QLabel* labSize_ = nullptr;
    QComboBox* cbogColor_ = nullptr;
    QLabel* labGColor_ = nullptr;
    GradientView* picGrad_ = nullptr;
    QPushButton* cmdDraw_ = nullptr;
    QPushButton* cmdRndSet_ = nullptr;
    QPushButton* cmdBig_ = nullptr;
    QPushButton* cmdSmall_ = nullptr;
    QPushButton* cmdStrong_ = nullptr;
    QPushButton* cmdWeak_ = nullptr;
    QPushButton* cmdSize_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdGColorEdit_ = nullptr;
    QPushButton* cmdAddGColor_ = nullptr;
    QPushButton* cmdRemoveGColor_ = nullptr;
    QLabel* labCenter_ = nullptr;
    QLabel* labNizimi_ = nullptr;
    QLabel* labMode_ = nullptr;

    // Menus.
    QMenu* mnuFile_ = nullptr;
    QMenu* mnuPicture_ = nullptr;
    QMenu* mnuValue_ = nullptr;
    QMenu* mnuColor_ = nullptr;
    QMenu* mnuTool_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    QAction* mnuDraw_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuPictureWindow_ = nullptr;
    QAction* mnuButton_ = nullptr;
    QAction* mnuEasyHelp_ = nullptr;
};

} // namespace wavory
