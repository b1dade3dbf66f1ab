#include "FieldSteps.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace wavory {

namespace {

class FieldStepper : public QObject {
  public:
    FieldStepper(QLineEdit* field, FieldStep step)
        : QObject(field), field_(field), step_(std::move(step)) {
        field->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (!field_->isEnabled() || field_->isReadOnly())
            return false;
        if (e->type() == QEvent::Wheel) {
            auto* we = static_cast<QWheelEvent*>(e);
            // Some systems turn a wheel with Shift held into a horizontal one.
            const QPoint angle = we->angleDelta();
            pending_ += angle.y() != 0 ? angle.y() : angle.x();
            const bool coarse = we->modifiers() & Qt::ShiftModifier;
            for (; pending_ >= kNotch; pending_ -= kNotch)
                step_(+1, coarse);
            for (; pending_ <= -kNotch; pending_ += kNotch)
                step_(-1, coarse);
            return true;
        }
        if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            const bool coarse = ke->modifiers() & Qt::ShiftModifier;
            if (ke->key() == Qt::Key_Up) {
                step_(+1, coarse);
                return true;
            }
            if (ke->key() == Qt::Key_Down) {
                step_(-1, coarse);
                return true;
            }
        }
        return false;
    }

  private:
    static constexpr int kNotch = 120; // QWheelEvent's eighths of a degree per notch
    QLineEdit* field_;
    FieldStep step_;
    int pending_ = 0;
};

} // namespace

void stepByWheelAndKeys(QLineEdit* field, FieldStep step) {
    new FieldStepper(field, std::move(step));
}

} // namespace wavory
