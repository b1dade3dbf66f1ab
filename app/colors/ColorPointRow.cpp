#include "ColorPointRow.h"

#include "widgets/GradientView.h"
#include "platform/QtText.h"
#include "values/FrameWindow.h"

#include "colorsets/ColorEditing.h"
#include "colorsets/GradientBar.h"
#include "common/ColorValue.h"

#include <QApplication>
#include <QFrame>

namespace wavory {

namespace {

// The preview and the swatches under it. The preview's width minus 4 divides evenly for
// 2, 3, 5, 6, 9 and 12 points, so the last swatch then sits exactly under its end.
constexpr int kPreviewWidth = 444;
constexpr int kPreviewHeight = 30;
constexpr int kLineLength = 9;
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 20;
constexpr int kAreaMargin = kSwatchWidth / 2 + 2;

// The busy pointer on every window of the program while the preview repaints.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

ColorPointRow::ColorPointRow(const char* topicProperty, int swatchTopic, QWidget* parent)
    : QWidget(parent) {
    // Swatches that become visible for the first time are white.
    points_.fill(kWhiteColorValue);
    setFixedSize(kPreviewWidth + 2 * kAreaMargin, kPreviewHeight + kLineLength + kSwatchHeight);
    picGrad_ = new GradientView(this);
    picGrad_->setFixedSize(kPreviewWidth, kPreviewHeight);
    picGrad_->move(kAreaMargin, 0);
    for (int i = 0; i < kMaxColorPoints; ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("linPoint_%1").arg(i));
        line->setFixedSize(1, kLineLength);
        line->setAutoFillBackground(true);
        line->setBackgroundRole(QPalette::WindowText);
        line->hide();
        linPoint_[static_cast<std::size_t>(i)] = line;

        auto* swatch = new ColorSwatch(this);
        swatch->setObjectName(QStringLiteral("picPoint_%1").arg(i));
        swatch->setFixedSize(kSwatchWidth, kSwatchHeight);
        swatch->setProperty(topicProperty, swatchTopic);
        swatch->setColor(colorFromValue(kWhiteColorValue));
        swatch->hide();
        picPoint_[static_cast<std::size_t>(i)] = swatch;
        connect(swatch, &ColorSwatch::clicked, this, [this, i] { Q_EMIT pointClicked(i); });
    }
}

std::span<std::int32_t> ColorPointRow::visiblePoints() {
    return std::span<std::int32_t>(points_.data(), static_cast<std::size_t>(count_));
}

void ColorPointRow::setCount(int count) {
    count_ = count;
    const int step = count_ > 1 ? (kPreviewWidth - 4) / (count_ - 1) : 0;
    for (int i = 0; i < kMaxColorPoints; ++i) {
        ColorSwatch* swatch = picPoint_[static_cast<std::size_t>(i)];
        QFrame* line = linPoint_[static_cast<std::size_t>(i)];
        if (i >= count_) {
            swatch->hide();
            line->hide();
            continue;
        }
        const int center = kAreaMargin + 2 + i * step;
        line->move(center, kPreviewHeight);
        swatch->move(center - kSwatchWidth / 2, kPreviewHeight + kLineLength);
        line->show();
        swatch->show();
    }
}

void ColorPointRow::setLevel(int level) {
    level_ = level;
    drawPreview();
}

void ColorPointRow::setPoints(const Points& points) {
    points_ = points;
    showPointColors();
    drawPreview();
}

void ColorPointRow::pointsChanged() {
    showPointColors();
    drawPreview();
    showToolTips();
}

void ColorPointRow::showPointColors() {
    for (std::size_t i = 0; i < points_.size(); ++i)
        picPoint_[i]->setColor(colorFromValue(points_[i]));
}

void ColorPointRow::drawPreview() {
    if (count_ == 0)
        return;
    const BusyPointer busy;
    const GColor set = editedSet({}, level_, visiblePoints());
    picGrad_->setColumns(gradPreviewColors(set, picGrad_->barWidth()));
}

void ColorPointRow::showToolTips() {
    for (int i = 0; i < count_; ++i) {
        const auto p = static_cast<std::size_t>(i);
        picPoint_[p]->setToolTip(toQ(swatchToolTip(points_[p])));
    }
}

} // namespace wavory
