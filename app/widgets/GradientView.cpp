#include "GradientView.h"

#include <QPainter>

namespace wavory {

GradientView::GradientView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picGrad"));
    setMinimumHeight(18);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GradientView::setColumns(const std::vector<Rgb>& columns) {
    QImage row(static_cast<int>(columns.size()), 1, QImage::Format_RGB32);
    for (int x = 0; x < row.width(); ++x) {
        const Rgb& c = columns[static_cast<std::size_t>(x)];
        row.setPixel(x, 0, qRgb(c.r, c.g, c.b));
    }
    row_ = std::move(row);
    update();
}

QRgb GradientView::columnColor(int x) const {
    return x >= 0 && x < row_.width() ? row_.pixel(x, 0) : 0;
}

void GradientView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    if (!row_.isNull()) {
        p.drawImage(QRect(inner.topLeft(), QSize(row_.width(), inner.height())), row_);
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GradientView::resizeEvent(QResizeEvent*) {
    Q_EMIT resized();
}

} // namespace wavory
