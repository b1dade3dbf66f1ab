#pragma once
// The dialogs of the window tests: every message box is recorded with its text, icon,
// buttons and default button and answered from a script; color and font answers and
// beeps likewise.

#include "platform/UserDialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace wavory::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    DefaultButton defaultButton = DefaultButton::Affirmative;
};

// One file dialog as it was asked for: which kind, its title, file types and the name
// it proposed.
struct FileRequest {
    bool save;
    QString title;
    QString filters;
    QString fileName;
};

class ScriptedDialogs : public UserDialogs {
  public:
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;        // empty: OK, or Yes for a Yes/No box
    std::deque<std::optional<QColor>> colors; // empty: the dialog is cancelled
    std::deque<std::optional<QFont>> fonts;   // empty: the dialog is cancelled
    std::deque<QString> fileNames;            // empty: the dialog is cancelled
    std::vector<FileRequest> fileRequests;
    int beeps = 0;
    // Called as each message box opens, to look at the windows behind it.
    std::function<void(const QString&)> onMessage;

    MessageAnswer message(QWidget*, const QString& text, MessageIcon icon, MessageButtons buttons,
                          DefaultButton defaultButton) override {
        shown.push_back({text, icon, buttons, defaultButton});
        if (onMessage)
            onMessage(text);
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::Yes;
    }
    QString openFileName(QWidget*, const QString& title, const QString& filters,
                         const QString& fileName) override {
        fileRequests.push_back({false, title, filters, fileName});
        return nextFileName();
    }
    QString saveFileName(QWidget*, const QString& title, const QString& filters,
                         const QString& fileName) override {
        fileRequests.push_back({true, title, filters, fileName});
        return nextFileName();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        if (colors.empty())
            return std::nullopt;
        const auto c = colors.front();
        colors.pop_front();
        return c;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override {
        if (fonts.empty())
            return std::nullopt;
        const auto f = fonts.front();
        fonts.pop_front();
        return f;
    }
    void beep() override { ++beeps; }

  private:
    QString nextFileName() {
        if (fileNames.empty())
            return {};
        const QString f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
};

} // namespace wavory::test
