#pragma once
// Every message box and every file, color and font dialog of the program goes through
// this one interface, so that tests can answer them and check exactly what was asked.
// The platform implementation shows Qt dialogs; message boxes carry the title "Wavory".

#include "common/Result.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

namespace wavory {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };
// The button Enter presses: the box's "yes"/"OK" answer, or its "no"/"cancel" one for a
// question whose yes destroys the user's data, so that a hasty Enter keeps it.
enum class DefaultButton { Affirmative, Negative };

inline const QString kProgramTitle = QStringLiteral("Wavory");

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // A modal message box; text line breaks are CR LF as in the core messages.
    virtual MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                                  MessageButtons buttons = MessageButtons::Ok,
                                  DefaultButton defaultButton = DefaultButton::Affirmative) = 0;
    // A question (Yes/No or OK/Cancel) whose yes replaces, removes or overwrites what the
    // user has: "no"/"cancel" is the default. True when the user answered yes/OK.
    bool confirmDestructive(QWidget* parent, const QString& text, MessageButtons buttons) {
        const MessageAnswer a =
            message(parent, text, MessageIcon::Question, buttons, DefaultButton::Negative);
        return a == MessageAnswer::Yes || a == MessageAnswer::Ok;
    }
    // File dialogs; filters in "description|pattern|description|pattern" form. An empty
    // result means the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& fileName) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& fileName) = 0;
    // Nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // The system beep.
    virtual void beep() = 0;

    // A core operation's outcome: every message in order, each with OK only. Returns
    // whether the operation succeeded.
    bool report(QWidget* parent, const Result& result) {
        for (const UserMessage& m : result.messages())
            show(parent, m);
        return result.ok();
    }
    // One of them, with OK only.
    void show(QWidget* parent, const UserMessage& m) {
        message(parent, QString::fromStdString(m.text), m.icon, MessageButtons::Ok);
    }
};

// The dialogs of the running program.
class QtUserDialogs : public UserDialogs {
  public:
    MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                          MessageButtons buttons,
                          DefaultButton defaultButton = DefaultButton::Affirmative) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filters,
                         const QString& fileName) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filters,
                         const QString& fileName) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    void beep() override;
};

// "a|*.a|b|*.b" -> "a (*.a);;b (*.b)" for QFileDialog.
QString qtFileFilter(const QString& pairs);

} // namespace wavory
