#pragma once
// frmMain: the main window. It holds the parameter controls, the color set list, the
// command buttons and the menu bar, shows the parameter model, and wires every command
// to the controller of its concern:
// - ParamController — the parameter model, the one source of drawing values;
// - DrawSession and DrawCommand — every drawing, and the draw command around it;
// - ColorSetController — the color sets and their files;
// - FileController and SaveController — parameter text files, dropped files, saving,
//   the clipboard and the linked application; HelpPages — the help pages;
// - StartupController — start-up and exit; WindowController — the other windows;
// - HistoryController and VariationController — the drawing history and the variations.
//
// Qt object names are the control names of the program; control arrays carry their
// index after an underscore: txtValue_0 … txtValue_17, updValue_0 … updValue_17,
// chkValue_0 … chkValue_7, labValue_0 / _1 / _6 / _8 / _9, txtCenter_0 and txtCenter_1.
// Menu actions carry the item names (mnuDraw, mnuUndo, …); top-level menus are QMenus
// named mnuFile, mnuPicture, mnuValue, mnuColor, mnuTool and mnuHelp.

#include "ColorSetController.h"
#include "DrawCommand.h"
#include "DrawSession.h"
#include "FileController.h"
#include "FileDialogNames.h"
#include "HelpPages.h"
#include "ParamController.h"
#include "SaveController.h"
#include "StartupController.h"
#include "WindowController.h"

#include "io/AppSettings.h"

#include <QIcon>
#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace wavory {

class ColorFrame;
class DrawOnChange;
class FileDrops;
class HistoryController;
class VariationController;
class ParamFieldKeys;
class RandomSource;
class TileViewController;
class UserDialogs;
class ValueFrame;
class frmAnim;
class frmButton;
class frmHelp;
class PictureDocument;
class frmPicture;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // random is the program's one generator (random setting and bleed noise).
    frmMain(UserDialogs& dialogs, RandomSource& random, QWidget* parent = nullptr);
    ~frmMain() override;

    // The windows, the controllers and what they share.
    frmPicture* picture() const { return picture_; }
    // The picture, its undo image and the drawing going over it.
    PictureDocument& document() const { return *document_; }
    frmButton* frameWindow() const { return button_; }
    frmHelp* helpWindow() const { return help_; }
    UserDialogs& dialogs() { return dialogs_; }
    RandomSource& random() { return random_; }
    // The persisted options.
    AppSettings& settings() { return settings_; }
    ParamController& params() { return *params_; }
    const ParamModel& model() const { return params_->model(); }
    ParamFields currentFields() const { return params_->fields(); }
    DrawSession& drawSession() { return *session_; }
    DrawOnChange& drawOnChange() { return *drawOnChange_; }
    TileViewController& tileViews() { return *tiles_; }
    HistoryController& history() { return *history_; }
    VariationController& variations() { return *variations_; }
    ColorSetCollection& colorSets() { return colorSets_->colorSets(); }
    FileController& fileController() { return *files_; }
    SaveController& saveController() { return *save_; }
    WindowController& windowController() { return *windows_; }
    FileDialogNames& fileDialogNames() { return fileNames_.names(); }

    // The image size: the picture window, its drawing surface and the size label.
    void SetImageSize(int width, int height) { params_->setImageSize(width, height); }

    // The draw command and what belongs to it.
    void cmdDraw_Click() { draw_->run(); }
    bool DrawCheck() { return draw_->check(); }
    void DrawStop() { session_->requestStop(); }
    bool isDrawing() const { return session_->isDrawing(); }
    void EnableParamControls(bool enabled) { session_->setControlsEnabled(enabled); }
    void mnuUndo_Click() { draw_->undo(); }
    // Every value field shows its slot.
    void ShowValues();
    void cmdRndSet_Click();
    void cmdSize_Click();

    // Parameter text files; help pages; the options dialog at a page (1 first, 2 the
    // linked application's path).
    bool InputText(const QString& fileName) { return files_->InputText(fileName); }
    bool OutputText(const QString& fileName) { return files_->OutputText(fileName); }
    void ShowHelpFile(const QString& topic) { helpPages_->show(topic); }
    void ShowOptionsAt(int page);

    // Saving and sharing.
    const std::vector<LinkedFile>& LinkedFiles() const { return save_->linkedFiles(); }
    void deleteUnchangedLinkedFiles() { save_->deleteUnchangedLinkedFiles(); }
    // Platform services, replaceable for tests.
    void setUrlOpener(std::function<bool(const QUrl&)> open) { helpPages_->setUrlOpener(open); }
    void setProgramStarter(std::function<bool(const QString&, const QStringList&)> start) {
        save_->setProgramStarter(std::move(start));
    }
    void setResourceFolder(const QString& folder) { helpPages_->setResourceFolder(folder); }

    // Start-up and exit.
    bool Form_Load(const QStringList& arguments) { return startup_->Form_Load(arguments); }
    int QuitApp() { return startup_->QuitApp(); }
    void setProcessEnd(std::function<void()> end) { startup_->setProcessEnd(std::move(end)); }
    void setLockFile(const QString& path) { startup_->setLockFile(path); }
    bool isFirstStart() const { return startup_->isFirstStart(); }

    // The other windows.
    void togglePictureWindow() { windows_->togglePictureWindow(); }
    void ShowHidefrmButton() { windows_->ShowHidefrmButton(); }
    void ShowHidefrmHelp() { windows_->ShowHidefrmHelp(); }
    void ArrangeWindows() { windows_->ArrangeWindows(); }
    QMargins frameEstimate() const { return windows_->frameEstimate(); }
    // A dialog the main window opens modally, with dropped files refused meanwhile.
    int showModal(QDialog& dialog);
    void mnuVersion_Click();
    // The animation window, loaded with the main window and only hidden when closed.
    frmAnim* animWindow() const { return anim_; }
    void mnuAnim_Click();

    // The color set list shows the collection's names and selection.
    void ShowColorSetList();
    // The main window's size at start-up, and its outer height once framed.
    void fitMainWindowSize();
    void fitMainWindowHeight();

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
    void buildPictureFrame();
    void buildMenus();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& key = {});
    void connectControllers();

    // The controls show the model.
    void refreshFromModel();
    void showImageSize(int width, int height);
    void setDrawButtonState(bool drawing);
    void forwardKey(int key, Qt::KeyboardModifiers modifiers);

    UserDialogs& dialogs_;
    RandomSource& random_;
    AppSettings settings_;

    PictureDocument* document_ = nullptr;
    frmPicture* picture_ = nullptr;
    frmButton* button_ = nullptr;
    frmHelp* help_ = nullptr;
    ParamController* params_ = nullptr;
    DrawSession* session_ = nullptr;
    HelpPages* helpPages_ = nullptr;
    RememberedFileNames fileNames_;
    ColorSetController* colorSets_ = nullptr;
    DrawCommand* draw_ = nullptr;
    DrawOnChange* drawOnChange_ = nullptr;
    TileViewController* tiles_ = nullptr;
    HistoryController* history_ = nullptr;
    VariationController* variations_ = nullptr;
    FileController* files_ = nullptr;
    SaveController* save_ = nullptr;
    FileDrops* drops_ = nullptr;
    ParamFieldKeys* fieldKeys_ = nullptr;
    WindowController* windows_ = nullptr;
    StartupController* startup_ = nullptr;
    frmAnim* anim_ = nullptr;
    std::array<QIcon, 2> drawImages_; // 0 draw, 1 stop

    // Controls.
    ValueFrame* fraValue_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    ColorFrame* Frame2_ = nullptr;
    QComboBox* cboMode_ = nullptr;
    QLabel* labSize_ = nullptr;
    QPushButton* cmdDraw_ = nullptr;

    // Menus.
    QMenu* mnuValue_ = nullptr;
    QMenu* mnuPicture_ = nullptr;
    QMenu* mnuColor_ = nullptr;
    QAction* mnuDraw_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuCopy_ = nullptr;
    QAction* mnuTile_ = nullptr;
    QAction* mnuPrintHelp_ = nullptr;
};

} // namespace wavory
