#pragma once
// The program's parts with scripted dialogs and a seeded generator, found control by control
// through the program's object names.

#include "drawing/PictureDocument.h"
#include "ScriptedDialogs.h"
#include "values/FrameWindow.h"
#include "ProgramRoot.h"
#include "drawing/PictureWindow.h"

#include "common/RandomSource.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace wavory::test {

class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        makeProgram();
        main->show();
        QApplication::setActiveWindow(main);
    }
    void TearDown() override {
        main = nullptr;
        root.reset();
    }
    // A new program in place of the one there (its windows are not shown yet).
    void makeProgram() {
        auto next = std::make_unique<ProgramRoot>(dialogs, random);
        main = next->mainWindow();
        root = std::move(next);
    }

    template <typename T = QWidget> T* find(const QString& name) {
        T* w = main->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* value(int i) { return find<QLineEdit>(QStringLiteral("txtValue_%1").arg(i)); }
    QCheckBox* component(int k) { return find<QCheckBox>(QStringLiteral("chkValue_%1").arg(k)); }
    QPushButton* button(const char* name) { return find<QPushButton>(QLatin1String(name)); }
    QAction* action(const char* name) { return find<QAction>(QLatin1String(name)); }
    QString text(int i) { return value(i)->text(); }

    // Window activation arrives through the event loop: wait for it a little.
    static bool waitFor(const std::function<bool()>& condition, int ms = 2000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > ms)
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    // Shows a parameter set that draws quickly and visibly: vertical and circle only.
    void simpleParameters() {
        for (int k = 0; k < kComponentCount; ++k)
            component(k)->setChecked(k == 0 || k == 3);
        const char* texts[kValueSlotCount] = {"30", "100", "1", "0", "1", "0", "40", "80", "50",
                                              "1",  "1",   "0", "1", "0", "1", "0",  "1",  "0"};
        for (int i = 0; i < kValueSlotCount; ++i)
            value(i)->setText(QLatin1String(texts[i]));
    }

    RandomSource random{12345};
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramRoot> root;
    QMainWindow* main = nullptr; // root's main window
};

} // namespace wavory::test
