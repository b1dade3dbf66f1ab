#pragma once
// VariationPicker: the variations window ("バリエーション"), modeless. Nine thumbnails in three
// rows; clicking one adopts its values. The slider sets the spread of the next set,
// "新しく作る" makes it. Closing the window stops the drawings still running.

#include <QWidget>

#include <array>

class QImage;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace wavory {

class DrawSession;
class VariationController;

class VariationPicker : public QWidget {
    Q_OBJECT
  public:
    VariationPicker(VariationController& variations, DrawSession& session,
                  QWidget* parent = nullptr);

    // Thumbnails shown so far in the current set.
    int shownCount() const;

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void clearThumbnails();
    void showThumbnail(int index, const QImage& thumbnail);
    void showFailure(int index);

    VariationController& variations_;
    std::array<QToolButton*, 9> picVariation_{};
    QSlider* sldSpread_;
    QLabel* lblSpread_;
    QPushButton* cmdNew_;
};

} // namespace wavory
