#include "WindowPlacement.h"

#include "io/FormPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace wavory {

namespace {

constexpr int kFramePollMs = 25;
constexpr int kFramePollLimitMs = 5000;

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
    // A created window without a known frame would take the point for its client area;
    // its native window is told to place the frame there instead.
    if (window->testAttribute(Qt::WA_WState_Created) && !hasWindowFrame(window) &&
        window->windowHandle()) {
        window->windowHandle()->setFramePosition(topLeft);
        return;
    }
    window->move(topLeft);
}

QPoint placeInside(const QRect& outer, const QRect& area) {
    // Right and bottom first, then left and top: a window larger than the area keeps its
    // top left corner, and with it the title bar, inside.
    const int left =
        std::max(std::min(outer.left(), area.right() + 1 - outer.width()), area.left());
    const int top = std::max(std::min(outer.top(), area.bottom() + 1 - outer.height()), area.top());
    return {left, top};
}

void pullOntoScreen(QWidget* window, const QMargins& estimate) {
    const QRect f = outerRect(window, estimate);
    const QScreen* screen = QGuiApplication::screenAt(f.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const WindowRect back =
        ChkFormPos(WindowRect{f.left(), f.top(), f.width(), f.height()},
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
