// The options dialog: what it shows of the settings, what OK stores and refuses (with
// the tab it turns to and what is stored already by then), the tendency pad's marker
// arithmetic and dragging, Ctrl+Tab, F1, "参照", and the way from the main window's menu
// to a random setting that leans as the pad says.

#include "../TempFolder.h"
#include "AppFixture.h"
#include "widgets/TendencyPad.h"
#include "windows/OptionsDialog.h"

#include <QFile>
#include <QGroupBox>
#include <QTabWidget>
#include <QTimer>

#include <cmath>
#include <limits>

using namespace wavory;
using namespace wavory::test;

namespace {

const QString kNoGroupMessage =
    QStringLiteral("ランダム設定するパラメータは最低一つを選択してください。");
const QString kBadPathMessage = QStringLiteral("パスが不正です。");

TEST(TendencyPadArithmetic, TheMiddleIsExactlyZeroAndTheEdgesAboutOne) {
    for (int size : {160, 161, 120, 121}) {
        SCOPED_TRACE(size);
        const int middle = (size - 7) / 2;
        EXPECT_EQ(markerOffset(size, 7, 0), middle);
        EXPECT_EQ(tendencyOf(middle, size, 7), 0.0);
        EXPECT_NEAR(tendencyOf(0, size, 7), -1, 0.1);
        EXPECT_NEAR(tendencyOf(size - 7, size, 7), 1, 0.1);
    }
    // int(160 × 0.5) \ 2 + 153 \ 2 = 40 + 76; and back: (116 − 76) / 160 × 2.
    EXPECT_EQ(markerOffset(160, 7, 0.5), 116);
    EXPECT_EQ(tendencyOf(116, 160, 7), 0.5);
    // Halvings truncate towards zero: int(160 × −0.1) = −16 → −8; int(121 × 0.1) = 12 → 6.
    EXPECT_EQ(markerOffset(160, 7, -0.1), 68);
    EXPECT_EQ(markerOffset(121, 7, 0.1), 63);
    // Half to even: 161 × 0.5 = 80.5 → 80.
    EXPECT_EQ(markerOffset(161, 7, 0.5), 40 + 77);
    // A hand-edited value far out of range places the marker off the pad, without overflow.
    EXPECT_GT(markerOffset(160, 7, 1e300), 1000);
    EXPECT_EQ(markerOffset(160, 7, std::numeric_limits<double>::quiet_NaN()), 76);
}

class Options : public ::testing::Test {
  protected:
    void SetUp() override {
        options.doRndSet = {true, true, true, false, false, false, true};
        options.shell = "/bin/sh";
        options.drawOnRnd = true;
        options.activeAfterDrawing = true;
        open();
    }
    void open() {
        dialog = std::make_unique<OptionsDialog>(options, dialogs);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    template <typename T = QWidget> T* find(const QString& name) {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QCheckBox* group(int i) { return find<QCheckBox>(QStringLiteral("chkRndSet_%1").arg(i)); }
    QCheckBox* box(const char* name) { return find<QCheckBox>(QLatin1String(name)); }
    QLineEdit* path() { return find<QLineEdit>(QStringLiteral("txtPath")); }
    void press(const char* name) { find<QPushButton>(QLatin1String(name))->click(); }
    TendencyPad* pad() { return dialog->pad(); }
    QPoint marker() { return pad()->marker()->pos(); }
    // Centre of the marker at a point of the pad.
    static QPoint centreAt(QPoint p) { return p + QPoint(3, 3); }

    AppSettings::OptionSection options;
    ScriptedDialogs dialogs;
    std::unique_ptr<OptionsDialog> dialog;
};

TEST_F(Options, OpensShowingTheSettings) {
    options.rndSetBs = 0.5;
    options.rndSetSw = -0.25;
    options.doRndSet = {false, true, false, true, false, true, false};
    options.drawOnChange = true;
    options.hello = true;
    open();
    EXPECT_EQ(dialog->windowTitle(), "オプション");
    auto* tabs = find<QTabWidget>(QStringLiteral("tbsOptions"));
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "ランダム設定");
    EXPECT_EQ(tabs->tabText(1), "連携アプリ");
    EXPECT_EQ(tabs->tabText(2), "全般");
    EXPECT_EQ(dialog->tabPage(), 1);
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("fraDoRndSet"))->title(),
              "ランダム設定するパラメータ");
    const char* groups[] = {"周期",   "振幅",   "成分のオン／オフ", "画像の中心",
                            "にじみ", "べき乗", "使用色セット"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(group(i)->text(), QString::fromUtf8(groups[i])) << i;
        EXPECT_EQ(group(i)->isChecked(), options.doRndSet[static_cast<std::size_t>(i)]) << i;
    }
    const char* axes[] = {"振幅大", "振幅小", "周期小", "周期大", "ランダム設定時の画像の傾向 :"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(find<QLabel>(QStringLiteral("lblStatic_%1").arg(i))->text(),
                  QString::fromUtf8(axes[i]));
    // int(160 × 0.5) \ 2 + 153 \ 2; int(120 × −0.25) \ 2 + 113 \ 2.
    EXPECT_EQ(marker(), QPoint(116, 41));
    EXPECT_EQ(path()->text(), "/bin/sh");
    const std::pair<const char*, const char*> boxes[] = {
        {"chkActiveAfterDrawing", "描画後メインウィンドウにフォーカスを戻す"},
        {"chkDrawOnChange", "値の変更と同時に描画"},
        {"chkDrawOnRnd", "ランダム設定と同時に描画"},
        {"chkDrewBeep", "描画終了後に音を鳴らす"},
        {"chkHello", "起動時にウェルカムダイアログを表示"},
        {"chkQuitQ", "終了する前に確認ダイアログを表示"},
        {"chkTextOnGrp", "画像保存と同時に「テキストファイルへ書き出し」を実行"}};
    for (const auto& [name, caption] : boxes)
        EXPECT_EQ(box(name)->text(), QString::fromUtf8(caption)) << name;
    for (const char* on : {"chkActiveAfterDrawing", "chkDrawOnChange", "chkDrawOnRnd", "chkHello"})
        EXPECT_TRUE(box(on)->isChecked()) << on;
    for (const char* off : {"chkDrewBeep", "chkQuitQ", "chkTextOnGrp"})
        EXPECT_FALSE(box(off)->isChecked()) << off;
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdReset"))->text(), "初期値");
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdReference"))->text(), "参照");
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdCancel"))->text(), "キャンセル");
    EXPECT_EQ(find<QPushButton>(QStringLiteral("cmdHelp"))->text(), "ヘルプ");
}

TEST_F(Options, OkStoresEverythingAndCancelNothing) {
    box("chkQuitQ")->setChecked(true);
    box("chkDrawOnRnd")->setChecked(false);
    group(4)->setChecked(true);
    QTest::mouseClick(pad(), Qt::LeftButton, {}, QPoint(20, 30));
    press("cmdCancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    AppSettings::OptionSection unchanged;
    unchanged.doRndSet = {true, true, true, false, false, false, true};
    unchanged.shell = "/bin/sh";
    unchanged.drawOnRnd = true;
    unchanged.activeAfterDrawing = true;
    EXPECT_EQ(options, unchanged);

    open();
    box("chkQuitQ")->setChecked(true);
    box("chkDrawOnRnd")->setChecked(false);
    group(4)->setChecked(true);
    QTest::mouseClick(pad(), Qt::LeftButton, {}, QPoint(20, 30));
    EXPECT_EQ(marker(), QPoint(17, 27));
    press("cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(options.quitQ);
    EXPECT_FALSE(options.drawOnRnd);
    EXPECT_TRUE(options.doRndSet[4]);
    EXPECT_EQ(options.rndSetBs, (17 - 76) / 160.0 * 2);
    EXPECT_EQ(options.rndSetSw, (27 - 56) / 120.0 * 2);
    EXPECT_EQ(options.shell, "/bin/sh"); // a program, taken again
}

TEST_F(Options, NoGroupIsRefusedOnTheFirstTabAndStoresNothing) {
    for (int i = 0; i < 7; ++i)
        group(i)->setChecked(false);
    box("chkHello")->setChecked(true);
    path()->clear();
    dialog->setTabPage(3);
    press("cmdOK");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kNoGroupMessage);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialog->tabPage(), 1);
    EXPECT_TRUE(dialog->isVisible());
    press("cmdCancel");
    EXPECT_EQ(options.doRndSet, (std::array<bool, 7>{true, true, true, false, false, false, true}));
    EXPECT_FALSE(options.hello);
}

TEST_F(Options, APathThatNamesNoProgramIsRefusedOnTheSecondTab) {
    const wavory::testing::TempFolder folder;
    const QString text = QString::fromStdString(folder.str()) + QStringLiteral("/notes.txt");
    const QString program = QString::fromStdString(folder.str()) + QStringLiteral("/my tool");
    for (const QString& name : {text, program}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
    }
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);

    // Missing, not executable, a folder: each refused, the random choices already stored.
    for (const QString& bad :
         {QStringLiteral("/no/such/app"), text, QString::fromStdString(folder.str())}) {
        SCOPED_TRACE(bad.toStdString());
        open();
        dialogs.shown.clear();
        group(5)->setChecked(true);
        press("cmdReset");
        box("chkTextOnGrp")->setChecked(true);
        path()->setText(bad);
        press("cmdOK");
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, kBadPathMessage);
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(dialog->tabPage(), 2);
        press("cmdCancel");
        EXPECT_TRUE(options.doRndSet[5]);
        EXPECT_EQ(options.shell, "/bin/sh");
        EXPECT_FALSE(options.textOnGrp);
        options.doRndSet[5] = false;
    }
    // Blanks keep the stored path; a program is taken as typed.
    path()->setText(QStringLiteral("   "));
    press("cmdOK");
    EXPECT_EQ(options.shell, "/bin/sh");
    open();
    path()->setText(program);
    press("cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(options.shell, program.toStdString());
}

TEST_F(Options, ResetStoresExactlyZero) {
    options.rndSetBs = 0.731;
    options.rndSetSw = -0.402;
    open();
    EXPECT_NE(marker(), QPoint(76, 56));
    press("cmdReset");
    EXPECT_EQ(marker(), QPoint(76, 56));
    press("cmdOK");
    EXPECT_EQ(options.rndSetBs, 0.0);
    EXPECT_EQ(options.rndSetSw, 0.0);
}

TEST_F(Options, DraggingPastTheEdgeLeavesTheMarkerAtItsLastPlaceInside) {
    QTest::mousePress(pad(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(marker(), QPoint(47, 47));
    QTest::mouseMove(pad(), QPoint(5, 40));
    EXPECT_EQ(marker(), QPoint(2, 37));
    QTest::mouseMove(pad(), QPoint(3, 30)); // the marker's left edge at 0: still inside
    EXPECT_EQ(marker(), QPoint(0, 27));
    // Past the left edge: the whole move is refused, the height too.
    QTest::mouseMove(pad(), QPoint(2, 60));
    QTest::mouseMove(pad(), QPoint(-40, 90));
    EXPECT_EQ(marker(), QPoint(0, 27));
    QTest::mouseMove(pad(), QPoint(200, 119));
    EXPECT_EQ(marker(), QPoint(0, 27));
    QTest::mouseRelease(pad(), Qt::LeftButton, {}, QPoint(200, 119));
    // Without a button the marker does not follow.
    QTest::mouseMove(pad(), QPoint(80, 80));
    EXPECT_EQ(marker(), QPoint(0, 27));
    // The right and bottom edges: the last inside position is size − marker.
    QTest::mousePress(pad(), Qt::LeftButton, {}, centreAt(QPoint(153, 113)));
    EXPECT_EQ(marker(), QPoint(153, 113));
    QTest::mouseMove(pad(), centreAt(QPoint(154, 113)));
    EXPECT_EQ(marker(), QPoint(153, 113));
    QTest::mouseRelease(pad(), Qt::LeftButton);
    press("cmdOK");
    EXPECT_NEAR(options.rndSetBs, 0.96, 0.01);
    EXPECT_NEAR(options.rndSetSw, 0.95, 0.01);
}

TEST_F(Options, AxisLabelsHideUnderThePointer) {
    auto* top = find<QLabel>(QStringLiteral("lblStatic_0"));
    auto* left = find<QLabel>(QStringLiteral("lblStatic_2"));
    QTest::mouseMove(pad(), top->geometry().center());
    EXPECT_FALSE(top->isVisible());
    EXPECT_TRUE(left->isVisible());
    // The marker can go under the hidden label.
    QTest::mousePress(pad(), Qt::LeftButton, {}, top->geometry().center());
    EXPECT_EQ(marker() + QPoint(3, 3), top->geometry().center());
    QTest::mouseRelease(pad(), Qt::LeftButton, {}, top->geometry().center());
    QTest::mouseMove(pad(), left->geometry().center());
    EXPECT_TRUE(top->isVisible());
    EXPECT_FALSE(left->isVisible());
}

TEST_F(Options, CtrlTabGoesRoundTheTabsAndOnlyTheSelectedPageIsEnabled) {
    auto* tabs = find<QTabWidget>(QStringLiteral("tbsOptions"));
    QWidget* focus = find<QPushButton>(QStringLiteral("cmdOK"));
    focus->setFocus();
    for (int expected : {2, 3, 1, 2}) {
        QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(dialog->tabPage(), expected);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(tabs->widget(i)->isEnabled(), i == expected - 1) << i;
    }
    dialog->setTabPage(7); // no such tab
    EXPECT_EQ(dialog->tabPage(), 2);
}

TEST_F(Options, F1AndTheHelpButtonOpenTheOptionsPage) {
    QStringList topics;
    QObject::connect(dialog.get(), &OptionsDialog::helpFileRequested,
                     [&](const QString& t) { topics << t; });
    QTest::keyRelease(path(), Qt::Key_F1);
    press("cmdHelp");
    EXPECT_EQ(topics, (QStringList{"options.htm", "options.htm"}));
}

TEST_F(Options, ReferenceStartsInThePathsFolderAndACancelChangesNothing) {
    dialog->setTabPage(2); // the other pages' controls are disabled
    path()->clear();
    dialogs.fileNames = {QStringLiteral("/usr/bin/gimp")};
    press("cmdReference");
    EXPECT_EQ(path()->text(), "/usr/bin/gimp");
    press("cmdReference"); // cancelled
    EXPECT_EQ(path()->text(), "/usr/bin/gimp");
    path()->setText(QStringLiteral("/opt/paint/bin/paint"));
    press("cmdReference");
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_FALSE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "/usr/bin/");
    EXPECT_EQ(dialogs.fileRequests[1].fileName, "/usr/bin/");
    EXPECT_EQ(dialogs.fileRequests[2].fileName, "/opt/paint/bin/");
    EXPECT_EQ(path()->text(), "/opt/paint/bin/paint");
}

class OptionsFromTheMenu : public AppFixture {
  protected:
    // Runs `answer` on the options dialog once it is open.
    void whenOpen(std::function<void(OptionsDialog*)> answer) {
        QTimer::singleShot(0, main, [answer] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
        });
    }
    // The periods and amplitudes a random setting gives from a fixed sequence.
    std::vector<int> randomValues() {
        root->random().reseed(777);
        root->drawCommand().randomSetting();
        std::vector<int> v;
        for (int i = 0; i < kValueSlotCount; ++i)
            v.push_back(text(i).toInt());
        return v;
    }
};

TEST_F(OptionsFromTheMenu, TheTopLeftCornerLeansToShortPeriodsAndLargeAmplitudes) {
    AppSettings& s = root->settings();
    s.option.doRndSet = {true, true, false, false, false, false, false};
    s.option.drawOnRnd = false;
    const std::vector<int> neutral = randomValues();

    bool dropsRefused = false;
    whenOpen([&](OptionsDialog* dialog) {
        dropsRefused = !main->acceptDrops();
        EXPECT_EQ(dialog->tabPage(), 1);
        QTest::mouseClick(dialog->pad(), Qt::LeftButton, {}, QPoint(3, 3));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    action("mnuOption")->trigger();
    EXPECT_TRUE(dropsRefused);
    EXPECT_TRUE(main->acceptDrops());
    EXPECT_LT(s.option.rndSetBs, -0.9);
    EXPECT_LT(s.option.rndSetSw, -0.9);

    const std::vector<int> leaning = randomValues();
    int periods = 0;
    int neutralPeriods = 0;
    for (int slot : kPeriodSlot) {
        EXPECT_LE(leaning[slot], neutral[slot]) << slot;
        periods += leaning[slot];
        neutralPeriods += neutral[slot];
    }
    EXPECT_LT(periods * 4, neutralPeriods);
    for (int slot : kAmplitudeSlot)
        EXPECT_GT(leaning[slot], neutral[slot] * 4) << slot;
}

} // namespace
