#pragma once
// The main window with its platform services answered by the test: help pages opened
// and programs started are recorded, resources come from a temporary folder, and modal
// dialogs are answered while they are open.

#include "../TempFolder.h"
#include "AppFixture.h"

#include "io/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <string>
#include <utility>
#include <vector>

namespace wavory::test {

class SharingFixture : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        resources = workPath() + QStringLiteral("/resources/");
        QDir().mkpath(resources + QStringLiteral("help"));
        root->helpPages().setResourceFolder(resources);
        root->helpPages().setUrlOpener([this](const QUrl& url) {
            openedUrls.push_back(url);
            return openResult;
        });
        root->saveController().setProgramStarter(
            [this](const QString& program, const QStringList& args) {
                started.emplace_back(program, args);
                return startResult;
            });
    }

    // A file in the test's own folder.
    QString workPath() const { return QString::fromStdString(work.str()); }
    QString path(const QString& name) const { return workPath() + QLatin1Char('/') + name; }
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A text file the program wrote (CP932 or UTF-8), as UTF-8.
    static QString readText(const QString& file) {
        const QByteArray bytes = readFile(file);
        return QString::fromStdString(
            textcodec::decodeFileText(std::string_view(bytes.constData(), bytes.size())));
    }

    // Runs `answer` on the modal dialog of type T as soon as the next one is open.
    template <typename T> void whenOpen(std::function<void(T*)> answer) {
        QTimer::singleShot(0, main, [answer] {
            T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no open " << T::staticMetaObject.className();
            answer(dialog);
        });
    }
    // Afterwards, modalSeen tells whether any modal window opened (it is closed at once).
    void watchForModal() {
        modalSeen = false;
        QTimer::singleShot(0, main, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                modalSeen = true;
                w->close();
            }
        });
    }

    QComboBox* list() { return find<QComboBox>(QStringLiteral("cbogColor")); }
    int selected() { return root->colorSets().selectedIndex(); }
    int setCount() { return root->colorSets().colorSetCount(); }
    QString setName(int i) { return QString::fromStdString(root->colorSets().at(i).name); }
    void selectSet(int i) { list()->setCurrentIndex(i); }
    ShownMessage lastMessage() {
        EXPECT_FALSE(dialogs.shown.empty());
        return dialogs.shown.empty() ? ShownMessage{} : dialogs.shown.back();
    }

    const wavory::testing::TempFolder work;
    QString resources;
    std::vector<QUrl> openedUrls;
    bool openResult = true;
    std::vector<std::pair<QString, QStringList>> started;
    bool startResult = true;
    bool modalSeen = false;
};

} // namespace wavory::test
