#pragma once
// PictureWindow: the picture window, a view of the picture document: its drawing surface
// shows the document's canvas, and the center marker. Its size follows the image while
// the image fits on the screen; a larger image makes a screen-sized window that scrolls.

#include <QTimer>
#include <QWidget>

class QMenu;
class QScrollArea;

namespace wavory {

class PictureDocument;
class PictureView;

class PictureWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PictureWindow(PictureDocument& document, QWidget* parent = nullptr);

    PictureView* picMain() const { return picMain_; }
    // The image size shown.
    int imageWidth() const;
    int imageHeight() const;

    // Center marker: follows the center fields' texts; shown and flashing while a center
    // field has the focus.
    void moveCenterMarker(const QString& vStrX, const QString& vStrY);
    void showCenterMarker(bool vBool);
    QPoint centerMarkerPosition() const; // in the surface's inner pixel coordinates
    bool centerMarkerVisible() const;

    // The menu opened by a right click on the picture.
    void setPopupMenu(QMenu* menu) { popup_ = menu; }

    // The program is ending: a close request then really closes the window; any other
    // close request (the close box) only hides it.
    void allowClose() { closing_ = true; }

  Q_SIGNALS:
    // Ctrl+C, F1, F3 and F5 belong to the main window's menu (F5 draws and stops, so the
    // stop is at hand when a large picture covers the main window).
    void keyForwarded(int key, Qt::KeyboardModifiers modifiers);
    // The close box hid the window.
    void closedByUser();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void showImageSize(int width, int height);
    void fitToImage();

    QScrollArea* scroll_;
    PictureView* picMain_;
    QTimer centerFlashTimer_;
    QMenu* popup_ = nullptr;
    int pressedKey_ = 0; // the last key pressed in this window
    bool closing_ = false;
};

} // namespace wavory
