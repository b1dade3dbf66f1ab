#include "WindowController.h"

#include "platform/WindowArrangement.h"
#include "platform/WindowPlacement.h"
#include "guide/EasyHelpWindow.h"

#include "io/FormPosition.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace wavory {

namespace {

TwipsRect outerTwips(const QWidget* w, const QMargins& estimate) {
    const QRect f = outerRect(w, estimate);
    return {pixelsToTwips(f.left()), pixelsToTwips(f.top()), pixelsToTwips(f.width()),
            pixelsToTwips(f.height())};
}

// The main window's outer height.
constexpr int kMainWindowHeight = 378;

// A title bar is on the screen when this much of it can be grabbed.
constexpr int kTitleGrabWidth = 32;
// The title bar's height while the window manager's frame is unknown.
constexpr int kTitleHeightEstimate = 32;

// Moves the window's frame to p, kept so that its title bar stays within `area`.
void moveTo(QWidget* w, const TwipsPoint& p, const QMargins& estimate, const QRect& area) {
    const QPoint at(twipsToPixels(static_cast<double>(p.left)),
                    twipsToPixels(static_cast<double>(p.top)));
    const int title = estimate.top() > 0 ? estimate.top() : kTitleHeightEstimate;
    const QRect outer(at, outerRect(w, estimate).size());
    moveFrameTo(w, area.isEmpty() ? at : keepTitleBarInside(outer, area, title, kTitleGrabWidth));
}

} // namespace

WindowController::WindowController(const Windows& windows)
    : QObject(windows.main), windows_(windows) {}

void WindowController::setCheckItems(const CheckItems& items) {
    items_ = items;
    for (QAction* item : {items_.picture, items_.frame, items_.help})
        item->setCheckable(true);
    // The menu inverts the check mark before the command runs; the command inverts it.
    connect(items_.picture, &QAction::triggered, this, [this] {
        items_.picture->setChecked(!items_.picture->isChecked());
        togglePictureWindow();
    });
    connect(items_.frame, &QAction::triggered, this, [this] {
        items_.frame->setChecked(!items_.frame->isChecked());
        toggleFrameWindow();
    });
    connect(items_.help, &QAction::triggered, this, [this] {
        items_.help->setChecked(!items_.help->isChecked());
        toggleHelpWindow();
    });
}

void WindowController::toggle(QAction* item, QWidget* window) {
    item->setChecked(!item->isChecked());
    window->setVisible(item->isChecked());
}

void WindowController::togglePictureWindow() {
    toggle(items_.picture, windows_.picture);
}

void WindowController::toggleFrameWindow() {
    toggle(items_.frame, windows_.frame);
}

void WindowController::toggleHelpWindow() {
    toggle(items_.help, windows_.help);
}

void WindowController::ensurePictureShown() {
    if (!items_.picture->isChecked())
        togglePictureWindow();
}

void WindowController::windowClosedByUser(QWidget* window) {
    QAction* item = window == windows_.picture ? items_.picture
                    : window == windows_.frame ? items_.frame
                    : window == windows_.help  ? items_.help
                                               : nullptr;
    if (item)
        item->setChecked(false);
}

QMargins WindowController::frameEstimate() const {
    // A window not framed yet is taken to get the frame the others have.
    for (const QWidget* w : {windows_.main, windows_.help, windows_.frame, windows_.picture}) {
        if (hasWindowFrame(w))
            return windowFrameMargins(w);
    }
    return {};
}

void WindowController::arrangeAll() {
    const QMargins estimate = frameEstimate();
    const bool frameShown = items_.frame->isChecked();
    const Arrangement a = arrangeWindows(
        outerTwips(windows_.main, estimate), outerTwips(windows_.frame, estimate),
        outerTwips(windows_.picture, estimate), outerTwips(windows_.help, estimate), frameShown);
    const QRect area = availableAreaAt(outerRect(windows_.main, estimate), windows_.main);
    moveTo(windows_.help, a.help, estimate, area);
    if (frameShown)
        moveTo(windows_.frame, a.frame, estimate, area);
    moveTo(windows_.picture, a.picture, estimate, area);
}

void WindowController::placeFirstStart() {
    QWidget* main = windows_.main;
    const QScreen* screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize group(main->width() + windows_.frame->width(),
                      main->height() + windows_.help->height());
    moveFrameTo(main, QPoint(room.left() + std::max(0, (room.width() - group.width()) / 2),
                             room.top() + std::max(0, (room.height() - group.height()) / 2)));
}

void WindowController::followWindowState() {
    QWidget* main = windows_.main;
    const Qt::WindowStates state = main->windowState() & ~Qt::WindowActive;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != main && w->windowType() == Qt::Window && w->isVisible())
            w->setWindowState(state);
    }
}

void WindowController::fitMainWindowSize() {
    QWidget* main = windows_.main;
    main->resize(main->sizeHint().width(), kMainWindowHeight);
    windows_.help->resize(main->width(), EasyHelpWindow::kClientHeight);
}

void WindowController::fitMainWindowHeight() {
    QWidget* main = windows_.main;
    const int frameHeight = main->frameGeometry().height() - main->height();
    main->resize(main->width(), kMainWindowHeight - frameHeight);
}

} // namespace wavory
