#pragma once
// Placing top-level windows by their outer (frame) rectangle under a window manager that
// frames them only after they are mapped: until then Qt knows no frame, and moving an
// already created window would place its client area instead of its frame.

#include <QMargins>
#include <QPoint>
#include <QRect>

#include <functional>

class QWidget;

namespace wavory {

// True once the window manager's frame around the window is known.
bool hasWindowFrame(const QWidget* window);

// The frame's widths around the client area (zero while unknown).
QMargins windowFrameMargins(const QWidget* window);

// The outer rectangle; for a window without a known frame the client size grown by
// `estimate` (the frame of another window of the program).
QRect outerRect(const QWidget* window, const QMargins& estimate);

// Puts the window's frame (title bar included) at `topLeft`, whether or not the window
// has been created, shown or framed yet.
void moveFrameTo(QWidget* window, QPoint topLeft);

// Where `outer` goes to lie wholly inside `area`, moved as little as possible; when it is
// larger than the area, its top left corner (the title bar's start) is inside.
QPoint placeInside(const QRect& outer, const QRect& area);

// Where `outer` goes so that its title bar (the top `titleHeight` pixels, at least
// `grabWidth` of them wide) lies inside `area`, moved as little as possible; the rest of
// the window may reach past the area's right and bottom edges.
QPoint keepTitleBarInside(const QRect& outer, const QRect& area, int titleHeight, int grabWidth);

// Where `outer` goes to lie inside `area` and clear of `avoid`: inside the area first
// (placeInside), then, when it still overlaps `avoid`, moved right, left, below or above
// it, whichever moves it least and keeps it inside; where none does, just inside.
QPoint placeClear(const QRect& outer, const QRect& avoid, const QRect& area);

// The available area of the screen the rectangle is on (or nearest to).
QRect availableAreaAt(const QRect& outer, const QWidget* fallback);

// Moves the window (by its frame, `estimate` standing in for a frame not known yet) to
// lie on its screen and clear of `avoid` (a window's frame), where the screen allows. An
// empty `avoid` only brings it onto the screen.
void moveClearOf(QWidget* window, const QRect& avoid, const QMargins& estimate);

// The frame of the program's easy help window while it is shown; empty otherwise.
QRect easyHelpFrame();

// A window opened for the first time: centred over its owner, then on the screen and
// clear of the easy help window (which explains its controls) where the screen allows.
void placeNewWindow(QWidget* window, const QWidget* owner);

// Brings a window back onto the screen it is on (or nearest to): first by the rule of
// keepOnScreen(WindowRect, ScreenSize), then wholly into the screen's available area where it
// fits, its title bar at least where it does not. Moves it only when its place changes.
void pullOntoScreen(QWidget* window, const QMargins& estimate);

// Calls `action` once, as soon as the window has a frame (looked at for a few seconds
// after the call; without a window manager nothing happens).
void whenWindowFramed(QWidget* window, std::function<void()> action);

} // namespace wavory
