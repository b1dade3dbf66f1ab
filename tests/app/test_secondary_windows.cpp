// The secondary windows as a whole: the three toggles and their check marks, arranging
// the windows (the twips arithmetic and the windows moved), minimizing and restoring
// together, the version dialog with drops refused while it is open, and the rule that
// picks the first argument of a command line; the tile view with its tiles, lettering,
// font and color, Esc and the place it keeps within a run.

#include "AppFixture.h"
#include "platform/CommandLine.h"
#include "drawing/PictureView.h"
#include "extras/TileViewController.h"
#include "platform/WindowArrangement.h"
#include "guide/AboutDialog.h"
#include "guide/EasyHelpWindow.h"
#include "extras/TileWindow.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QMenuBar>

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
    EasyHelpWindow* help() { return root->helpWindow(); }
};

TEST_F(SecondaryWindows, TogglesFollowTheirCheckMarksAndCloseBoxesHide) {
    struct Toggle {
        const char* item;
        QWidget* window;
    };
    for (const Toggle& t :
         {Toggle{"mnuPictureWindow", root->picture()}, Toggle{"mnuButton", root->frameWindow()},
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
    // Every title bar stays on the screen, at least 32 pixels of it.
    const int rightmost = main->screen()->availableGeometry().right() + 1 - 32;
    // Frame window off: the picture goes right of the main window.
    action("mnuOrderForms")->trigger();
    EXPECT_EQ(help()->pos(), QPoint(m.left(), m.bottom() + 1));
    EXPECT_EQ(root->picture()->pos(), QPoint(std::min(m.right() + 1, rightmost), m.top()));

    // Hidden windows are moved too.
    EXPECT_FALSE(help()->isVisible());
    EXPECT_FALSE(root->picture()->isVisible());

    // With everything shown (so that every outer size is known), the picture goes below
    // the frame window.
    for (const char* item : {"mnuButton", "mnuPictureWindow", "mnuEasyHelp"})
        action(item)->trigger();
    action("mnuOrderForms")->trigger();
    const QRect f = root->frameWindow()->frameGeometry();
    EXPECT_EQ(f.topLeft(), QPoint(std::min(m.right() + 1, rightmost), m.top()));
    const QRect p = root->picture()->frameGeometry();
    const QRect h = help()->frameGeometry();
    EXPECT_EQ(p.left(), std::min(f.left() + std::max(0, (f.width() - p.width()) / 2), rightmost));
    EXPECT_EQ(p.top(), f.bottom() + 1 + std::max(0, (h.bottom() - f.bottom() - p.height()) / 2));
}

TEST_F(SecondaryWindows, MinimizingTakesTheVisibleWindowsAlong) {
    action("mnuPictureWindow")->trigger();
    action("mnuButton")->trigger();
    ASSERT_FALSE(help()->isVisible());
    main->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(root->picture()->isMinimized());
    EXPECT_TRUE(root->frameWindow()->isMinimized());
    EXPECT_FALSE(help()->isMinimized());
    EXPECT_FALSE(help()->isVisible());
    main->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(root->picture()->isMinimized());
    EXPECT_FALSE(root->frameWindow()->isMinimized());
}

TEST_F(SecondaryWindows, VersionDialogRefusesDropsWhileOpen) {
    ASSERT_TRUE(main->acceptDrops());
    bool seen = false;
    QTimer::singleShot(0, main, [&] {
        auto* about = main->findChild<AboutDialog*>(QStringLiteral("frmAbout"));
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

class TileView : public AppFixture {
  protected:
    // A picture whose pixel (x, y) is (x mod 256, y mod 256, 77), shown as drawn.
    void paintPicture(int width, int height, std::uint8_t blue = 77) {
        root->params().setImageSize(width, height);
        Canvas& c = root->document().canvas();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                c.setPixel(x, y,
                           Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), blue});
        root->document().refreshAll();
    }
    TileWindow* open() {
        action("mnuTile")->trigger();
        TileWindow* tile = root->tileViews().tileView();
        EXPECT_NE(tile, nullptr);
        return tile;
    }
    static QAction* item(TileWindow* tile, const char* name) {
        return tile->findChild<QAction*>(QLatin1String(name));
    }
    static QLabel* lettering(TileWindow* tile) { return tile->findChild<QLabel*>("lblStr"); }
    static QLineEdit* input(TileWindow* tile) { return tile->findChild<QLineEdit*>("txtInput"); }
    // Every pixel of the client area repeats the picture from its top left corner.
    static bool tiled(TileArea& area, int w, int h, std::uint8_t blue) {
        const QImage shot = area.grab().toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) != qRgb((x % w) & 255, (y % h) & 255, blue))
                    return false;
        return true;
    }
    AppSettings::TileViewSection& settings() { return root->settings().tileView; }
};

TEST_F(TileView, TilesFillTheClientAreaAndFollowThePicture) {
    paintPicture(200, 200);
    TileWindow* tile = open();
    EXPECT_TRUE(tile->isVisible());
    EXPECT_FALSE(tile->isModal());
    EXPECT_EQ(tile->windowTitle(), "タイル表示");
    // 500 × 300: columns 0 to 2 and rows 0 to 1, the last ones partly visible.
    TileArea* area = tile->tileArea();
    area->resize(500, 300);
    EXPECT_TRUE(tiled(*area, 200, 200, 77));
    // A new picture (here one of another size) is what the tiles show from then on.
    paintPicture(4, 4, 9);
    area->resize(1400, 900);
    EXPECT_TRUE(tiled(*area, 4, 4, 9));
    // The menus.
    const QList<QAction*> menus = tile->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "表示(&V)");
    EXPECT_EQ(menus[1]->text(), "文字の試し書き(&S)");
    EXPECT_EQ(item(tile, "mnuClose")->text(), "閉じる(&C)");
    EXPECT_EQ(item(tile, "mnuInput")->text(), "入力(&I)");
    EXPECT_EQ(item(tile, "mnuColor")->text(), "色(&C)");
    EXPECT_EQ(item(tile, "mnuFont")->text(), "フォント(&F)");
}

TEST_F(TileView, LetteringIsEditedAndKept) {
    settings().text = "wave";
    TileWindow* tile = open();
    EXPECT_EQ(lettering(tile)->text(), "wave");
    EXPECT_FALSE(input(tile)->isVisible());
    item(tile, "mnuInput")->trigger();
    ASSERT_TRUE(input(tile)->isVisible());
    auto* ok = tile->findChild<QPushButton*>("cmdOK");
    EXPECT_TRUE(ok->isVisible());
    input(tile)->setText(QStringLiteral("波 tiles"));
    EXPECT_EQ(settings().text, "wave"); // only OK takes it
    ok->click();
    EXPECT_EQ(lettering(tile)->text(), "波 tiles");
    EXPECT_EQ(settings().text, "波 tiles");
    EXPECT_FALSE(input(tile)->isVisible());
    EXPECT_FALSE(ok->isVisible());
    // The menu item finishes an edit too; an empty text leaves the label empty.
    item(tile, "mnuInput")->trigger();
    input(tile)->clear();
    item(tile, "mnuInput")->trigger();
    EXPECT_EQ(lettering(tile)->text(), "");
    EXPECT_EQ(settings().text, "");
}

TEST_F(TileView, FontAndColorComeFromTheirDialogsAndACancelKeepsThem) {
    const QString family = QFontDatabase::families().value(0);
    ASSERT_FALSE(family.isEmpty());
    settings().fontName = family.toStdString();
    settings().fontSize = 12;
    settings().color = 0x0000ff; // red
    TileWindow* tile = open();
    EXPECT_EQ(lettering(tile)->font().family(), family);
    EXPECT_EQ(lettering(tile)->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    QFont chosen(QFontDatabase::families().back());
    chosen.setPointSizeF(20.5);
    chosen.setBold(true);
    chosen.setItalic(true);
    dialogs.fonts.push_back(chosen);
    item(tile, "mnuFont")->trigger();
    EXPECT_EQ(settings().fontName, chosen.family().toStdString());
    EXPECT_EQ(settings().fontSize, 20); // half to even
    EXPECT_TRUE(settings().fontBold);
    EXPECT_TRUE(settings().fontItalic);
    EXPECT_EQ(lettering(tile)->font().family(), chosen.family());
    EXPECT_EQ(input(tile)->font().pointSizeF(), 20.5);

    dialogs.colors.push_back(QColor(1, 2, 3));
    item(tile, "mnuColor")->trigger();
    EXPECT_EQ(settings().color, 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(lettering(tile)->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    // Cancelled dialogs change nothing.
    const AppSettings::TileViewSection before = settings();
    item(tile, "mnuFont")->trigger();
    item(tile, "mnuColor")->trigger();
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(lettering(tile)->font().family(), chosen.family());
}

TEST_F(TileView, EscClosesAfterTheDialogsToo) {
    // Opened from the menu by the keyboard, a dialog gives the keys back to the menu bar,
    // which swallows Esc; a click on the tiles or the dialog's end takes them back.
    for (const char* dialog : {"mnuColor", "mnuFont"}) {
        for (const bool clickTiles : {false, true}) {
            TileWindow* tile = open();
            tile->menuBar()->setFocus(Qt::MenuBarFocusReason);
            item(tile, dialog)->trigger(); // cancelled
            if (clickTiles) {
                tile->menuBar()->setFocus(Qt::MenuBarFocusReason);
                QTest::mouseClick(tile->tileArea(), Qt::LeftButton, {}, QPoint(40, 40));
            }
            // Keys typed into the window go to its focus widget.
            QWidget* keys = tile->focusWidget() ? tile->focusWidget() : tile;
            QTest::keyClick(keys, Qt::Key_Escape);
            EXPECT_TRUE(waitFor([&] { return root->tileViews().tileView() == nullptr; }))
                << dialog << " " << clickTiles;
            if (root->tileViews().tileView())
                root->tileViews().tileView()->close();
            ASSERT_TRUE(waitFor([&] { return root->tileViews().tileView() == nullptr; }));
        }
    }
}

TEST_F(TileView, AnEmptyFontNameStoresTheFontTheLabelShows) {
    settings().fontName.clear();
    settings().fontSize = 0;
    TileWindow* tile = open();
    const QFontInfo shown(lettering(tile)->font());
    EXPECT_FALSE(settings().fontName.empty());
    EXPECT_EQ(settings().fontName, shown.family().toStdString());
    EXPECT_GE(settings().fontSize, 1);
    EXPECT_TRUE(QFontDatabase::families().contains(QString::fromStdString(settings().fontName),
                                                   Qt::CaseInsensitive));
}

TEST_F(TileView, EscClosesAndReopeningKeepsThePlaceWithinTheRun) {
    TileWindow* tile = open();
    tile->move(60, 70);
    tile->resize(333, 222);
    QTest::keyClick(tile, Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return root->tileViews().tileView() == nullptr; }));
    // F3 from the picture window opens it again, where it was and as large.
    root->picture()->show();
    QTest::keyPress(root->picture(), Qt::Key_F3);
    QTest::keyRelease(root->picture(), Qt::Key_F3);
    tile = root->tileViews().tileView();
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->pos(), QPoint(60, 70));
    EXPECT_EQ(tile->size(), QSize(333, 222));
    // A place beyond the screen's right edge is forgotten; the size is kept.
    tile->move(main->screen()->geometry().width() + 50, 70);
    item(tile, "mnuClose")->trigger();
    EXPECT_TRUE(waitFor([&] { return root->tileViews().tileView() == nullptr; }));
    tile = open();
    EXPECT_EQ(tile->pos(), QPoint(0, 70));
    EXPECT_EQ(tile->size(), QSize(333, 222));
}

} // namespace
