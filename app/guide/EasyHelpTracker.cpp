#include "EasyHelpTracker.h"

#include <QCoreApplication>
#include <QDynamicPropertyChangeEvent>
#include <QMouseEvent>
#include <QWidget>

namespace wavory {

namespace {

constexpr const char* kTopicProperty = "helpTopic";

// Qt's own parts of compound controls (a spin box's field, a scroll area's viewport).
bool isNamed(const QObject* o) {
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

} // namespace

EasyHelpTracker::EasyHelpTracker(std::function<void(int)> report, QObject* parent)
    : QObject(parent), report_(std::move(report)) {
    QCoreApplication::instance()->installEventFilter(this);
}

std::optional<int> EasyHelpTracker::topicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property(kTopicProperty);
        if (topic.isValid())
            return topic.toInt();
        if (isNamed(w) || w->isWindow())
            return std::nullopt;
    }
    return std::nullopt;
}

bool EasyHelpTracker::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseMove && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // A move a control lets pass travels on to its parents: only the innermost widget
        // under the pointer counts.
        const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
        if (!widget->childAt(at)) {
            under_ = widget;
            if (const std::optional<int> topic = topicOf(widget))
                report_(*topic);
        }
    } else if (e->type() == QEvent::Leave && watched == under_.data()) {
        under_.clear(); // the pointer has left the program's windows
    } else if (e->type() == QEvent::DynamicPropertyChange && watched == under_.data() &&
               static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName() == kTopicProperty) {
        if (const std::optional<int> topic = topicOf(under_))
            report_(*topic);
    }
    return QObject::eventFilter(watched, e);
}

} // namespace wavory
