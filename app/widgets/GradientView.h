#pragma once
// picGrad: the main window's gradient bar. It shows the column colors it was last given
// (one per pixel column, stretched over the bar's height) and keeps them until the next
// repaint of the bar is asked for.

#include "image/Canvas.h"

#include <QImage>
#include <QWidget>

#include <vector>

namespace wavory {

class GradientView : public QWidget {
    Q_OBJECT
  public:
    explicit GradientView(QWidget* parent = nullptr);

    void setColumns(const std::vector<Rgb>& columns);
    // Width in pixels the columns are computed for.
    int barWidth() const { return width() - 2; }
    QRgb columnColor(int x) const;

  Q_SIGNALS:
    void resized();

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

  private:
    QImage row_;
};

} // namespace wavory
