#pragma once
// TileWindow: the tile view ("タイル表示"), a modeless window that fills its client area with
// copies of the picture side by side, like wallpaper, and lays a line of sample lettering
// over them in a chosen font and color. The lettering, its font and its color live in the
// settings; the window is unloaded when closed and its owner remembers where it stood.
// The tiles follow the picture: whenever the picture changes they are painted again.

#include "io/AppSettings.h"

#include <QMainWindow>
#include <QPixmap>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wavory {

class PictureView;
class UserDialogs;

// The client area: one tiled painting of the picture, from its top left corner.
class TileArea : public QWidget {
    Q_OBJECT
  public:
    TileArea(const PictureView& picture, QWidget* parent);

    // The picture changed: painted again soon (changes during a drawing are gathered).
    void pictureChanged();
    // Painted again now.
    void redraw();

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    const PictureView& picture_;
    QPixmap tile_;
    bool stale_ = true;
    QTimer throttle_;
};

class TileWindow : public QMainWindow {
    Q_OBJECT
  public:
    TileWindow(const PictureView& picture, AppSettings::TileViewSection& settings,
            UserDialogs& dialogs, QWidget* parent);

    // Paints the tiles again.
    void drawTile();
    TileArea* tileArea() const { return area_; }

    // mnuInput: starts editing the lettering, or finishes it when it is being edited.
    void onInputTriggered();
    // cmdOK: the edited text becomes the lettering.
    void onOkClicked();
    void onFontTriggered();
    void onColorTriggered();

  Q_SIGNALS:
    // The window is closing: where it stood (frame top left) and its size.
    void closing(const QRect& geometry);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void buildMenu();
    // The overlay follows the client area's size.
    void layoutOverlay();
    // Puts the font on the lettering and the edit box; what was applied goes into the
    // settings, or, when the name or size cannot be used, the font the label really has.
    void applyFont(bool bold, bool italic, const QString& name, double pointSize);
    void applyColor();
    // After a dialog: the keys go to the tiles again (Esc closes), unless the lettering is
    // being edited.
    void takeKeysBack();

    AppSettings::TileViewSection& settings_;
    UserDialogs& dialogs_;
    TileArea* area_;
    QLabel* lblStr_;
    QLineEdit* txtInput_;
    QPushButton* cmdOK_;
};

} // namespace wavory
