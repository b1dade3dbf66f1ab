// frmMain: the secondary windows as a whole: the easy help toggle, arranging the windows
// around the main window, minimizing and restoring together, and the modal dialogs the
// main window opens (dropped files are refused while one is on screen).

#include "frmMain.h"

#include "WindowArrangement.h"
#include "WindowPlacement.h"
#include "frmAbout.h"
#include "frmButton.h"
#include "frmHelp.h"
#include "frmPicture.h"

#include "io/FormPosition.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QScreen>

namespace wavory {

namespace {

TwipsRect outerTwips(const QWidget* w, const QMargins& estimate) {
    const QRect f = outerRect(w, estimate);
    return {pixelsToTwips(f.left()), pixelsToTwips(f.top()), pixelsToTwips(f.width()),
            pixelsToTwips(f.height())};
}

void moveTo(QWidget* w, const TwipsPoint& p) {
    moveFrameTo(w, QPoint(twipsToPixels(static_cast<double>(p.left)),
                          twipsToPixels(static_cast<double>(p.top))));
}

} // namespace

QMargins frmMain::frameEstimate() const {
    // A window not framed yet is taken to get the frame the others have.
    for (const QWidget* w :
         {static_cast<const QWidget*>(this), static_cast<const QWidget*>(help_),
          static_cast<const QWidget*>(button_), static_cast<const QWidget*>(picture_)}) {
        if (hasWindowFrame(w))
            return windowFrameMargins(w);
    }
    return {};
}

void frmMain::ShowHidefrmHelp() {
    mnuEasyHelp_->setChecked(!mnuEasyHelp_->isChecked());
    if (mnuEasyHelp_->isChecked()) {
        help_->show();
    } else {
        help_->hide();
    }
}

void frmMain::ArrangeWindows() {
    const QMargins estimate = frameEstimate();
    const Arrangement a = arrangeWindows(outerTwips(this, estimate), outerTwips(button_, estimate),
                                         outerTwips(picture_, estimate),
                                         outerTwips(help_, estimate), mnuButton_->isChecked());
    moveTo(help_, a.help);
    if (mnuButton_->isChecked())
        moveTo(button_, a.frame);
    moveTo(picture_, a.picture);
}

void frmMain::placeFirstStart() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize group(width() + button_->width(), height() + help_->height());
    moveFrameTo(this, QPoint(room.left() + std::max(0, (room.width() - group.width()) / 2),
                             room.top() + std::max(0, (room.height() - group.height()) / 2)));
}

void frmMain::followWindowState() {
    const Qt::WindowStates state = windowState() & ~Qt::WindowActive;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->windowType() == Qt::Window && w->isVisible())
            w->setWindowState(state);
    }
}

int frmMain::showModal(QDialog& dialog) {
    setAcceptDrops(false);
    const int result = dialog.exec();
    setAcceptDrops(true);
    return result;
}

void frmMain::mnuVersion_Click() {
    frmAbout dialog(dialogs_, this);
    showModal(dialog);
}

} // namespace wavory
