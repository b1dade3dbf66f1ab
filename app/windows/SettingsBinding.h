#pragma once
// Moves the persisted values between the settings model and the windows that show them:
// window positions (pixels here, twips in the file), the image size, the file dialogs'
// folders, the frame settings and animation windows' controls and whether the frame
// settings and easy help windows are shown. The other values (options, save options,
// tile view) live in the settings model itself and are read from there by their commands.

class QWidget;

namespace wavory {

struct AppSettings;
struct FileDialogNames;
class ParamController;
class WindowController;
class AnimationWindow;
class FrameWindow;
class EasyHelpWindow;
class PictureWindow;

// The windows whose places and values persist, and what sets their size and visibility.
struct SettingsWindows {
    QWidget& main;
    PictureWindow& picture;
    FrameWindow& frame;
    EasyHelpWindow& help;
    AnimationWindow& anim;
    ParamController& params; // the image size
    WindowController& windows;
    FileDialogNames& names;
};

// Before saving: takes every value the windows hold into the settings. A minimized main
// window is restored first, so that its normal position is stored.
void captureWindowSettings(const SettingsWindows& w, AppSettings& settings);

// After loading: moves the four windows to their stored places and pulls them back onto
// the screen, sets the image size, gives the file dialogs their folders, fills the frame
// settings window and switches the frame settings and easy help windows on as stored.
void applyLoadedSettings(const SettingsWindows& w, const AppSettings& settings);

// First start: the file dialogs' names as the first-start defaults give them (the color
// set dialog in the program's "colorset" folder).
void applyFirstStartDialogNames(const SettingsWindows& w, const AppSettings& settings);

} // namespace wavory
