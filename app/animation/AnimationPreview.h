#pragma once
// AnimationPreview ("アニメーション　プレビュー"): plays the animation's frames in a loop on a
// timer whose interval is the speed scroll bar's value (5 to 500 ms), and shows which
// frame is on screen and how long each frame really stayed. It wraps at the frames it
// was given, so it never steps onto a frame that does not exist. Closing only hides it
// and stops the timer; the size and the speed stay for the next opening.

#include "image/Canvas.h"

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace wavory {

class PreviewPicture;

class AnimationPreview : public QDialog {
    Q_OBJECT
  public:
    // Fills frame k (from 0); false when it is not held.
    using FrameSource = std::function<bool(int index, Canvas& frame)>;
    static constexpr int kMinSpeed = 5;
    static constexpr int kMaxSpeed = 500;

    explicit AnimationPreview(QWidget* parent = nullptr);

    // Before showing: the picture's size, the number of frames to loop over and where
    // they come from; starts the timer at frame 0 with an empty status.
    void prepare(int width, int height, int frames, FrameSource source);
    // Lays the window out around the picture size.
    void setFormSize();
    // lastTick_ = -1, status line empty.
    void initState();
    // One step: shows frame lFrame, moves on, updates the status.
    void onTimer();

    int speed() const;
    void setSpeed(int milliseconds); // out of 5..500 leaves it unchanged
    QString status() const;
    QImage shownFrame() const;
    const QTimer& timer() const { return tmrMain_; }
    // The millisecond tick counter; replaceable for tests.
    void setTickSource(std::function<std::int64_t()> tick) { tick_ = std::move(tick); }

    int lFrame = 0; // the next frame to show

  protected:
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void placeControls();

    QScrollBar* hscSpeed_;
    QLabel* lblFast_;
    QLabel* lblSlow_;
    QLineEdit* txtStatue_;
    PreviewPicture* picMain_;
    QTimer tmrMain_;
    FrameSource source_;
    Canvas frame_;
    int frames_ = 0;
    std::int64_t lastTick_ = -1;
    std::function<std::int64_t()> tick_;
};

// picMain: the frame on screen, one pixel per pixel.
class PreviewPicture : public QWidget {
  public:
    explicit PreviewPicture(QWidget* parent) : QWidget(parent) {}
    void setImage(QImage image) {
        image_ = std::move(image);
        update();
    }
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QImage image_;
};

} // namespace wavory
