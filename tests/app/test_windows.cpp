// The picture window (size, marker, keys, pop-up menu, close box), the frame settings
// window, the image size dialog and the right-click menus of the parameter frames.

#include "AppFixture.h"
#include "drawing/PictureView.h"
#include "extras/TileViewController.h"
#include "widgets/UpDown.h"
#include "values/SizeDialog.h"
#include "extras/TileWindow.h"

#include <QGroupBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

using namespace wavory;
using namespace wavory::test;

namespace {

class Windows : public AppFixture {
  protected:
    // Answers the size dialog while it is open: fills the boxes and presses a button.
    void answerSizeDialog(const QString& width, const QString& height, const char* press,
                          std::function<void(SizeDialog*)> check = {}) {
        QTimer::singleShot(0, main, [=, this] {
            auto* dlg = main->findChild<SizeDialog*>(QStringLiteral("frmSize"));
            ASSERT_NE(dlg, nullptr);
            // Unequal entries are typed with the lock off.
            if (!width.isNull())
                dlg->findChild<QCheckBox*>("chkXYFix")->setChecked(false);
            if (!width.isNull())
                dlg->findChild<QLineEdit*>("txtWidth")->setText(width);
            if (!height.isNull())
                dlg->findChild<QLineEdit*>("txtHeight")->setText(height);
            if (check)
                check(dlg);
            dlg->findChild<QPushButton*>(QLatin1String(press))->click();
            if (dlg->isVisible()) {
                // Refused: the dialog stays open with the entries; leave it by Cancel.
                EXPECT_EQ(dlg->findChild<QLineEdit*>("txtWidth")->text(), width);
                dlg->findChild<QPushButton*>("cmdCancel")->click();
            }
        });
    }
    void closeByCloseBox(QWidget* w) { w->close(); }
};

} // namespace

TEST_F(Windows, SizeDialogRefusesOutOfRange) {
    for (const auto& [w, h] :
         {std::pair{"3", "100"}, {"100", "3001"}, {"abc", "100"}, {"-4", "4"}}) {
        dialogs.shown.clear();
        answerSizeDialog(w, h, "cmdOK");
        button("cmdSize")->click();
        ASSERT_EQ(dialogs.shown.size(), 1u) << w << "x" << h;
        EXPECT_EQ(dialogs.shown[0].text, "4~3000 の整数で指定して下さい。");
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(find<QLabel>("labSize")->text(), " 200 x 200 pixels");
    }
}

TEST_F(Windows, SizeDialogAcceptsAndClears) {
    simpleParameters();
    button("cmdDraw")->click();
    ASSERT_TRUE(action("mnuUndo")->isEnabled());
    answerSizeDialog("4", "3000", "cmdOK",
                     [](SizeDialog* dlg) { EXPECT_EQ(dlg->windowTitle(), "ｻｲｽﾞ指定"); });
    action("mnuSize")->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(find<QLabel>("labSize")->text(), " 4 x 3000 pixels");
    EXPECT_EQ(root->picture()->imageWidth(), 4);
    EXPECT_EQ(root->picture()->imageHeight(), 3000);
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    for (int y : {0, 100, 2999})
        EXPECT_EQ(root->document().canvas().pixel(3, y), Rgb{}) << y;

    // 200.5 reads as 200 and 201.5 as 202 (half to even); a pasted "12ab" as 12.
    answerSizeDialog("200.5", "201.5", "cmdOK");
    button("cmdSize")->click();
    EXPECT_EQ(find<QLabel>("labSize")->text(), " 200 x 202 pixels");
    answerSizeDialog("12ab", "12", "cmdOK");
    button("cmdSize")->click();
    EXPECT_EQ(find<QLabel>("labSize")->text(), " 12 x 12 pixels");
}

TEST_F(Windows, SizeDialogLockAndCancel) {
    root->params().setImageSize(300, 300);
    answerSizeDialog({}, {}, "cmdOK", [](SizeDialog* dlg) {
        auto* lock = dlg->findChild<QCheckBox*>("chkXYFix");
        EXPECT_TRUE(lock->isChecked()); // equal sizes open locked
        auto* width = dlg->findChild<QLineEdit*>("txtWidth");
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, "6x40");
        EXPECT_EQ(width->text(), "640");
        EXPECT_EQ(dlg->findChild<QLineEdit*>("txtHeight")->text(), "640");
        dlg->findChild<UpDown*>("updHeight")->clickUp();
        EXPECT_EQ(width->text(), "641");
    });
    button("cmdSize")->click();
    EXPECT_EQ(find<QLabel>("labSize")->text(), " 641 x 641 pixels");

    root->params().setImageSize(300, 200);
    simpleParameters();
    button("cmdDraw")->click();
    const Canvas before = root->document().canvas();
    answerSizeDialog("500", "500", "cmdCancel", [](SizeDialog* dlg) {
        EXPECT_FALSE(dlg->findChild<QCheckBox*>("chkXYFix")->isChecked());
    });
    button("cmdSize")->click();
    EXPECT_EQ(root->document().canvas(), before);
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
}

TEST_F(Windows, FrameWindowLimits) {
    FrameWindow* frame = root->frameWindow();
    auto* enabled = frame->findChild<QCheckBox*>("chkFrameEnabled");
    enabled->setChecked(true);
    root->params().setImageSize(200, 120);
    frame->updXYMaxSet();
    EXPECT_EQ(frame->maxX(), 100);
    EXPECT_EQ(frame->maxY(), 60);
    auto* x = frame->findChild<QLineEdit*>("txtX");
    auto* y = frame->findChild<QLineEdit*>("txtY");
    frame->show();
    QApplication::setActiveWindow(frame);
    x->setFocus();
    x->setText("150");
    y->setFocus(); // validation on leaving the box
    EXPECT_EQ(x->text(), "100");
    auto* updX = frame->findChild<UpDown*>("updX");
    updX->clickUp();
    EXPECT_EQ(x->text(), "100");
    x->setText("1");
    updX->clickDown();
    EXPECT_EQ(x->text(), "1");
    // Leaving a box below 1 (or empty) makes it 1.
    for (QLineEdit* box : {x, y}) {
        QLineEdit* other = box == x ? y : x;
        for (const char* low : {"0", "-7", ""}) {
            box->setFocus();
            box->setText(QLatin1String(low));
            other->setFocus();
            EXPECT_EQ(box->text(), "1") << low;
        }
    }

    x->setText("90");
    auto* lock = frame->findChild<QCheckBox*>("chkXYFix");
    lock->click();
    EXPECT_EQ(frame->maxX(), 60);
    EXPECT_EQ(x->text(), "60");
    EXPECT_EQ(y->text(), "60");
    x->setText("25");
    EXPECT_EQ(y->text(), "25");
    y->setText("30");
    EXPECT_EQ(x->text(), "30");
    lock->click();
    x->setText("40");
    EXPECT_EQ(y->text(), "30");

    // A new image size pulls the width in after the size dialog.
    root->params().setImageSize(400, 400);
    x->setText("150");
    answerSizeDialog("100", "100", "cmdOK");
    button("cmdSize")->click();
    EXPECT_EQ(x->text(), "50");
}

TEST_F(Windows, FrameWindowControlsFollowTheSwitch) {
    FrameWindow* frame = root->frameWindow();
    auto* enabled = frame->findChild<QCheckBox*>("chkFrameEnabled");
    enabled->setChecked(false);
    EXPECT_EQ(frame->windowTitle(), "枠");
    for (const char* name : {"txtX", "txtY", "chkXYFix", "sldFrameSenmei", "sldFrameShadow",
                             "sldFrameLine", "picFrameColor", "updX"}) {
        EXPECT_FALSE(frame->findChild<QWidget*>(QLatin1String(name))->isEnabled()) << name;
    }
    EXPECT_TRUE(enabled->isEnabled());
    // Greyed, the swatch still shows the kept color (black here), hatched.
    FrameFields fields = frame->frameFields();
    fields.color = 0;
    frame->setFrameFields(fields);
    const auto swatchPixels = [&](QRgb rgb) {
        const QImage shown = frame->findChild<QWidget*>("picFrameColor")->grab().toImage();
        int count = 0;
        for (int y = 2; y < shown.height() - 2; ++y)
            for (int x = 2; x < shown.width() - 2; ++x)
                count += (shown.pixel(x, y) & 0xffffff) == (rgb & 0xffffff) ? 1 : 0;
        return std::pair(count, (shown.width() - 4) * (shown.height() - 4));
    };
    const auto [blackOff, inside] = swatchPixels(qRgb(0, 0, 0));
    EXPECT_GT(blackOff, inside / 2);
    EXPECT_LT(blackOff, inside);
    enabled->setChecked(true);
    EXPECT_EQ(swatchPixels(qRgb(0, 0, 0)).first, inside);
    EXPECT_TRUE(frame->findChild<QWidget*>("sldFrameLine")->isEnabled());
    auto* slider = frame->findChild<QSlider*>("sldFrameShadow");
    slider->setValue(37);
    EXPECT_EQ(frame->findChild<QLabel*>("lblFrameShadow")->text(), "37");
    EXPECT_EQ(frame->frameFields().shadow, 37);
    EXPECT_EQ(slider->property("helpTopic").toInt(), 73);

    dialogs.colors.push_back(QColor(10, 20, 30));
    QTest::mouseClick(frame->findChild<QWidget*>("picFrameColor"), Qt::LeftButton);
    EXPECT_EQ(frame->frameFields().color, 10 + 256 * 20 + 65536 * 30);
    dialogs.colors.push_back(std::nullopt); // cancelled: the color stays
    QTest::mouseClick(frame->findChild<QWidget*>("picFrameColor"), Qt::LeftButton);
    EXPECT_EQ(frame->frameFields().color, 10 + 256 * 20 + 65536 * 30);
}

TEST_F(Windows, PictureWindowFollowsTheImageUpToTheScreen) {
    root->windowController().togglePictureWindow();
    PictureWindow* pic = root->picture();
    root->params().setImageSize(300, 200);
    EXPECT_EQ(pic->picMain()->size(), QSize(304, 204));
    EXPECT_EQ(pic->size(), QSize(304, 204));
    root->params().setImageSize(3000, 3000);
    const QSize screen = pic->screen()->availableGeometry().size();
    EXPECT_LE(pic->frameGeometry().width(), screen.width());
    EXPECT_LE(pic->frameGeometry().height(), screen.height());
    // Never scaled: the surface keeps one pixel per pixel and the window scrolls.
    EXPECT_EQ(pic->picMain()->size(), QSize(3004, 3004));
    auto* scroll = pic->findChild<QScrollArea*>();
    QApplication::processEvents();
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    // Pulled in over the main window to fit; small again, it goes back beside it.
    ASSERT_TRUE(pic->frameGeometry().intersects(main->frameGeometry()));
    root->params().setImageSize(200, 200);
    EXPECT_FALSE(pic->frameGeometry().intersects(main->frameGeometry()));
    EXPECT_TRUE(pic->screen()->availableGeometry().contains(pic->frameGeometry()));
}

TEST_F(Windows, CenterMarkerPlacementAndFlash) {
    PictureWindow* pic = root->picture();
    const int m = CenterMarker::kSize;
    pic->moveCenterMarker("0", "0");
    EXPECT_EQ(pic->centerMarkerPosition(), QPoint((200 - m - 1) / 2 + 1, (200 - m - 1) / 2 + 1));
    pic->moveCenterMarker(" 10", "-20");
    EXPECT_EQ(pic->centerMarkerPosition(),
              QPoint((200 - m - 1) / 2 - 10 + 1, (200 - m - 1) / 2 + 21));
    const QPoint kept = pic->centerMarkerPosition();
    pic->moveCenterMarker("100", "0"); // |x| must stay below W \ 2
    EXPECT_EQ(pic->centerMarkerPosition(), kept);
    pic->moveCenterMarker("abc", "0");
    EXPECT_EQ(pic->centerMarkerPosition(), kept);
    pic->moveCenterMarker("0", "150"); // beyond the visible area, still below H
    EXPECT_EQ(pic->centerMarkerPosition().y(), (200 - m - 1) / 2 - 150 + 1);

    // The center fields drive it: typed offsets move it, the focus shows it.
    auto* x = find<QLineEdit>("txtCenter_0");
    auto* y = find<QLineEdit>("txtCenter_1");
    y->setText("0");
    x->setText("5");
    EXPECT_EQ(pic->centerMarkerPosition(),
              QPoint((200 - m - 1) / 2 - 5 + 1, (200 - m - 1) / 2 + 1));
    EXPECT_FALSE(pic->centerMarkerVisible());
    x->setFocus();
    EXPECT_TRUE(pic->centerMarkerVisible());
    auto* marker = pic->picMain()->marker();
    const bool before = marker->fillIsBlack();
    QTest::qWait(650);
    EXPECT_NE(marker->fillIsBlack(), before);
    value(0)->setFocus();
    EXPECT_FALSE(pic->centerMarkerVisible());
}

TEST_F(Windows, CloseBoxHidesAndUnchecks) {
    root->windowController().togglePictureWindow();
    PictureWindow* pic = root->picture();
    ASSERT_TRUE(pic->isVisible());
    closeByCloseBox(pic);
    EXPECT_FALSE(pic->isVisible());
    EXPECT_FALSE(action("mnuPictureWindow")->isChecked());
    action("mnuPictureWindow")->trigger();
    EXPECT_TRUE(pic->isVisible());
    EXPECT_TRUE(action("mnuPictureWindow")->isChecked());

    root->windowController().toggleFrameWindow();
    ASSERT_TRUE(root->frameWindow()->isVisible());
    EXPECT_TRUE(action("mnuButton")->isChecked());
    closeByCloseBox(root->frameWindow());
    EXPECT_FALSE(root->frameWindow()->isVisible());
    EXPECT_FALSE(action("mnuButton")->isChecked());
}

TEST_F(Windows, PictureKeysGoToTheMainWindow) {
    simpleParameters();
    int drawings = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++drawings; });
    root->windowController().togglePictureWindow();
    PictureWindow* pic = root->picture();
    pic->activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == pic; }));
    // A release without its press (F5 pressed in the main window) is not a key here.
    QTest::keyRelease(pic, Qt::Key_F5);
    EXPECT_FALSE(waitFor([&] { return QApplication::activeWindow() == main; }, 200));
    QTest::keyClick(pic, Qt::Key_X); // not forwarded
    EXPECT_FALSE(waitFor([&] { return QApplication::activeWindow() == main; }, 200));
    EXPECT_EQ(drawings, 0);
    // F5 draws (and stops a drawing) from here too: a large picture covers the main window.
    QTest::keyClick(pic, Qt::Key_F5);
    EXPECT_EQ(drawings, 1);
    pic->activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == pic; }));
    QTest::keyClick(pic, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(waitFor([&] { return QApplication::activeWindow() == main; }));
    EXPECT_FALSE(root->drawSession().isDrawing());
    // F3 opens the tile view, which comes to the front.
    pic->activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == pic; }));
    QTest::keyClick(pic, Qt::Key_F3);
    ASSERT_NE(root->tileViews().tileView(), nullptr);
    EXPECT_TRUE(
        waitFor([&] { return QApplication::activeWindow() == root->tileViews().tileView(); }));
}

TEST_F(Windows, MinimizingTakesTheVisibleWindowsAlong) {
    root->windowController().togglePictureWindow();
    ASSERT_FALSE(root->frameWindow()->isVisible());
    main->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(root->picture()->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(root->frameWindow()->windowState() & Qt::WindowMinimized); // hidden: untouched
    main->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(root->picture()->windowState() & Qt::WindowMinimized);
}

TEST_F(Windows, RightClickMenus) {
    auto* colorFrame = find<QGroupBox>("Frame2");
    auto* colorMenu = find<QMenu>("mnuColor");
    QTest::mouseClick(colorFrame, Qt::LeftButton, {}, QPoint(3, colorFrame->height() - 3));
    EXPECT_FALSE(colorMenu->isVisible());
    QTest::mouseClick(colorFrame, Qt::RightButton, {}, QPoint(3, colorFrame->height() - 3));
    EXPECT_TRUE(colorMenu->isVisible());
    colorMenu->hide();
    auto* valueFrame = find<QGroupBox>("fraValue");
    QTest::mouseClick(valueFrame, Qt::RightButton, {}, QPoint(3, valueFrame->height() - 3));
    EXPECT_TRUE(find<QMenu>("mnuValue")->isVisible());
    find<QMenu>("mnuValue")->hide();
    // The picture's own pop-up is the picture menu.
    root->windowController().togglePictureWindow();
    QTest::mouseClick(root->picture()->picMain(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(find<QMenu>("mnuPicture")->isVisible());
    find<QMenu>("mnuPicture")->hide();
}

TEST_F(Windows, MenuTreeCaptionsAndKeys) {
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence key;
        bool available;
    };
    const Item items[] = {
        {"mnuSave", "名前を付けて保存(&A)...", QKeySequence("Ctrl+S"), true},
        {"mnuCopy", "クリップボードへコピー(&C)", QKeySequence("Ctrl+C"), true},
        {"mnuShell", "連携ｱﾌﾟﾘｹｰｼｮﾝで編集(&E)", QKeySequence("F6"), true},
        {"mnuOutputText", "テキストファイルへ書き出し(&O)...", {}, true},
        {"mnuInputText", "テキストファイルから読み込み(&I)...", {}, true},
        {"mnuEnd", "終了(&X)", {}, true},
        {"mnuDraw", "描画(&D)", QKeySequence("F5"), true},
        {"mnuUndo", "描画アンドゥ(&Z)", {}, false},
        {"mnuTile", "タイル表示してみる(&T)", QKeySequence("F3"), true},
        {"mnuSize", "サイズ指定(&U)...", {}, true},
        {"mnuRndSet", "ランダム設定(&R)", QKeySequence("F4"), true},
        {"mnuBig", "周期２倍(&B)", {}, true},
        {"mnySmall", "周期半分(&E)", {}, true},
        {"mnuStrong", "振幅２倍(&S)", {}, true},
        {"mnuWeak", "振幅半分(&W)", {}, true},
        {"mnuEditGColor", "色セットの編集(&E)...", {}, true},
        {"mnuCopyGColor", "色セットのコピー(&C)...", {}, true},
        {"mnuAddGColor", "色セットの追加(&A)...", {}, true},
        {"mnuRemoveGColor", "色セットの削除(&R)", {}, true},
        {"mnuGColorLoad", "色セットの読み込み(&L)...", {}, true},
        {"mnuGColorSave", "色セットの保存(&S)...", {}, true},
        {"mnuGColorAllSave", "全ての色セットを保存(&C)", {}, true},
        {"mnuGcolorInit", "色セットの初期化(&I)", {}, true},
        {"mnuPictureWindow", "ピクチャウィンドウの表示(&P)", {}, true},
        {"mnuButton", "枠ウィンドウの表示(&B)", {}, true},
        {"mnuEasyHelp", "ヘルプウィンドウの表示(&H)", {}, true},
        {"mnuOrderForms", "ウィンドウの整列(&O)", {}, true},
        {"mnuAnim", "簡易アニメーション作成(&A)...", {}, true},
        {"mnuOption", "オプション(&O)...", {}, true},
        {"mnuPrintHelp", "目次...", QKeySequence("F1"), true},
        {"mnuVersion", "バージョン情報(&A)...", {}, true},
    };
    for (const Item& item : items) {
        QAction* a = action(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption)) << item.name;
        EXPECT_EQ(a->shortcut(), item.key) << item.name;
        EXPECT_EQ(a->isEnabled(), item.available) << item.name;
    }
    EXPECT_EQ(find<QMenu>("mnuValue")->title(), "形(&W)");
    EXPECT_EQ(find<QMenu>("mnuPicture")->actions().size(), 6); // with the two separators
}
