#pragma once
// The window and control helpers every window uses: centring a control, keeping a
// window on the screen, title bar height, topmost windows, the cursor position,
// enabling a window's or a container's controls, and the font fallback of a label.

#include "common/UserMessage.h"
#include "io/FormPosition.h"

#include <QString>

class QCloseEvent;
class QDialog;
class QObject;
class QWidget;
class QLabel;
class QLineEdit;

namespace wavory {

class UserDialogs;

// The close box of a window that stays loaded for the whole run: the close is refused
// and the window hidden. True when that happened (the caller then clears its menu check
// mark); false while the program is ending, when the close goes ahead.
bool hideOnCloseBox(QWidget& window, QCloseEvent& event, bool programEnding);

// Shows a dialog modally over `owner`, which refuses dropped files meanwhile; the
// dialog's result.
int showModal(QWidget* owner, QDialog& dialog);

// Mode 1: centre horizontally, 2: vertically, 3: both; other modes do nothing.
void centerInContainer(QWidget* control, const QWidget* container, int mode);

// Brings a window back onto its screen by the rule of keepOnScreen(WindowRect, ScreenSize).
void keepOnScreen(QWidget* window);

// Height of a window title bar, in twips.
int titleBarHeightTwips();

// Gives the window the focus and puts it in front of the program's other windows, so that
// what is typed goes into fields the user sees.
void bringToFront(QWidget* window);

// Puts the window in the topmost layer and shows it without activating it.
void keepInFront(QWidget* window);

// The mouse position on the screen in pixels.
void cursorPosition(int& x, int& y);

// Whether a control takes part in the enabling helpers (timers and dialogs do not).
bool takesEnabling(const QObject* control);
bool isEnablingContainer(const QObject* control);

// Every control of the window (all descendants that can be enabled).
void setWindowControlsEnabled(QWidget* window, bool enabled);

// Every control placed directly in the container; the container too when selfToo.
void setContainerEnabled(QWidget* container, bool enabled, bool selfToo);

// True when the field holds more than blanks; otherwise shows
// "'" + itemName + "' を入力してください。" (critical) and gives false.
bool checkFieldFilled(const QLineEdit* field, const QString& itemName, UserDialogs& dialogs);

// "メモリ不足のため描画できません。画像サイズを小さくして下さい。" (exclamation): a drawing
// could not get the memory it needs.
UserMessage noMemoryToDraw();
void showNoMemoryToDraw(UserDialogs& dialogs, QWidget* owner);

// Tries fontName on the label (0); else the default font, which then replaces fontName
// (1); if that fails too, shows "標準フォントの設定に失敗しました。" and gives 2.
int applyFontOrDefault(QLabel* label, QString& fontName, const QString& defaultFontName,
                 UserDialogs& dialogs);

} // namespace wavory
