#pragma once
// FrameWindow: the frame settings window. It shows the parameter model's frame settings and
// passes every edit to the model, which is what a drawing reads; the frame size is kept within half
// the image size, width and height can be locked together, and everything but the on/off box greys
// out while the frame is off.

#include "params/ParamFields.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace wavory {

class ParamController;
class UpDown;
class UserDialogs;
class ColorSwatch;

class FrameWindow : public QWidget {
    Q_OBJECT
  public:
    FrameWindow(UserDialogs& dialogs, ParamController& params, QWidget* parent = nullptr);

    // Maxima of the width and height from the image size; texts above them are cut.
    void updXYMaxSet();
    // Every control follows the on/off box, which itself stays enabled.
    void enableFrameControls();

    // What the controls show; setting it edits the model through the controls.
    FrameFields frameFields() const;
    void setFrameFields(const FrameFields& frame);
    bool xyFix() const;
    void setXYFix(bool on);

    int maxX() const { return maxX_; }
    int maxY() const { return maxY_; }

    // The program is ending: a close request then really closes the window; any other
    // close request (the close box) only hides it.
    void allowClose() { closing_ = true; }

  Q_SIGNALS:
    void closedByUser();
    // F1: the window's help page.
    void helpFileRequested(const QString& topic);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void step(QLineEdit* field, int delta, int maximum);
    void mirror(QLineEdit* from, QLineEdit* to);
    void pickColor();

    // Every control's change goes into the model.
    void storeInModel();

    UserDialogs& dialogs_;
    ParamController& params_;
    int maxX_ = 1;
    int maxY_ = 1;

    QCheckBox* chkFrameEnabled_;
    QGroupBox* fraFrameType_;
    QGroupBox* fraFrameSize_;
    QWidget* fraFrameColor_;
    ColorSwatch* picFrameColor_;
    QLineEdit* txtX_;
    QLineEdit* txtY_;
    UpDown* updX_;
    UpDown* updY_;
    QCheckBox* chkXYFix_;
    QSlider* sldFrameSenmei_;
    QSlider* sldFrameShadow_;
    QSlider* sldFrameLine_;
    QLabel* lblFrameSenmei_;
    QLabel* lblFrameShadow_;
    QLabel* lblFrameLine_;
    bool closing_ = false;
};

// picFrameColor: a clickable color swatch.
class ColorSwatch : public QWidget {
    Q_OBJECT
  public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    QColor color() const { return color_; }
    void setColor(const QColor& c);

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    QColor color_ = Qt::black;
};

// 24-bit color values: red in the low byte.
std::int32_t colorValue(const QColor& c);
QColor colorFromValue(std::int32_t value);

} // namespace wavory
