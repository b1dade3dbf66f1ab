#pragma once
// MainWindow: the main window. It holds the parameter controls, the color set list, the
// command buttons and the menu bar, shows the parameter model, and wires every command
// to the controller of its concern:
// - ParamController — the parameter model, the one source of drawing values;
// - DrawSession and DrawCommand — every drawing, and the draw command around it;
// - ColorSetController — the color sets and their files;
// - FileController and SaveController — parameter text files, dropped files, saving,
//   the clipboard and the linked application; HelpPages — the help pages;
// - StartupController — start-up and exit; WindowController — the other windows;
// - HistoryController and ExtrasController — the drawing history and the menu "拡張(&X)".
// ProgramRoot makes the window, then its parts, and hands them over with build().
//
// Qt object names are the control names of the program; control arrays carry their
// index after an underscore: txtValue_0 … txtValue_17, updValue_0 … updValue_17,
// chkValue_0 … chkValue_7, labValue_0 / _1 / _6 / _8 / _9, txtCenter_0 and txtCenter_1.
// Menu actions carry the item names (mnuDraw, mnuUndo, …); top-level menus are QMenus
// named mnuFile, mnuPicture, mnuValue, mnuColor, mnuTool and mnuHelp.

#include <QIcon>
#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace wavory {

class ColorFrame;
class ColorSetController;
class DrawCommand;
class DrawOnChange;
class DrawSession;
class ExtrasController;
class FileController;
class FileDrops;
class HelpPages;
class HistoryController;
class ParamController;
class ParamFieldKeys;
class SaveController;
class StartupController;
class TileViewController;
class UserDialogs;
class ValueFrame;
class WindowController;
class AnimationWindow;
class FrameWindow;
class EasyHelpWindow;
class PictureDocument;
class PictureWindow;
struct AppSettings;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // What the main window's controls and menus reach.
    struct Parts {
        UserDialogs& dialogs;
        AppSettings& settings;
        ParamController& params;
        DrawSession& session;
        DrawCommand& draw;
        DrawOnChange& drawOnChange;
        ColorSetController& colorSets;
        FileController& files;
        SaveController& save;
        HelpPages& helpPages;
        TileViewController& tiles;
        HistoryController& history;
        WindowController& windows;
        ExtrasController& extras;
        StartupController& startup;
        FileDrops& drops;
        ParamFieldKeys& fieldKeys;
        PictureDocument& document;
        PictureWindow& picture;
        FrameWindow& frame;
        EasyHelpWindow& help;
        AnimationWindow& anim;
    };

    // The window itself; its parts are made with it as their parent and handed over by
    // build(), which makes the controls and menus.
    MainWindow();
    ~MainWindow() override;
    void build(const Parts& parts);

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
    void onSizeClicked();
    void showOptionsAt(int page);
    // A dialog the main window opens modally, with dropped files refused meanwhile.
    int showModal(QDialog& dialog);
    void onVersionTriggered();
    // The animation window, loaded with the main window and only hidden when closed.
    void onAnimationTriggered();

    // The controls show the model.
    void refreshFromModel();
    void showImageSize(int width, int height);
    void setDrawButtonState(bool drawing);
    void forwardKey(int key, Qt::KeyboardModifiers modifiers);


    std::optional<Parts> parts_; // from build()
    std::array<QIcon, 2> drawImages_; // 0 draw, 1 stop

    // Controls.
    ValueFrame* fraValue_ = nullptr;
    QGroupBox* valueGroup_ = nullptr;
    ColorFrame* colorFrame_ = nullptr;
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
