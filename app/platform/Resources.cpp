#include "Resources.h"

#include "QtText.h"

#include "common/Numbers.h"
#include "io/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

namespace wavory {

QString findResourceFolder(const QString& exeDir) {
    const QString candidates[] = {
        QDir::cleanPath(exeDir + QStringLiteral("/resources")),
        QDir::cleanPath(exeDir + QStringLiteral("/../share/wavory")),
    };
    for (const QString& c : candidates) {
        if (QFileInfo(c).isDir())
            return c + QLatin1Char('/');
    }
    return candidates[0] + QLatin1Char('/');
}

QString helpPagesFolder(const QString& resources, UiLanguage language) {
    return language == UiLanguage::English ? resources + QStringLiteral("en/") : resources;
}

QString helpFilePath(const QString& resources, const QString& topic) {
    QString relative = topic;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(resources + QStringLiteral("/help/") + relative);
}

QString helpFailureMessage(int code) {
    return Ui::tr("ヘルプを表示できません。\r\nRet=%1")
        .arg(QString::fromStdString(signPositionForm(code)));
}

void provideColorSetFolder(const QString& folder, const QString& resources) {
    QDir dir(folder);
    if (dir.exists() || !QDir().mkpath(folder))
        return;
    const QDir samples(resources + QStringLiteral("colorset"));
    for (const QFileInfo& f :
         samples.entryInfoList({QStringLiteral("*.cst")}, QDir::Files, QDir::Name)) {
        std::string bytes;
        if (readWholeFile(f.absoluteFilePath().toStdString(), bytes))
            continue;
        writeFileAtomically(dir.absoluteFilePath(f.fileName()).toStdString(), bytes);
    }
}

} // namespace wavory
