#pragma once
// ColorPointRow: the color set editor's preview (picGrad) with the swatches of the color
// points under it (picPoint_0 … picPoint_11, each hung from its line linPoint_i). It
// holds the colors of all twelve points, shows the first count() of them evenly spaced
// under the preview, and paints the preview from them with the level exponent.

#include "colorsets/GColor.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <span>

class QFrame;

namespace wavory {

class ColorSwatch;
class GradientView;

class ColorPointRow : public QWidget {
    Q_OBJECT
  public:
    using Points = std::array<std::int32_t, kMaxColorPoints>;

    // topicProperty and swatchTopic: the easy-help topic the swatches carry.
    ColorPointRow(const char* topicProperty, int swatchTopic, QWidget* parent);

    // Number of points shown (2..12) and the level exponent (0..8).
    int count() const { return count_; }
    int level() const { return level_; }
    // The color of swatch i (0..11), R + 256·G + 65536·B; hidden swatches keep theirs.
    std::int32_t pointColor(int i) const { return points_.at(static_cast<std::size_t>(i)); }
    const Points& points() const { return points_; }
    std::span<std::int32_t> visiblePoints();

    // Shows the first `count` swatches, evenly spaced (the preview is not repainted).
    void setCount(int count);
    // Takes the level exponent and repaints the preview.
    void setLevel(int level);
    // Takes every point's color: swatches and preview.
    void setPoints(const Points& points);
    // After the colors were changed through visiblePoints(): swatches, preview, tooltips.
    void pointsChanged();
    void showPointColors();
    // Paints the preview from the visible points.
    void drawPreview();
    // Refreshes the tooltips of the visible swatches.
    void showToolTips();

  Q_SIGNALS:
    void pointClicked(int index);

  private:
    GradientView* picGrad_ = nullptr;
    std::array<ColorSwatch*, kMaxColorPoints> picPoint_{};
    std::array<QFrame*, kMaxColorPoints> linPoint_{};
    int count_ = 0;
    int level_ = 8;
    Points points_{};
};

} // namespace wavory
