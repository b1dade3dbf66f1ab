// The window and control helpers shared by the windows.

#include "platform/QtJapanese.h"
#include "ScriptedDialogs.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
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
    centerInContainer(&control, &container, 1);
    EXPECT_EQ(control.pos(), QPoint(75, 9));
    control.move(7, 9);
    centerInContainer(&control, &container, 2);
    EXPECT_EQ(control.pos(), QPoint(7, 39)); // (100 - 21) \ 2
    centerInContainer(&control, &container, 3);
    EXPECT_EQ(control.pos(), QPoint(75, 39));
    control.move(7, 9);
    centerInContainer(&control, &container, 4);
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

    setContainerEnabled(frame, false, false);
    EXPECT_FALSE(inFrame->isEnabled());
    EXPECT_FALSE(nested->isEnabled());
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_TRUE(outside->isEnabled());
    setContainerEnabled(frame, true, false);
    setContainerEnabled(frame, false, true);
    EXPECT_FALSE(frame->isEnabled());
    setContainerEnabled(frame, true, true);
    EXPECT_TRUE(inFrame->isEnabled());

    setWindowControlsEnabled(&window, false);
    for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(inFrame),
                       static_cast<QWidget*>(deep), static_cast<QWidget*>(outside)}) {
        EXPECT_FALSE(w->isEnabled());
    }
    setWindowControlsEnabled(&window, true);
    EXPECT_TRUE(deep->isEnabled());

    QTimer t;
    QDialog d;
    EXPECT_FALSE(takesEnabling(&t));
    EXPECT_FALSE(takesEnabling(&d));
    EXPECT_FALSE(takesEnabling(nullptr));
    EXPECT_TRUE(takesEnabling(outside));
    EXPECT_FALSE(isEnablingContainer(&t));
    EXPECT_TRUE(isEnablingContainer(frame));
}

TEST(WindowHelpers, ChkFormPosBringsAWindowBack) {
    QWidget w;
    w.resize(120, 80);
    w.show();
    const QRect screen = w.screen()->geometry();
    w.move(screen.width() + 50, 10);
    keepOnScreen(&w);
    EXPECT_EQ(w.frameGeometry().right() + 1, screen.width());
    EXPECT_EQ(w.frameGeometry().top(), 10);
    w.move(-30, screen.height() + 5);
    keepOnScreen(&w);
    EXPECT_EQ(w.frameGeometry().left(), -30); // negative positions stay
    EXPECT_EQ(w.frameGeometry().top(), 0);
}

TEST(WindowPlacement, TitleBarsStayInsideAndNewWindowsKeepClear) {
    const QRect area(0, 0, 1600, 1200);
    // The title bar (24 high, 48 to grab) inside; the rest may reach past right and bottom.
    const struct {
        QRect outer;
        QPoint expected;
    } titled[] = {
        {{100, -20, 300, 200}, {100, 0}},       // title bar above the screen
        {{-300, 50, 300, 200}, {0, 50}},        // wholly left of it
        {{1580, 1190, 300, 200}, {1552, 1176}}, // title bar at the bottom right corner
        {{1500, 1100, 300, 200}, {1500, 1100}}, // partly off, its title bar on: stays
        {{1590, 10, 20, 200}, {1580, 10}},      // narrower than the grab width
    };
    for (const auto& t : titled)
        EXPECT_EQ(keepTitleBarInside(t.outer, area, 24, 48), t.expected) << t.outer.x();

    // Clear of the easy help window: moved the least that keeps it inside the screen.
    const QRect help(0, 900, 730, 180);
    const struct {
        QRect outer;
        QRect avoid;
        QPoint expected;
    } clear[] = {
        {{100, 800, 440, 560}, help, {100, 340}},    // bottom edge below the screen, over help
        {{200, 850, 440, 300}, help, {200, 600}},    // above it is nearer than right of it
        {{600, 950, 440, 200}, help, {730, 950}},    // right of it is nearest
        {{100, 100, 400, 300}, help, {100, 100}},    // already clear
        {{0, 0, 1600, 1200}, help, {0, 0}},          // nowhere clear: just inside
        {{100, 100, 400, 300}, QRect(), {100, 100}}, // nothing to avoid
        {{1400, 500, 400, 300}, QRect(1000, 400, 300, 500), {1200, 900}}, // in, then below
    };
    for (const auto& c : clear)
        EXPECT_EQ(placeClear(c.outer, c.avoid, area), c.expected) << c.outer.x();
}

TEST(WindowHelpers, SetFontExistFallsBack) {
    ScriptedDialogs dialogs;
    QLabel label;
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    QString name = families.front();
    EXPECT_EQ(applyFontOrDefault(&label, name, families.front(), dialogs), 0);
    name = QStringLiteral("No Such Font Wavory");
    EXPECT_EQ(applyFontOrDefault(&label, name, families.front(), dialogs), 1);
    EXPECT_EQ(name, families.front());
    EXPECT_EQ(label.font().family(), families.front());
    EXPECT_TRUE(dialogs.shown.empty());
    name = QStringLiteral("No Such Font Wavory");
    EXPECT_EQ(applyFontOrDefault(&label, name, QStringLiteral("Nor This One"), dialogs), 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "標準フォントの設定に失敗しました。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
}

TEST(WindowHelpers, TitleBarHeightInTwips) {
    EXPECT_EQ(titleBarHeightTwips() % kTwipsPerPixel, 0);
    EXPECT_GT(titleBarHeightTwips(), 0);
}

// The program's own dialogs (not the scripted ones), answered as soon as they are open.
TEST(RealDialogs, FileFiltersShowTheirTextOnce) {
    QtUserDialogs real;
    for (const bool save : {false, true}) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            for (int i = 0; i < types->count(); ++i)
                shown << types->itemText(i);
            dialog->reject();
        });
        const QString filters = QStringLiteral("色セット(*.cst)|*.cst|すべてのﾌｧｲﾙ|*.*");
        EXPECT_TRUE(save ? real.saveFileName(nullptr, QStringLiteral("t"), filters, {}).isEmpty()
                         : real.openFileName(nullptr, QStringLiteral("t"), filters, {}).isEmpty());
        EXPECT_EQ(shown,
                  QStringList({QStringLiteral("色セット(*.cst)"), QStringLiteral("すべてのﾌｧｲﾙ")}))
            << save;
    }
}

TEST(RealDialogs, OverlongNamesInMessagesAreElidedToFitTheScreen) {
    QtUserDialogs real;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // A set name that wraps into thousands of lines, and a path with no place to wrap.
    const QString names[] = {QString(200000, QChar(0x8272)),
                             QStringLiteral("/home/") + QString(5000, QLatin1Char('a'))};
    for (const QString& name : names) {
        const QString text = QStringLiteral("色セット '") + name +
                             QStringLiteral("' を削除してよろしいですか？\r\n次の行");
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            checked = true;
            EXPECT_LE(box->frameGeometry().width(), screen.width());
            EXPECT_LE(box->frameGeometry().height(), screen.height());
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
            // The fixed words around the name stay whole.
            EXPECT_TRUE(box->text().startsWith(QStringLiteral("色セット '") + name.left(3)));
            EXPECT_TRUE(box->text().endsWith(
                name.right(3) + QStringLiteral("' を削除してよろしいですか？\n次の行")));
            EXPECT_LT(box->text().size(), 1000);
            ok->click();
        });
        EXPECT_EQ(real.message(nullptr, text, MessageIcon::Exclamation, MessageButtons::Ok),
                  MessageAnswer::Ok);
        EXPECT_TRUE(checked);
    }
}

TEST(RealDialogs, EnterAnswersTheDefaultButton) {
    QtUserDialogs real;
    const struct {
        MessageButtons buttons;
        DefaultButton which;
        MessageAnswer enter;
    } cases[] = {
        {MessageButtons::YesNo, DefaultButton::Affirmative, MessageAnswer::Yes},
        {MessageButtons::YesNo, DefaultButton::Negative, MessageAnswer::No},
        {MessageButtons::OkCancel, DefaultButton::Affirmative, MessageAnswer::Ok},
        {MessageButtons::OkCancel, DefaultButton::Negative, MessageAnswer::Cancel},
        {MessageButtons::YesNoCancel, DefaultButton::Negative, MessageAnswer::No},
        {MessageButtons::Ok, DefaultButton::Negative, MessageAnswer::Ok}, // nothing else
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(
            real.message(nullptr, QStringLiteral("?"), MessageIcon::Question, c.buttons, c.which),
            c.enter)
            << static_cast<int>(c.buttons) << " " << static_cast<int>(c.which);
    }
}

TEST(RealDialogs, QtsOwnTextsAreJapanese) {
    ASSERT_TRUE(installQtJapanese(*QCoreApplication::instance()));
    const struct {
        const char* context;
        const char* english;
    } texts[] = {{"QFileDialog", "Look in:"},      {"QFileDialog", "File &name:"},
                 {"QPlatformTheme", "Cancel"},     {"QPlatformTheme", "Save"},
                 {"QColorDialog", "Select Color"}, {"QColorDialog", "&Basic colors"},
                 {"QLineEdit", "&Undo"},           {"QLineEdit", "&Paste"}};
    for (const auto& t : texts) {
        const QString shown = QCoreApplication::translate(t.context, t.english);
        EXPECT_NE(shown, QLatin1String(t.english)) << t.english;
        EXPECT_FALSE(shown.isEmpty()) << t.english;
    }
}
