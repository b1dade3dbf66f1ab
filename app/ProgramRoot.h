#pragma once
// ProgramRoot: the program's parts, made and connected in one place. main() makes one;
// tests and benchmarks make their own. It creates the settings, the main window, the
// picture, frame settings, easy help and animation windows, the draw session and every
// controller, gives each what it uses and hands the main window its parts last.
//
// The windows and controllers are QObject children of the main window (their dialogs'
// parent); the root deletes them in the reverse order of their making, so that nothing
// outlives what it refers to, and the main window with its own controls after them.

#include "colors/ColorSetController.h"
#include "drawing/DrawCommand.h"
#include "drawing/DrawSession.h"
#include "files/FileController.h"
#include "platform/FileDialogNames.h"
#include "guide/HelpPages.h"
#include "values/ParamController.h"
#include "files/SaveController.h"
#include "windows/StartupController.h"
#include "windows/WindowController.h"

#include "io/AppSettings.h"

#include <memory>
#include <vector>

class QMainWindow;
class QObject;

namespace wavory {

class ColorSetCollection;
class DrawOnChange;
class HistoryController;
class RandomSource;
class TileViewController;
class UserDialogs;
class VariationController;
class AnimationWindow;
class FrameWindow;
class EasyHelpWindow;
class MainWindow;
class PictureDocument;
class PictureWindow;

class ProgramRoot {
  public:
    // random is the program's one generator (random setting and bleed noise).
    ProgramRoot(UserDialogs& dialogs, RandomSource& random);
    ~ProgramRoot();
    ProgramRoot(const ProgramRoot&) = delete;
    ProgramRoot& operator=(const ProgramRoot&) = delete;

    // The windows.
    QMainWindow* mainWindow() const;
    PictureWindow* picture() const { return picture_; }
    // The picture, its undo image and the drawing going over it.
    PictureDocument& document() const { return *document_; }
    FrameWindow* frameWindow() const { return button_; }
    EasyHelpWindow* helpWindow() const { return help_; }
    AnimationWindow* animWindow() const { return anim_; }

    // What the windows and controllers share.
    UserDialogs& dialogs() { return dialogs_; }
    RandomSource& random() { return random_; }
    AppSettings& settings() { return settings_; }
    FileDialogNames& fileDialogNames() { return fileNames_.names(); }

    // The controller of each concern.
    ParamController& params() { return *params_; }
    DrawSession& drawSession() { return *session_; }
    DrawCommand& drawCommand() { return *draw_; }
    DrawOnChange& drawOnChange() { return *drawOnChange_; }
    ColorSetCollection& colorSets();
    FileController& fileController() { return *files_; }
    SaveController& saveController() { return *save_; }
    HelpPages& helpPages() { return *helpPages_; }
    TileViewController& tileViews() { return *tiles_; }
    HistoryController& history() { return *history_; }
    VariationController& variations() { return *variations_; }
    WindowController& windowController() { return *windows_; }
    StartupController& startup() { return *startup_; }

  private:
    // Records obj for deletion before the main window, in the reverse order.
    template <typename T> T* made(T* obj) {
        made_.push_back(obj);
        return obj;
    }

    UserDialogs& dialogs_;
    RandomSource& random_;
    AppSettings settings_;
    RememberedFileNames fileNames_;
    std::unique_ptr<MainWindow> main_;
    std::vector<QObject*> made_;

    PictureDocument* document_ = nullptr;
    PictureWindow* picture_ = nullptr;
    FrameWindow* button_ = nullptr;
    EasyHelpWindow* help_ = nullptr;
    AnimationWindow* anim_ = nullptr;
    ParamController* params_ = nullptr;
    DrawSession* session_ = nullptr;
    HelpPages* helpPages_ = nullptr;
    ColorSetController* colorSets_ = nullptr;
    DrawCommand* draw_ = nullptr;
    DrawOnChange* drawOnChange_ = nullptr;
    TileViewController* tiles_ = nullptr;
    HistoryController* history_ = nullptr;
    VariationController* variations_ = nullptr;
    FileController* files_ = nullptr;
    SaveController* save_ = nullptr;
    WindowController* windows_ = nullptr;
    StartupController* startup_ = nullptr;
};

} // namespace wavory
