#include "HelpPages.h"

#include "platform/Resources.h"
#include "platform/UserDialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

namespace wavory {

HelpPages::HelpPages(UserDialogs& dialogs, QWidget* window)
    : QObject(window), dialogs_(dialogs), window_(window),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

QString HelpPages::resourceFolder() const {
    if (!resourceFolder_.isEmpty())
        return resourceFolder_;
    return findResourceFolder(QCoreApplication::applicationDirPath());
}

void HelpPages::show(const QString& topic) {
    const QString pages = helpPagesFolder(resourceFolder(), installedUiLanguage());
    const QString path = helpFilePath(pages, topic);
    int failure = 0;
    if (!QFileInfo(path).isFile()) {
        failure = kHelpFileNotFound;
    } else if (!openUrl_ || !openUrl_(QUrl::fromLocalFile(path))) {
        failure = kHelpNoHandler;
    }
    if (failure != 0)
        dialogs_.message(window_, helpFailureMessage(failure), MessageIcon::Critical);
}

void HelpPages::showContents() {
    // The contents page, one level above the help folder.
    show(QStringLiteral("..\\help.htm"));
}

} // namespace wavory
