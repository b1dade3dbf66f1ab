#include "ParamFieldKeys.h"

#include "drawing/DrawCommand.h"
#include "widgets/FieldInput.h"
#include "files/FileDrops.h"
#include "drawing/PictureWindow.h"

#include "common/Clamps.h"
#include "common/KeyFilters.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace wavory {

namespace {

// Nothing typed yet but perhaps a sign: the number is still being typed, so the hold to
// 1..999999 waits until the field is left or the value is drawn.
bool numberNotStarted(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+");
}

void holdToRange(QLineEdit* field) {
    const std::string checked = clampFieldText(field->text().toStdString(), 999999, 1);
    if (checked != field->text().toStdString())
        field->setText(QString::fromStdString(checked));
}

} // namespace

ParamFieldKeys::ParamFieldKeys(const Parts& parts, QObject* parent)
    : QObject(parent), parts_(parts) {}

void ParamFieldKeys::addValueField(QLineEdit* field) {
    add(field, Kind::Value);
}

void ParamFieldKeys::addCenterField(QLineEdit* field) {
    add(field, Kind::Center);
    centers_.push_back(field);
}

void ParamFieldKeys::addBleedField(QLineEdit* field) {
    add(field, Kind::Bleed);
}

void ParamFieldKeys::add(QLineEdit* field, Kind kind) {
    fields_.emplace_back(field, kind);
    field->installEventFilter(this);
}

bool ParamFieldKeys::eventFilter(QObject* watched, QEvent* e) {
    const auto found = std::find_if(fields_.begin(), fields_.end(),
                                    [watched](const auto& f) { return f.first == watched; });
    if (found == fields_.end())
        return false;
    QLineEdit* field = found->first;
    const Kind kind = found->second;
    if (parts_.drops.handle(e))
        return true;

    if (kind == Kind::Center && e->type() == QEvent::FocusIn && centers_.size() == 2) {
        parts_.picture.moveCenterMarker(centers_[0]->text(), centers_[1]->text());
        parts_.picture.showCenterMarker(true);
    } else if (kind == Kind::Center && e->type() == QEvent::FocusOut) {
        parts_.picture.showCenterMarker(false);
    } else if (kind == Kind::Value && e->type() == QEvent::FocusOut) {
        if (numberNotStarted(field->text()))
            holdToRange(field);
    } else if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            parts_.draw.runFromField(field);
            return true;
        }
        const QChar typed = typedCharacter(ke);
        if (!typed.isNull()) {
            if (kind == Kind::Value) {
                // Before the key takes effect the text is held to 1..999999.
                if (!numberNotStarted(field->text()))
                    holdToRange(field);
            } else if (filterNumberKey(typed.unicode()) == 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace wavory
