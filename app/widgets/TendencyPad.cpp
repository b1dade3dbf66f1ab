#include "TendencyPad.h"

#include "platform/QtText.h"

#include "common/Numbers.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace wavory {

namespace {

// int(x): rounded half to even; a tendency from a hand-edited file may be anything.
int toInt(double x) {
    return std::isfinite(x) ? roundToInt32(x) : 0;
}

// The red point.
class MarkerDot : public QWidget {
  public:
    explicit MarkerDot(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("shpRndSet"));
        setFixedSize(TendencyPad::kMarkerSize, TendencyPad::kMarkerSize);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setProperty("helpTopic", 80);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(128, 0, 0));
        p.setBrush(Qt::red);
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

} // namespace

int markerOffset(int size, int marker, double tendency) {
    return toInt(size * tendency) / 2 + (size - marker) / 2;
}

double tendencyOf(int offset, int size, int marker) {
    return (offset + (marker - size) / 2) / static_cast<double>(size) * 2;
}

TendencyPad::TendencyPad(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picRndSet"));
    setProperty("helpTopic", 80);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    const char* captions[4] = {QT_TRANSLATE_NOOP("Ui", "振幅大"), QT_TRANSLATE_NOOP("Ui", "振幅小"),
                               QT_TRANSLATE_NOOP("Ui", "周期小"),
                               QT_TRANSLATE_NOOP("Ui", "周期大")};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(Ui::tr(captions[i]), this);
        l->setObjectName(QStringLiteral("lblStatic_%1").arg(i));
        l->setProperty("helpTopic", 80);
        // The pad takes the pointer: it hides the label the pointer is over.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(96, 96, 96));
        l->setPalette(pal);
        l->adjustSize();
        lblStatic_[static_cast<std::size_t>(i)] = l;
    }
    placeLabels();
    shpRndSet_ = new MarkerDot(this);
    reset();
}

void TendencyPad::placeLabels() {
    const int w = width();
    const int h = height();
    auto put = [](QLabel* l, int x, int y) { l->move(x, y); };
    QLabel* top = lblStatic_[0];
    QLabel* bottom = lblStatic_[1];
    QLabel* left = lblStatic_[2];
    QLabel* right = lblStatic_[3];
    put(top, (w - top->width()) / 2, 2);
    put(bottom, (w - bottom->width()) / 2, h - bottom->height() - 2);
    put(left, 3, (h - left->height()) / 2);
    put(right, w - right->width() - 3, (h - right->height()) / 2);
}

void TendencyPad::setTendency(double period, double amplitude) {
    shpRndSet_->move(markerOffset(width(), kMarkerSize, period),
                     markerOffset(height(), kMarkerSize, amplitude));
}

double TendencyPad::periodTendency() const {
    return tendencyOf(shpRndSet_->x(), width(), kMarkerSize);
}

double TendencyPad::amplitudeTendency() const {
    return tendencyOf(shpRndSet_->y(), height(), kMarkerSize);
}

void TendencyPad::reset() {
    shpRndSet_->move((width() - kMarkerSize) / 2, (height() - kMarkerSize) / 2);
}

void TendencyPad::moveMarkerTo(const QPoint& at) {
    const int x = at.x() - kMarkerSize / 2;
    const int y = at.y() - kMarkerSize / 2;
    if (x >= 0 && x <= width() - kMarkerSize && y >= 0 && y <= height() - kMarkerSize)
        shpRndSet_->move(x, y);
}

void TendencyPad::showLabelsAround(const QPoint& pointer) {
    for (QLabel* l : lblStatic_)
        l->setVisible(!l->geometry().contains(pointer));
}

void TendencyPad::mousePressEvent(QMouseEvent* e) {
    dragging_ = true;
    moveMarkerTo(e->position().toPoint());
}

void TendencyPad::mouseMoveEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (dragging_)
        moveMarkerTo(at);
    showLabelsAround(at);
}

void TendencyPad::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void TendencyPad::leaveEvent(QEvent*) {
    for (QLabel* l : lblStatic_)
        l->show();
}

void TendencyPad::resizeEvent(QResizeEvent*) {
    placeLabels();
}

void TendencyPad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Guides through the neutral middle.
    p.setPen(QPen(QColor(210, 210, 210), 1, Qt::DashLine));
    const int cx = (width() - kMarkerSize) / 2 + kMarkerSize / 2;
    const int cy = (height() - kMarkerSize) / 2 + kMarkerSize / 2;
    p.drawLine(cx, 0, cx, height());
    p.drawLine(0, cy, width(), cy);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace wavory
