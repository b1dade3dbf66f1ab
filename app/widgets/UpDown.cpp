#include "UpDown.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace wavory {

UpDown::UpDown(QLineEdit* field) : QWidget(field), field_(field) {
    setCursor(Qt::ArrowCursor);
    field->setTextMargins(0, 0, kWidth, 0);
    field->installEventFilter(this);
    repeat_.setInterval(120);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(80);
        step();
    });
    place();
}

void UpDown::place() {
    const int frame = 1;
    setGeometry(field_->width() - kWidth - frame, frame, kWidth, field_->height() - 2 * frame);
}

bool UpDown::eventFilter(QObject* watched, QEvent* e) {
    if (watched == field_ && e->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, e);
}

void UpDown::step() {
    if (pressed_ == Part::Up)
        Q_EMIT up();
    if (pressed_ == Part::Down)
        Q_EMIT down();
}

void UpDown::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    pressed_ = e->position().y() < height() / 2.0 ? Part::Up : Part::Down;
    update();
    step();
    repeat_.setInterval(400);
    repeat_.start();
}

void UpDown::mouseReleaseEvent(QMouseEvent*) {
    repeat_.stop();
    pressed_ = Part::None;
    update();
}

void UpDown::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const int half = height() / 2;
    const QRect upper(0, 0, width(), half);
    const QRect lower(0, half, width(), height() - half);
    auto face = [&](const QRect& r, bool down) {
        p.fillRect(r, down ? pal.color(QPalette::Mid) : pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    face(upper, pressed_ == Part::Up);
    face(lower, pressed_ == Part::Down);
    const QColor arrow = isEnabled() ? pal.color(QPalette::ButtonText)
                                     : pal.color(QPalette::Disabled, QPalette::ButtonText);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    const double cx = width() / 2.0;
    const double a = 3.0;
    auto triangle = [&](double cy, bool pointsUp) {
        QPainterPath path;
        const double tip = pointsUp ? cy - a / 2 : cy + a / 2;
        const double base = pointsUp ? cy + a / 2 : cy - a / 2;
        path.moveTo(cx, tip);
        path.lineTo(cx - a, base);
        path.lineTo(cx + a, base);
        path.closeSubpath();
        p.drawPath(path);
    };
    triangle(upper.center().y() + 0.5, true);
    triangle(lower.center().y() + 0.5, false);
}

} // namespace wavory
