// The window and control helpers shared by the windows.

#include "ScriptedDialogs.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace wavory;
using namespace wavory::test;

TEST(WindowHelpers, SetCenterModes) {
    QWidget container;
    container.resize(200, 100);
    QWidget control(&container);
    control.setGeometry(7, 9, 50, 21);
    SetCenter(&control, &container, 1);
    EXPECT_EQ(control.pos(), QPoint(75, 9));
    control.move(7, 9);
    SetCenter(&control, &container, 2);
    EXPECT_EQ(control.pos(), QPoint(7, 39)); // (100 - 21) \ 2
    SetCenter(&control, &container, 3);
    EXPECT_EQ(control.pos(), QPoint(75, 39));
    control.move(7, 9);
    SetCenter(&control, &container, 4);
    EXPECT_EQ(control.pos(), QPoint(7, 9));
}

TEST(WindowHelpers, EnablingWindowsAndContainers) {
    QWidget window;
    auto* frame = new QGroupBox(&window);
    auto* inFrame = new QPushButton(frame);
    auto* nested = new QGroupBox(frame);
    auto* deep = new QPushButton(nested);
    auto* outside = new QPushButton(&window);
    auto* timer = new QTimer(&window);
    (void)timer;

    SetContainerEnabled(frame, false, false);
    EXPECT_FALSE(inFrame->isEnabled());
    EXPECT_FALSE(nested->isEnabled());
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_TRUE(outside->isEnabled());
    SetContainerEnabled(frame, true, false);
    SetContainerEnabled(frame, false, true);
    EXPECT_FALSE(frame->isEnabled());
    SetContainerEnabled(frame, true, true);
    EXPECT_TRUE(inFrame->isEnabled());

    SetFromEnabled(&window, false);
    for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(inFrame),
                       static_cast<QWidget*>(deep), static_cast<QWidget*>(outside)}) {
        EXPECT_FALSE(w->isEnabled());
    }
    SetFromEnabled(&window, true);
    EXPECT_TRUE(deep->isEnabled());

    QTimer t;
    QDialog d;
    EXPECT_FALSE(SupportEnabled(&t));
    EXPECT_FALSE(SupportEnabled(&d));
    EXPECT_FALSE(SupportEnabled(nullptr));
    EXPECT_TRUE(SupportEnabled(outside));
    EXPECT_FALSE(SupportContainer(&t));
    EXPECT_TRUE(SupportContainer(frame));
}

TEST(WindowHelpers, ChkFormPosBringsAWindowBack) {
    QWidget w;
    w.resize(120, 80);
    w.show();
    const QRect screen = w.screen()->geometry();
    w.move(screen.width() + 50, 10);
    ChkFormPos(&w);
    EXPECT_EQ(w.frameGeometry().right() + 1, screen.width());
    EXPECT_EQ(w.frameGeometry().top(), 10);
    w.move(-30, screen.height() + 5);
    ChkFormPos(&w);
    EXPECT_EQ(w.frameGeometry().left(), -30); // negative positions stay
    EXPECT_EQ(w.frameGeometry().top(), 0);
}

TEST(WindowHelpers, SetFontExistFallsBack) {
    ScriptedDialogs dialogs;
    QLabel label;
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    QString name = families.front();
    EXPECT_EQ(SetFontExist(&label, name, families.front(), dialogs), 0);
    name = QStringLiteral("No Such Font Wavory");
    EXPECT_EQ(SetFontExist(&label, name, families.front(), dialogs), 1);
    EXPECT_EQ(name, families.front());
    EXPECT_EQ(label.font().family(), families.front());
    EXPECT_TRUE(dialogs.shown.empty());
    name = QStringLiteral("No Such Font Wavory");
    EXPECT_EQ(SetFontExist(&label, name, QStringLiteral("Nor This One"), dialogs), 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "標準フォントの設定に失敗しました。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
}

TEST(WindowHelpers, TitleBarHeightInTwips) {
    EXPECT_EQ(TitleYSize() % kTwipsPerPixel, 0);
    EXPECT_GT(TitleYSize(), 0);
}
