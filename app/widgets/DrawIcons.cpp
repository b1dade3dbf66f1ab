#include "DrawIcons.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPixmap>

namespace wavory {

QIcon drawButtonImage() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QConicalGradient g(16, 16, 90);
    const QColor stops[] = {QColor(255, 64, 64), QColor(255, 220, 0), QColor(64, 220, 64),
                            QColor(0, 200, 255), QColor(80, 80, 255), QColor(255, 64, 200),
                            QColor(255, 64, 64)};
    for (int i = 0; i < 7; ++i)
        g.setColorAt(i / 6.0, stops[i]);
    p.setBrush(g);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(12, 12, 8, 8));
    return QIcon(pm);
}

QIcon stopButtonImage() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(210, 30, 30));
    p.setPen(QPen(QColor(90, 0, 0), 1.5));
    p.drawRoundedRect(QRectF(5, 5, 22, 22), 3, 3);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(11, 11, 10, 10));
    return QIcon(pm);
}

} // namespace wavory
