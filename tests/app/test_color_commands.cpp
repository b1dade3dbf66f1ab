// The color set commands of the main window: add, copy, edit, remove and initialize, the
// editor they open (modal, drops off, cancel undoing an add or copy), their messages and
// the color set list that follows the collection.

#include "widgets/GradientView.h"
#include "SharingFixture.h"
#include "colors/ColorEditorWindow.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorEditing.h"
#include "colorsets/GradientBar.h"
#include "common/ColorValue.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWindow>

using namespace wavory;
using namespace wavory::test;

namespace {

constexpr int kBuiltinCount = 14;
constexpr int kRgb = 1;

class ColorCommands : public SharingFixture {
  protected:
    // The list shows exactly the collection, with its selection.
    void expectListInStep() {
        ASSERT_EQ(list()->count(), setCount());
        for (int i = 0; i < setCount(); ++i)
            EXPECT_EQ(list()->itemText(i), setName(i)) << i;
        EXPECT_EQ(list()->currentIndex(), selected());
    }
    void fillTo(int count) {
        ColorSetCollection& sets = root->colorSets();
        while (sets.colorSetCount() < count) {
            ASSERT_TRUE(sets.addColorSet("fill", 8).ok());
            const int i = sets.colorSetCount() - 1;
            sets.addColorPoint(i, i, 0, 0);
            sets.addColorPoint(i, 0, i, 0);
        }
    }
    static QString editorName(ColorEditorWindow* e) {
        return e->findChild<QLineEdit*>(QStringLiteral("txtName"))->text();
    }
    static void press(ColorEditorWindow* e, const char* name) {
        e->findChild<QPushButton*>(QLatin1String(name))->click();
    }
};

TEST_F(ColorCommands, AddOpensTheEditorOnANewSetAndOkKeepsIt) {
    selectSet(3);
    bool checked = false;
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        EXPECT_EQ(e->editedIndex(), kBuiltinCount);
        EXPECT_TRUE(e->copiedOrAdded());
        EXPECT_EQ(editorName(e), "新規_01");
        EXPECT_EQ(e->pointRow().count(), 4);
        EXPECT_EQ(e->pointRow().level(), 8);
        EXPECT_EQ(e->pointRow().pointColor(0), 0);
        EXPECT_EQ(e->pointRow().pointColor(1), kWhiteColorValue);
        EXPECT_EQ(e->pointRow().pointColor(2), kWhiteColorValue);
        EXPECT_EQ(e->pointRow().pointColor(3), 0);
        // The list already shows the new set; drops wait until the editor is closed.
        EXPECT_EQ(list()->count(), kBuiltinCount + 1);
        EXPECT_FALSE(main->acceptDrops());
        checked = true;
        press(e, "cmdOK");
    });
    button("cmdAddGColor")->click();
    ASSERT_TRUE(checked);
    EXPECT_EQ(setCount(), kBuiltinCount + 1);
    EXPECT_EQ(selected(), kBuiltinCount);
    EXPECT_EQ(list()->currentText(), "新規_01");
    EXPECT_TRUE(main->acceptDrops());
    EXPECT_TRUE(dialogs.shown.empty());
    expectListInStep();
}

TEST_F(ColorCommands, AddCancelledTakesTheSetAwayAndSelectsTheFormerOne) {
    selectSet(5);
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) { press(e, "cmdCancel"); });
    action("mnuAddGColor")->trigger(); // the menu item presses the button
    EXPECT_EQ(setCount(), kBuiltinCount);
    EXPECT_EQ(selected(), 5);
    expectListInStep();
}

TEST_F(ColorCommands, AddTakesTheFirstFreeNewName) {
    for (int k = 0; k < 2; ++k) {
        whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) { press(e, "cmdOK"); });
        button("cmdAddGColor")->click();
    }
    EXPECT_EQ(setName(kBuiltinCount), "新規_01");
    EXPECT_EQ(setName(kBuiltinCount + 1), "新規_02");
    QString proposed;
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        proposed = editorName(e);
        press(e, "cmdCancel");
    });
    button("cmdAddGColor")->click();
    EXPECT_EQ(proposed, "新規_03");
}

TEST_F(ColorCommands, AddUpToFiftyThenTheCapacityMessage) {
    fillTo(49);
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) { press(e, "cmdOK"); });
    button("cmdAddGColor")->click();
    EXPECT_EQ(setCount(), 50);
    EXPECT_TRUE(dialogs.shown.empty());
    expectListInStep();

    watchForModal();
    button("cmdAddGColor")->click();
    QTest::qWait(20);
    EXPECT_FALSE(modalSeen) << "the editor must not open";
    EXPECT_EQ(setCount(), 50);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "作成できる色セットは 50個までです。\r\nこれ以上は追加できません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);

    // The copy command is refused the same way.
    watchForModal();
    action("mnuCopyGColor")->trigger();
    QTest::qWait(20);
    EXPECT_FALSE(modalSeen);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(setCount(), 50);
}

TEST_F(ColorCommands, CopyTwiceNumbersTheCopiesAndCancelRestores) {
    selectSet(kRgb);
    const GColor rgb = root->colorSets().at(kRgb);
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        EXPECT_EQ(editorName(e), "RGBのコピー 1");
        EXPECT_TRUE(e->copiedOrAdded());
        EXPECT_EQ(e->pointRow().count(), rgb.colorCount);
        EXPECT_EQ(e->pointRow().level(), rgb.colorLevelCount);
        for (int i = 0; i < rgb.colorCount; ++i)
            EXPECT_EQ(e->pointRow().pointColor(i), rgbValue(rgb.r[i], rgb.g[i], rgb.b[i])) << i;
        press(e, "cmdOK");
    });
    action("mnuCopyGColor")->trigger();
    ASSERT_EQ(setCount(), kBuiltinCount + 1);
    EXPECT_EQ(setName(kBuiltinCount), "RGBのコピー 1");
    EXPECT_EQ(root->colorSets().hasSameColorSet(kBuiltinCount), kRgb);

    selectSet(kRgb);
    QString second;
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        second = editorName(e);
        press(e, "cmdCancel");
    });
    action("mnuCopyGColor")->trigger();
    EXPECT_EQ(second, "RGBのコピー 2");
    EXPECT_EQ(setCount(), kBuiltinCount + 1);
    EXPECT_EQ(selected(), kRgb);
    expectListInStep();
}

TEST_F(ColorCommands, EditWritesTheSetItsNameAndTheGradientBar) {
    selectSet(2);
    dialogs.colors.push_back(QColor(10, 20, 30));
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        EXPECT_EQ(e->editedIndex(), 2);
        EXPECT_FALSE(e->copiedOrAdded());
        auto* name = e->findChild<QLineEdit*>(QStringLiteral("txtName"));
        name->setText(QStringLiteral("虹の改"));
        QTest::mouseClick(e->findChild<QWidget*>(QStringLiteral("picPoint_1")), Qt::LeftButton);
        press(e, "cmdOK");
    });
    action("mnuEditGColor")->trigger();
    EXPECT_EQ(setName(2), "虹の改");
    EXPECT_EQ(list()->itemText(2), "虹の改");
    const GColor& set = root->colorSets().at(2);
    EXPECT_EQ(rgbValue(set.r[1], set.g[1], set.b[1]), rgbValue(10, 20, 30));
    EXPECT_EQ(setCount(), kBuiltinCount);
    // The bar shows the edited set.
    auto* bar = find<GradientView>(QStringLiteral("picGrad"));
    const std::vector<Rgb> expected = gradBarColors(set, bar->barWidth(), 0);
    ASSERT_FALSE(expected.empty());
    for (int x : {0, bar->barWidth() / 3, bar->barWidth() - 1}) {
        const Rgb c = expected[static_cast<std::size_t>(x)];
        EXPECT_EQ(bar->columnColor(x), qRgb(c.r, c.g, c.b)) << x;
    }

    // Cancel leaves the set as it is.
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        e->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("別名"));
        press(e, "cmdCancel");
    });
    button("cmdGColorEdit")->click();
    EXPECT_EQ(setName(2), "虹の改");
    expectListInStep();
}

TEST_F(ColorCommands, FileDropsWaitWhileTheEditorIsOpen) {
    const QString file = path(QStringLiteral("drop.cst"));
    writeFile(file, "[ColorSet 0]\r\nColorSetName=dropped\r\nColorCount=2\r\nColorLevelCount=8\r\n"
                    "Color 0R=1\r\nColor 1R=2\r\n");
    bool refused = false;
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &drop);
        refused = !drop.isAccepted();
        press(e, "cmdCancel");
    });
    button("cmdGColorEdit")->click();
    QTest::qWait(20);
    EXPECT_TRUE(refused);
    EXPECT_EQ(setCount(), kBuiltinCount);
}

TEST_F(ColorCommands, NoMainWindowCommandActsWhileItsModalDialogIsOpen) {
    simpleParameters();
    int drawings = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++drawings; });
    const ParamFields before = root->params().fields();
    // The main window's shortcuts and menu keys, sent as the window system does to the main
    // window, to the dialog and to the picture window (which passes F5 on), while the main
    // window is still taken as the active one (as before the dialog's activation arrives).
    root->windowController().togglePictureWindow();
    const auto pressCommandKeys = [this](QDialog* dialog) {
        for (QWindow* w :
             {main->windowHandle(), dialog->windowHandle(), root->picture()->windowHandle()}) {
            QApplication::setActiveWindow(main);
            QTest::keyClick(w, Qt::Key_F4);
            QTest::keyClick(w, Qt::Key_F5);
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(w, Qt::Key_W, Qt::AltModifier); // 形(&W), then 周期半分(&E)
            if (QWidget* menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_E);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        }
        dialog->reject();
    };
    whenOpen<ColorEditorWindow>(pressCommandKeys);
    button("cmdGColorEdit")->click();
    whenOpen<QDialog>(pressCommandKeys); // the image size dialog
    button("cmdSize")->click();
    QTest::qWait(20);
    EXPECT_EQ(drawings, 0);
    EXPECT_EQ(root->params().fields().values, before.values);
    EXPECT_EQ(root->params().fields().componentOn, before.componentOn);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    // Closed again, the commands are back.
    ASSERT_TRUE(waitFor([&] { return main->isActiveWindow(); }));
    QTest::keyClick(main->windowHandle(), Qt::Key_F5);
    EXPECT_EQ(drawings, 1);
}

TEST_F(ColorCommands, RemoveAsksFirst) {
    selectSet(0);
    dialogs.answers.push_back(MessageAnswer::Cancel);
    button("cmdRemoveGColor")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "色セット '紫水黄' を削除してよろしいですか？");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::OkCancel);
    // Enter alone keeps the set.
    EXPECT_EQ(dialogs.shown[0].defaultButton, DefaultButton::Negative);
    EXPECT_EQ(setCount(), kBuiltinCount);

    // OK on the first set: the next one moves into its place and is selected.
    const QString second = setName(1);
    action("mnuRemoveGColor")->trigger();
    EXPECT_EQ(setCount(), kBuiltinCount - 1);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(setName(0), second);
    expectListInStep();

    // Removing the last set selects the new last one.
    selectSet(setCount() - 1);
    button("cmdRemoveGColor")->click();
    EXPECT_EQ(selected(), setCount() - 1);
    EXPECT_EQ(setCount(), kBuiltinCount - 2);
    expectListInStep();
}

TEST_F(ColorCommands, TheLastSetCannotBeRemoved) {
    while (setCount() > 1)
        button("cmdRemoveGColor")->click(); // answered OK
    dialogs.shown.clear();
    button("cmdRemoveGColor")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "最後の１個は削除できません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(setCount(), 1);
    expectListInStep();
}

TEST_F(ColorCommands, InitializeAsksYesOrNo) {
    fillTo(20);
    selectSet(17);
    dialogs.answers.push_back(MessageAnswer::No);
    action("mnuGcolorInit")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "すべての色セットを初期化します。\r\n本当によろしいですか？");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    // Enter alone keeps the user's sets.
    EXPECT_EQ(dialogs.shown[0].defaultButton, DefaultButton::Negative);
    EXPECT_EQ(setCount(), 20);

    action("mnuGcolorInit")->trigger(); // Yes
    ASSERT_EQ(setCount(), kBuiltinCount);
    for (int i = 0; i < kBuiltinCount; ++i) {
        const GColor& builtin = builtinColorSets()[static_cast<std::size_t>(i)];
        EXPECT_EQ(root->colorSets().at(i).name, builtin.name) << i;
        EXPECT_TRUE(sameColors(root->colorSets().at(i), builtin)) << i;
    }
    EXPECT_EQ(selected(), 0);
    expectListInStep();
}

TEST_F(ColorCommands, EditorHelpOpensItsPage) {
    writeFile(resources + QStringLiteral("help/gcolor.htm"), "<html></html>");
    whenOpen<ColorEditorWindow>([&](ColorEditorWindow* e) {
        press(e, "cmdHelp");
        press(e, "cmdCancel");
    });
    button("cmdGColorEdit")->click();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(resources + QStringLiteral("help/gcolor.htm")));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
