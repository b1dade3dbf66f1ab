#include "ControlFactory.h"

#include "FieldInput.h"

#include "common/KeyFilters.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

namespace wavory {

QPushButton* commandButton(const char* name, const QString& caption, QWidget* parent,
                           int helpTopic) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setFixedHeight(24);
    if (helpTopic >= 0)
        b->setProperty("helpTopic", helpTopic);
    return b;
}

QLabel* namedLabel(const QString& name, const QString& caption, QWidget* parent, int helpTopic) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (helpTopic >= 0)
        l->setProperty("helpTopic", helpTopic);
    return l;
}

QLineEdit* numberField(const QString& name, int width, QWidget* parent) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setFixedSize(width, 20);
    t->setAlignment(Qt::AlignRight);
    return t;
}

QLineEdit* digitField(const char* name, const QString& text, int maxChars, QWidget* parent) {
    QLineEdit* t = numberField(QLatin1String(name), 44, parent);
    t->setText(text);
    installKeyFilter(t, filterDigitKey);
    limitTyping(t, maxChars);
    return t;
}

} // namespace wavory
