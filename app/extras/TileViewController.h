#pragma once
// TileViewController: opens the tile view (mnuTile, F3) and remembers, for the rest of
// the run, where it stood and how large it was when it was closed.

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

namespace wavory {

class UserDialogs;
class PictureWindow;
class TileWindow;
struct AppSettings;

class TileViewController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        PictureWindow& picture;
        AppSettings& settings;
        UserDialogs& dialogs;
    };
    // window: the main window, owner of the tile view.
    TileViewController(const Parts& parts, QWidget* window);

    // Loads the tile view unless it is open, shows it in the normal window state and
    // brings it to the front.
    void show();
    // The open tile view, if any.
    TileWindow* tileView() const;

  private:
    // The geometry of the last closing, onto the screen; the middle of the screen before
    // the first.
    void placeRemembered();

    Parts parts_;
    QWidget* window_;
    QPointer<TileWindow> tile_;
    QRect remembered_; // frame top left and client size; empty until first closed
};

} // namespace wavory
