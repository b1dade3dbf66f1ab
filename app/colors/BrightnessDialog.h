#pragma once
// BrightnessDialog: the modal brightness dialog of the color set editor ("明度の調整").
// A slider from -256 to +256 adds its value to every channel of the visible points as
// they were when the dialog opened, live; OK keeps the result, Cancel (or the close box)
// puts every point back exactly as it was.

#include "colorsets/GColor.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QSlider;

namespace wavory {

class BrightnessDialog : public QDialog {
    Q_OBJECT
  public:
    using Points = std::array<std::int32_t, kMaxColorPoints>;

    // points: the colors of all 12 swatches; the first visibleCount are adjusted.
    // apply receives all 12 colors after every change (and the kept ones on Cancel).
    BrightnessDialog(const Points& points, int visibleCount,
                     std::function<void(const Points&)> apply, QWidget* parent = nullptr);

    int brightness() const;

  public Q_SLOTS:
    void reject() override;

  private:
    void onBrightnessChanged(int value);

    Points kept_;
    int visibleCount_;
    std::function<void(const Points&)> apply_;
    QSlider* sldBrightness_;
    QLabel* lblBrightness_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

} // namespace wavory
