#pragma once
// picRndSet: the pad of the options dialog on which the random setting's tendency is
// chosen. A red marker (shpRndSet) stands for the two tendencies: left to right the
// period (short to long, RndSetBS), top to bottom the amplitude (large to small,
// RndSetSW); the middle is 0 and the edges about -1 and +1. A press puts the marker
// under the pointer and dragging moves it; a position that would leave the pad is not
// taken. The four axis labels lie on the pad's edges and hide while the pointer is over
// them, so that the marker can be placed under them.

#include <QWidget>

#include <array>

class QLabel;

namespace wavory {

// Along one axis of `size` pixels with a marker of `marker` pixels: the marker's offset
// for a tendency, int(size × tendency) div 2 + int(size − marker) div 2, and the tendency
// of an offset, (offset + int(marker − size) div 2) / size × 2 (int rounds half to even,
// div truncates). The middle offset gives exactly 0.
int markerOffset(int size, int marker, double tendency);
double tendencyOf(int offset, int size, int marker);

class TendencyPad : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMarkerSize = 7;
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;

    explicit TendencyPad(QWidget* parent = nullptr);

    // Places the marker for the tendencies (not limited to the pad).
    void setTendency(double period, double amplitude);
    double periodTendency() const;
    double amplitudeTendency() const;
    // cmdReset: the marker in the middle.
    void reset();

    QWidget* marker() const { return shpRndSet_; }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    // Centres the marker on the point when it stays on the pad; otherwise nothing.
    void moveMarkerTo(const QPoint& at);
    // Every axis label shows except one under the pointer.
    void showLabelsAround(const QPoint& pointer);
    void placeLabels();

    QWidget* shpRndSet_;
    std::array<QLabel*, 4> lblStatic_{}; // 振幅大, 振幅小, 周期小, 周期大
    bool dragging_ = false;
};

} // namespace wavory
