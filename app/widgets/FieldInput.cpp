#include "FieldInput.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace wavory {

namespace {

class KeyFilter : public QObject {
  public:
    KeyFilter(QLineEdit* field, int (*filter)(int)) : QObject(field), filter_(filter) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const QChar c = typedCharacter(static_cast<QKeyEvent*>(e));
            if (!c.isNull() && filter_(c.unicode()) == 0)
                return true;
        }
        return QObject::eventFilter(watched, e);
    }

  private:
    int (*filter_)(int);
};

// Refuses an edit that would make the text longer than the limit, unless it does not
// lengthen a text that was already longer (set by the program).
class LengthValidator : public QValidator {
  public:
    LengthValidator(QLineEdit* field, int maxChars)
        : QValidator(field), previous_(field->text()), max_(maxChars) {
        connect(field, &QLineEdit::textChanged, this, [this](const QString& t) { previous_ = t; });
    }
    State validate(QString& input, int&) const override {
        if (input.size() <= max_ || input.size() <= previous_.size())
            return Acceptable;
        return Invalid;
    }

  private:
    QString previous_;
    int max_;
};

} // namespace

QChar typedCharacter(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace)
        return QChar(8);
    const QString t = e->text();
    if (t.size() != 1)
        return {};
    const QChar c = t.front();
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return {};
    return c;
}

void installKeyFilter(QLineEdit* field, int (*filter)(int)) {
    field->installEventFilter(new KeyFilter(field, filter));
}

void limitTyping(QLineEdit* field, int maxChars) {
    field->setValidator(new LengthValidator(field, maxChars));
}

} // namespace wavory
