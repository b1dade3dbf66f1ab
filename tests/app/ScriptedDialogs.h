#pragma once
// The dialogs of the window tests: every message box is recorded with its text, icon and
// buttons and answered from a script; color answers and beeps likewise.

#include "UserDialogs.h"

#include <deque>
#include <vector>

namespace wavory::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class ScriptedDialogs : public UserDialogs {
  public:
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers; // empty: OK, or Yes for a Yes/No box
    std::deque<std::optional<QColor>> colors;
    std::deque<QString> fileNames;
    int beeps = 0;

    MessageAnswer message(QWidget*, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override {
        shown.push_back({text, icon, buttons});
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::Yes;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFileName();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFileName();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        if (colors.empty())
            return std::nullopt;
        const auto c = colors.front();
        colors.pop_front();
        return c;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }
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
