#include "WindowPlacement.h"

#include "io/FormPosition.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace wavory {

namespace {

constexpr int kFramePollMs = 25;
constexpr int kFramePollLimitMs = 5000;
// Dynamic properties of a window placed before it was framed.
constexpr const char* kWantedFramePosition = "wavoryWantedFramePosition";
constexpr const char* kFramePending = "wavoryFramePending";

} // namespace

bool hasWindowFrame(const QWidget* window) {
    return window->frameGeometry() != window->geometry();
}

QMargins windowFrameMargins(const QWidget* window) {
    const QRect f = window->frameGeometry();
    const QRect g = window->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

QRect outerRect(const QWidget* window, const QMargins& estimate) {
    QRect f = window->frameGeometry();
    if (!hasWindowFrame(window))
        f.setSize(f.size().grownBy(estimate));
    return f;
}

void moveFrameTo(QWidget* window, QPoint topLeft) {
    window->move(topLeft);
    if (hasWindowFrame(window))
        return;
    // Until the window manager has framed the window, Qt cannot tell where its client
    // area goes for a frame at that point, and any resize meanwhile places the client
    // area there instead (the title bar then lies above the point, and is stored so at
    // exit). The place is taken again, by the frame, once the frame is known; the last
    // place asked for counts.
    window->setProperty(kWantedFramePosition, topLeft);
    if (window->property(kFramePending).toBool())
        return;
    window->setProperty(kFramePending, true);
    whenWindowFramed(window, [window] {
        window->setProperty(kFramePending, false);
        const QPoint wanted = window->property(kWantedFramePosition).toPoint();
        if (window->frameGeometry().topLeft() != wanted)
            window->move(wanted);
    });
}

QPoint placeInside(const QRect& outer, const QRect& area) {
    // Right and bottom first, then left and top: a window larger than the area keeps its
    // top left corner, and with it the title bar, inside.
    const int left =
        std::max(std::min(outer.left(), area.right() + 1 - outer.width()), area.left());
    const int top = std::max(std::min(outer.top(), area.bottom() + 1 - outer.height()), area.top());
    return {left, top};
}

QPoint keepTitleBarInside(const QRect& outer, const QRect& area, int titleHeight, int grabWidth) {
    const int grab = std::min(grabWidth, outer.width());
    const int left = std::max(std::min(outer.left(), area.right() + 1 - grab), area.left());
    const int top = std::max(std::min(outer.top(), area.bottom() + 1 - titleHeight), area.top());
    return {left, top};
}

QPoint placeClear(const QRect& outer, const QRect& avoid, const QRect& area) {
    const QPoint inside = placeInside(outer, area);
    const QRect placed(inside, outer.size());
    if (avoid.isEmpty() || !placed.intersects(avoid))
        return inside;
    const QPoint candidates[] = {
        {avoid.right() + 1, inside.y()},
        {avoid.left() - outer.width(), inside.y()},
        {inside.x(), avoid.bottom() + 1},
        {inside.x(), avoid.top() - outer.height()},
    };
    std::optional<QPoint> best;
    for (const QPoint& c : candidates) {
        if (!area.contains(QRect(c, outer.size())))
            continue;
        if (!best || (c - inside).manhattanLength() < (*best - inside).manhattanLength())
            best = c;
    }
    return best.value_or(inside);
}

QRect availableAreaAt(const QRect& outer, const QWidget* fallback) {
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (!screen && fallback)
        screen = fallback->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void moveClearOf(QWidget* window, const QRect& avoid, const QMargins& estimate) {
    const QRect f = outerRect(window, estimate);
    const QRect area = availableAreaAt(f, window);
    if (area.isEmpty())
        return;
    const QPoint placed = placeClear(f, avoid, area);
    if (placed != f.topLeft())
        moveFrameTo(window, placed);
}

void placeNewWindow(QWidget* window, const QWidget* owner) {
    // The size it will show with: what its layout asks for unless it was given one.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QMargins estimate = owner ? windowFrameMargins(owner) : QMargins();
    if (owner) {
        QRect f = outerRect(window, estimate);
        f.moveCenter(owner->frameGeometry().center());
        moveFrameTo(window, f.topLeft());
    }
    moveClearOf(window, easyHelpFrame(), estimate);
}

QRect easyHelpFrame() {
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmHelp") && w->isVisible())
            return w->frameGeometry();
    }
    return {};
}

void pullOntoScreen(QWidget* window, const QMargins& estimate) {
    const QRect f = outerRect(window, estimate);
    const QScreen* screen = QGuiApplication::screenAt(f.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const WindowRect back =
        keepOnScreen(WindowRect{f.left(), f.top(), f.width(), f.height()},
                   ScreenSize{screen->geometry().width(), screen->geometry().height()});
    const QPoint placed =
        placeInside(QRect(back.left, back.top, f.width(), f.height()), screen->availableGeometry());
    if (placed != f.topLeft())
        moveFrameTo(window, placed);
}

void whenWindowFramed(QWidget* window, std::function<void()> action) {
    if (hasWindowFrame(window)) {
        action();
        return;
    }
    // The frame arrives with the window manager's answer to the mapping, which Qt does
    // not announce by an event of the widget: look for it a few times.
    auto* timer = new QTimer(window);
    timer->setInterval(kFramePollMs);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, window, [=, action = std::move(action)] {
        *waited += kFramePollMs;
        const bool framed = hasWindowFrame(window);
        if (framed || *waited >= kFramePollLimitMs) {
            timer->stop();
            timer->deleteLater();
            if (framed)
                action();
        }
    });
    timer->start();
}

} // namespace wavory
