#pragma once
// HelpPages: opens the help pages shipped with the program, in the windows' language, with
// the desktop's default handler, and reports a page that cannot be shown.

#include <QObject>
#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace wavory {

class UserDialogs;

class HelpPages : public QObject {
    Q_OBJECT
  public:
    // window: the parent of the failure message.
    HelpPages(UserDialogs& dialogs, QWidget* window);

    // Opens the language's help folder + topic ("..\help.htm" is the contents page beside
    // the help folder).
    void show(const QString& topic);
    // The contents page.
    void showContents();

    // The folder of the shipped files: the one given, else the one beside the program.
    QString resourceFolder() const;
    void setResourceFolder(const QString& folder) { resourceFolder_ = folder; }
    // The default handler of a file; replaceable for tests.
    void setUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }

  private:
    UserDialogs& dialogs_;
    QWidget* window_;
    std::function<bool(const QUrl&)> openUrl_;
    QString resourceFolder_;
};

} // namespace wavory
