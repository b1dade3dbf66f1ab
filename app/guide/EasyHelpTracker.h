#pragma once
// Tells the easy help window which topic the control under the mouse pointer has, in
// every window of the program: one application-wide event filter reads the Qt property
// "helpTopic" (int) that controls carry where they are created. A window needs nothing
// more than that property on its controls and backgrounds.
//
// The control under the pointer speaks for itself: a named control without the property
// selects nothing (the topic shown stays), while unnamed helper widgets inside a control
// or a frame pass the question on to what holds them.

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QWidget;

namespace wavory {

class EasyHelpTracker : public QObject {
    Q_OBJECT
  public:
    // Installs itself on the application; deleting it removes it again.
    explicit EasyHelpTracker(std::function<void(int topic)> report, QObject* parent = nullptr);

    // The topic a widget selects, if any.
    static std::optional<int> topicOf(const QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    std::function<void(int)> report_;
    // The control under the pointer: when its topic changes (the draw button while a
    // drawing runs), the window follows without waiting for the next move.
    QPointer<QWidget> under_;
};

} // namespace wavory
