#include "WindowHelpers.h"

#include "QtText.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace wavory {

int showModal(QWidget* owner, QDialog& dialog) {
    const bool accepted = owner && owner->acceptDrops();
    if (owner)
        owner->setAcceptDrops(false);
    const int result = dialog.exec();
    if (owner)
        owner->setAcceptDrops(accepted);
    return result;
}

void centerInContainer(QWidget* control, const QWidget* container, int mode) {
    if (!control || !container)
        return;
    int left = control->x();
    int top = control->y();
    if (mode == 1 || mode == 3)
        left = (container->width() - control->width()) / 2;
    if (mode == 2 || mode == 3)
        top = (container->height() - control->height()) / 2;
    if (mode >= 1 && mode <= 3)
        control->move(left, top);
}

void keepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect f = window->frameGeometry();
    const WindowRect placed =
        keepOnScreen(WindowRect{f.left(), f.top(), f.width(), f.height()},
                   ScreenSize{screen->geometry().width(), screen->geometry().height()});
    window->move(placed.left, placed.top);
}

int titleBarHeightTwips() {
    const int pixels = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return static_cast<int>(std::lround(pixels * static_cast<double>(kTwipsPerPixel)));
}

void bringToFront(QWidget* window) {
    // Activating alone leaves the stacking to the window manager, which may keep another
    // window of the program over it.
    window->raise();
    window->activateWindow();
}

void keepInFront(QWidget* window) {
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->show();
}

void cursorPosition(int& x, int& y) {
    const QPoint p = QCursor::pos();
    x = p.x();
    y = p.y();
}

bool takesEnabling(const QObject* control) {
    if (!control)
        return false;
    if (qobject_cast<const QTimer*>(control))
        return false;
    if (qobject_cast<const QDialog*>(control))
        return false;
    return control->isWidgetType();
}

bool isEnablingContainer(const QObject* control) {
    return control && !qobject_cast<const QTimer*>(control);
}

void setWindowControlsEnabled(QWidget* window, bool enabled) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (takesEnabling(w) && !w->isWindow())
            w->setEnabled(enabled);
    }
}

void setContainerEnabled(QWidget* container, bool enabled, bool selfToo) {
    for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (takesEnabling(w) && !w->isWindow())
            w->setEnabled(enabled);
    }
    if (selfToo)
        container->setEnabled(enabled);
}

int applyFontOrDefault(QLabel* label, QString& fontName, const QString& defaultFontName,
                 UserDialogs& dialogs) {
    const QStringList families = QFontDatabase::families();
    auto apply = [&](const QString& name) {
        if (!families.contains(name, Qt::CaseInsensitive))
            return false;
        QFont f = label->font();
        f.setFamily(name);
        label->setFont(f);
        return true;
    };
    if (apply(fontName))
        return 0;
    if (apply(defaultFontName)) {
        fontName = defaultFontName;
        return 1;
    }
    dialogs.message(label->window(), Ui::tr("標準フォントの設定に失敗しました。"),
                    MessageIcon::Exclamation);
    return 2;
}

bool checkFieldFilled(const QLineEdit* field, const QString& itemName, UserDialogs& dialogs) {
    if (!field->text().trimmed().isEmpty())
        return true;
    dialogs.message(field->window(), Ui::tr("'%1' を入力してください。").arg(itemName),
                    MessageIcon::Critical);
    return false;
}

UserMessage noMemoryToDraw() {
    return {MessageIcon::Exclamation,
            toStd(Ui::tr("メモリ不足のため描画できません。画像サイズを小さくして下さい。"))};
}

void showNoMemoryToDraw(UserDialogs& dialogs, QWidget* owner) {
    dialogs.show(owner, noMemoryToDraw());
}

bool hideOnCloseBox(QWidget& window, QCloseEvent& event, bool programEnding) {
    if (programEnding)
        return false;
    event.ignore();
    window.hide();
    return true;
}

} // namespace wavory
