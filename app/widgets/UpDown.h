#pragma once
// A small two-arrow up-down control laid over the right end of a text field. It keeps
// no value of its own: it only reports "up" and "down" presses (repeating while held),
// and the window decides what a step means for its field.

#include <QTimer>
#include <QWidget>

class QLineEdit;

namespace wavory {

class UpDown : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 12;

    // Becomes a child of the field, covering its right end; the field's text keeps
    // clear of it.
    explicit UpDown(QLineEdit* field);

    QSize sizeHint() const override { return {kWidth, 20}; }

  public Q_SLOTS:
    void clickUp() { Q_EMIT up(); }
    void clickDown() { Q_EMIT down(); }

  Q_SIGNALS:
    void up();
    void down();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    enum class Part { None, Up, Down };
    void step();
    void place();

    QLineEdit* field_;
    Part pressed_ = Part::None;
    QTimer repeat_;
};

} // namespace wavory
