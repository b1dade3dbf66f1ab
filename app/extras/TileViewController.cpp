#include "TileViewController.h"

#include "drawing/PictureWindow.h"
#include "TileWindow.h"

#include "io/AppSettings.h"

#include <QGuiApplication>
#include <QScreen>

namespace wavory {

TileViewController::TileViewController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {}

void TileViewController::show() {
    if (!tile_) {
        tile_ = new TileWindow(*parts_.picture.picMain(), parts_.settings.tileView, parts_.dialogs,
                               window_);
        tile_->setAttribute(Qt::WA_DeleteOnClose);
        connect(tile_, &TileWindow::closing, this,
                [this](const QRect& geometry) { remembered_ = geometry; });
        placeRemembered();
    }
    tile_->showNormal();
    tile_->raise();
    tile_->activateWindow();
}

TileWindow* TileViewController::tileView() const {
    return tile_;
}

void TileViewController::placeRemembered() {
    const QScreen* screen =
        window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->geometry().size() : QSize();
    if (remembered_.isEmpty()) {
        // The first opening in a run: in the middle of the screen.
        if (screen) {
            QRect first(QPoint(), tile_->size());
            first.moveCenter(screen->availableGeometry().center());
            tile_->move(first.topLeft());
        }
        return;
    }
    QRect g = remembered_;
    // A place beyond the screen's right or bottom edge is forgotten.
    if (g.left() > room.width())
        g.moveLeft(0);
    if (g.top() > room.height())
        g.moveTop(0);
    if (g.width() >= 1 && g.height() >= 1) {
        tile_->move(g.topLeft());
        tile_->resize(g.size());
    }
}

} // namespace wavory
