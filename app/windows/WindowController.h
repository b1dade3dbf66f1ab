#pragma once
// WindowController: the main window's companions as a whole — showing and hiding the
// picture, frame settings and easy help windows with their menu check marks, arranging
// them around the main window, placing the group on a first start, and minimizing and
// restoring them together with the main window.

#include <QMargins>
#include <QObject>

class QAction;
class QWidget;

namespace wavory {

class WindowController : public QObject {
    Q_OBJECT
  public:
    struct Windows {
        QWidget* main;
        QWidget* picture;
        QWidget* frame; // FrameWindow
        QWidget* help;
    };
    struct CheckItems {
        QAction* picture; // mnuPictureWindow
        QAction* frame;   // mnuButton
        QAction* help;    // mnuEasyHelp
    };
    explicit WindowController(const Windows& windows);
    // The menu items with the check marks, once the main window has made them.
    void setCheckItems(const CheckItems& items);

    // Each toggles its window and its menu check mark.
    void togglePictureWindow();
    void toggleFrameWindow();
    void toggleHelpWindow();
    // Shows the picture window when its menu item has no check mark.
    void ensurePictureShown();
    // A close box hid the window: its check mark goes.
    void windowClosedByUser(QWidget* window);

    void arrangeAll();
    // The frame of a window the window manager has framed already, for those not framed
    // yet (zero without a window manager).
    QMargins frameEstimate() const;
    // The main window's place on a first start: the group centred on the screen.
    void placeFirstStart();
    // Minimizing or restoring the main window takes the visible other windows along.
    void followWindowState();
    // The main window's size at start-up (the easy help window as wide), and its outer
    // height once framed.
    void fitMainWindowSize();
    void fitMainWindowHeight();

  private:
    static void toggle(QAction* item, QWidget* window);

    Windows windows_;
    CheckItems items_{};
};

} // namespace wavory
