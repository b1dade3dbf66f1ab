// The secondary windows as a whole: the three toggles and their check marks, arranging
// the windows (the twips arithmetic and the windows moved), minimizing and restoring
// together, the version dialog with drops refused while it is open, and the rule that
// picks the first argument of a command line.

#include "AppFixture.h"
#include "CommandLine.h"
#include "WindowArrangement.h"
#include "frmAbout.h"
#include "frmHelp.h"

#include <QLabel>
#include <QTimer>

using namespace wavory;
using namespace wavory::test;

namespace {

constexpr std::int64_t T = 15; // twips per pixel

TEST(WindowArrangement, FrameWindowShownPutsThePictureBelowItCentred) {
    // Main 500 x 300 pixels at (100, 50); frame 300 x 200; picture 200 x 100; help 150 high.
    const TwipsRect main{100 * T, 50 * T, 500 * T, 300 * T};
    const TwipsRect frame{0, 0, 300 * T, 200 * T};
    const TwipsRect picture{0, 0, 200 * T, 100 * T};
    const TwipsRect help{0, 0, 500 * T, 150 * T};
    const Arrangement a = arrangeWindows(main, frame, picture, help, true);
    EXPECT_EQ(a.help, (TwipsPoint{100 * T, 350 * T}));
    EXPECT_EQ(a.frame, (TwipsPoint{600 * T, 50 * T}));
    // dx = (300 - 200) / 2 = 50; dy = (350 + 150 - 50 - 200 - 100) / 2 = 75.
    EXPECT_EQ(a.picture, (TwipsPoint{650 * T, 325 * T}));
}

TEST(WindowArrangement, OffsetsAreTruncatedAndNeverNegative) {
    const TwipsRect main{0, 0, 400 * T, 200 * T};
    const TwipsRect help{0, 0, 400 * T, 20 * T};
    // A frame window narrower than the picture: left edges equal (dx clamped to 0); no
    // room below: dy clamped to 0.
    const Arrangement narrow =
        arrangeWindows(main, {0, 0, 100 * T, 150 * T}, {0, 0, 201 * T, 300 * T}, help, true);
    EXPECT_EQ(narrow.picture, (TwipsPoint{400 * T, 150 * T}));
    // An odd difference of 15 twips halves to 7, not 8.
    const Arrangement odd =
        arrangeWindows(main, {0, 0, 201 * T, 10 * T}, {0, 0, 200 * T, 10 * T}, help, true);
    EXPECT_EQ(odd.picture.left, 400 * T + 7);
    // dy: (200 + 20 - 0 - 10 - 10) * 15 / 2 = 1500.
    EXPECT_EQ(odd.picture.top, 10 * T + 1500);
}

TEST(WindowArrangement, FrameWindowHiddenPutsThePictureRightOfTheMainWindow) {
    const Arrangement a = arrangeWindows({30 * T, 40 * T, 500 * T, 300 * T}, {0, 0, 300, 200},
                                         {0, 0, 200, 100}, {0, 0, 500, 150}, false);
    EXPECT_EQ(a.picture, (TwipsPoint{530 * T, 40 * T}));
    EXPECT_EQ(a.help, (TwipsPoint{30 * T, 340 * T}));
}

TEST(CommandLine, FirstArgumentStopsAtTheFirstBlankOutsideQuotes) {
    EXPECT_EQ(firstArgument("wave.txt"), "wave.txt");
    EXPECT_EQ(firstArgument("wave.txt other"), "wave.txt");
    EXPECT_EQ(firstArgument("\"/my dir/wave one.txt\" rest of it"), "\"/my dir/wave one.txt\"");
    EXPECT_EQ(firstArgument("\"/my dir/unclosed"), "\"/my dir/unclosed");
    EXPECT_EQ(firstArgument("a\"b c\"d e"), "a\"b c\"d");
    EXPECT_EQ(firstArgument(""), "");
}

TEST(CommandLine, ArgumentsWithBlanksAreQuotedAgain) {
    EXPECT_EQ(commandLineText({}), "");
    EXPECT_EQ(commandLineText({"/my dir/a.txt", "x"}), "\"/my dir/a.txt\" x");
    EXPECT_EQ(commandLineText({"\"/my dir/a.txt\" x"}), "\"/my dir/a.txt\" x");
    EXPECT_EQ(firstArgument(commandLineText({"/my dir/a.txt", "x"})), "\"/my dir/a.txt\"");
}

class SecondaryWindows : public AppFixture {
  protected:
    frmHelp* help() { return main->helpWindow(); }
};

TEST_F(SecondaryWindows, TogglesFollowTheirCheckMarksAndCloseBoxesHide) {
    struct Toggle {
        const char* item;
        QWidget* window;
    };
    for (const Toggle& t :
         {Toggle{"mnuPictureWindow", main->picture()}, Toggle{"mnuButton", main->frameWindow()},
          Toggle{"mnuEasyHelp", help()}}) {
        QAction* item = action(t.item);
        ASSERT_TRUE(item->isEnabled()) << t.item;
        EXPECT_FALSE(item->isChecked()) << t.item;
        EXPECT_FALSE(t.window->isVisible()) << t.item;
        item->trigger();
        EXPECT_TRUE(item->isChecked()) << t.item;
        EXPECT_TRUE(t.window->isVisible()) << t.item;
        // The close box hides the window, which stays loaded, and removes the check.
        t.window->close();
        EXPECT_FALSE(item->isChecked()) << t.item;
        EXPECT_FALSE(t.window->isVisible()) << t.item;
        item->trigger();
        EXPECT_TRUE(t.window->isVisible()) << t.item;
        item->trigger();
        EXPECT_FALSE(t.window->isVisible()) << t.item;
    }
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(help()->windowTitle(), "簡易ヘルプ");
}

TEST_F(SecondaryWindows, ArrangeMovesTheWindowsAroundTheMainWindow) {
    main->move(20, 30);
    const QRect m = main->frameGeometry();
    // Frame window off: the picture goes right of the main window.
    action("mnuOrderForms")->trigger();
    EXPECT_EQ(help()->pos(), QPoint(m.left(), m.bottom() + 1));
    EXPECT_EQ(main->picture()->pos(), QPoint(m.right() + 1, m.top()));

    // Hidden windows are moved too.
    EXPECT_FALSE(help()->isVisible());
    EXPECT_FALSE(main->picture()->isVisible());

    // With everything shown (so that every outer size is known), the picture goes below
    // the frame window.
    for (const char* item : {"mnuButton", "mnuPictureWindow", "mnuEasyHelp"})
        action(item)->trigger();
    action("mnuOrderForms")->trigger();
    const QRect f = main->frameWindow()->frameGeometry();
    EXPECT_EQ(f.topLeft(), QPoint(m.right() + 1, m.top()));
    const QRect p = main->picture()->frameGeometry();
    const QRect h = help()->frameGeometry();
    EXPECT_EQ(p.left(), f.left() + std::max(0, (f.width() - p.width()) / 2));
    EXPECT_EQ(p.top(), f.bottom() + 1 + std::max(0, (h.bottom() - f.bottom() - p.height()) / 2));
}

TEST_F(SecondaryWindows, MinimizingTakesTheVisibleWindowsAlong) {
    action("mnuPictureWindow")->trigger();
    action("mnuButton")->trigger();
    ASSERT_FALSE(help()->isVisible());
    main->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(main->picture()->isMinimized());
    EXPECT_TRUE(main->frameWindow()->isMinimized());
    EXPECT_FALSE(help()->isMinimized());
    EXPECT_FALSE(help()->isVisible());
    main->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(main->picture()->isMinimized());
    EXPECT_FALSE(main->frameWindow()->isMinimized());
}

TEST_F(SecondaryWindows, VersionDialogRefusesDropsWhileOpen) {
    ASSERT_TRUE(main->acceptDrops());
    bool seen = false;
    QTimer::singleShot(0, main.get(), [&] {
        auto* about = main->findChild<frmAbout*>(QStringLiteral("frmAbout"));
        ASSERT_NE(about, nullptr);
        seen = true;
        EXPECT_TRUE(about->isModal());
        EXPECT_EQ(about->windowTitle(), "Wavoryのﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 2.50");
        EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), "Wavory");
        EXPECT_FALSE(main->acceptDrops());
        about->findChild<QPushButton*>("cmdSysInfo")->click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "現時点ではｼｽﾃﾑ情報を使用できません");
        EXPECT_TRUE(about->isVisible());
        about->findChild<QPushButton*>("cmdOK")->click();
    });
    action("mnuVersion")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(main->acceptDrops());
}

} // namespace
