#pragma once
// Starts copies of the program as main() does (its command line through the program's
// options), each test in a fresh program folder:
// modal dialogs shown on the way (the welcome dialog) are answered, the end of the process
// is recorded instead of leaving the test's event loop.

#include "../TempFolder.h"
#include "ProgramLaunch.h"
#include "drawing/PictureDocument.h"
#include "platform/ProgramOptions.h"
#include "ScriptedDialogs.h"
#include "guide/WelcomeDialog.h"
#include "ProgramRoot.h"

#include "common/RandomSource.h"
#include "image/Canvas.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace wavory::test {

class StartupFixture : public ::testing::Test {
  protected:
    struct Run {
        std::unique_ptr<ProgramRoot> program;
        bool loaded = false;   // load said the program runs
        bool finished = false; // the first drawing is done
        int processEnds = 0;   // quit ended the process
    };

    void SetUp() override {
        previousHome_ = qgetenv("WAVORY_HOME");
        qputenv("WAVORY_HOME", home_.str().c_str());
        // Answers every modal dialog as soon as it is on screen.
        modalTimer_ = std::make_unique<QTimer>();
        modalTimer_->setInterval(5);
        QObject::connect(modalTimer_.get(), &QTimer::timeout, [this] { answerModal(); });
        modalTimer_->start();
    }

    void TearDown() override {
        modalTimer_.reset();
        runs_.clear();
        qputenv("WAVORY_HOME", previousHome_);
    }

    QString home() const { return QString::fromStdString(home_.str()) + QLatin1Char('/'); }
    QString path(const QString& name) const { return home() + name; }

    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Starts a copy; waits for its first drawing unless it was refused.
    Run& start(const QStringList& arguments = {}) {
        auto run = std::make_unique<Run>();
        run->program = std::make_unique<ProgramRoot>(dialogs, random);
        Run* r = run.get();
        StartupController& startup = r->program->startup();
        startup.setProcessEnd([r] { ++r->processEnds; });
        if (!lockFile.isEmpty())
            startup.setLockFile(lockFile);
        QObject::connect(&startup, &StartupController::startupFinished,
                         [r] { r->finished = true; });
        if (beforeLaunch)
            beforeLaunch(*r->program);
        runs_.push_back(std::move(run));
        r->loaded = launch(*r->program, parseProgramOptions(arguments));
        if (r->loaded) {
            EXPECT_TRUE(waitFor([r] { return r->finished; }, 20000));
        }
        return *r;
    }

    // The main window's close request, as from its close box.
    static void closeMain(Run& run) { run.program->mainWindow()->close(); }

    static bool waitFor(const std::function<bool()>& condition, int ms = 3000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > ms)
                return false;
            QTest::qWait(5);
        }
        return true;
    }

    static bool anyPixelSet(const Canvas& canvas) {
        const std::uint8_t* p = canvas.data();
        const std::size_t n = static_cast<std::size_t>(canvas.rowBytes()) * canvas.height();
        return std::any_of(p, p + n, [](std::uint8_t b) { return b != 0; });
    }

    // What the program folder holds: names with their contents and modification times.
    std::map<QString, std::pair<QByteArray, qint64>> folderSnapshot() const {
        std::map<QString, std::pair<QByteArray, qint64>> snapshot;
        for (const QFileInfo& fi :
             QDir(QString::fromStdString(home_.str()))
                 .entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            QFile f(fi.filePath());
            const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            snapshot[fi.fileName()] = {bytes, fi.lastModified().toMSecsSinceEpoch()};
        }
        return snapshot;
    }

    // Welcome dialogs seen: the check box's state when each opened.
    std::vector<bool> welcomeChecks;
    // When set, the welcome dialog's check box is put to this before OK.
    std::optional<bool> welcomeAnswer;
    // When set, the lock against a second copy instead of the program folder's.
    QString lockFile;
    // Called with each copy before it is launched (hooks into its parts).
    std::function<void(ProgramRoot&)> beforeLaunch;
    // Any other modal dialog: handed to this (it must close the dialog).
    std::function<void(QWidget*)> otherModal;

    RandomSource random{4711};
    ScriptedDialogs dialogs;

  private:
    void answerModal() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            handled_ = nullptr;
            return;
        }
        if (w == handled_)
            return;
        handled_ = w;
        if (auto* hello = qobject_cast<WelcomeDialog*>(w)) {
            auto* check = hello->findChild<QCheckBox*>(QStringLiteral("chkNext"));
            welcomeChecks.push_back(check->isChecked());
            if (welcomeAnswer)
                check->setChecked(*welcomeAnswer);
            hello->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        } else if (otherModal) {
            otherModal(w);
        }
    }

    const wavory::testing::TempFolder home_;
    QByteArray previousHome_;
    std::unique_ptr<QTimer> modalTimer_;
    QPointer<QWidget> handled_;
    std::vector<std::unique_ptr<Run>> runs_;
};

} // namespace wavory::test
