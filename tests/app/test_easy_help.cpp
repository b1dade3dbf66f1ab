// The easy help window on the running program: every control of the main window, the
// frame settings window and the color set editor reports its topic when the pointer
// moves over it; what the window shows for a topic and when it does not redraw.

#include "AppFixture.h"
#include "drawing/DrawSession.h"
#include "platform/JapaneseLineBreaks.h"
#include "platform/WindowHelpers.h"
#include "animation/AnimationWindow.h"
#include "colors/ColorEditorWindow.h"
#include "guide/EasyHelpWindow.h"
#include "windows/OptionsDialog.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "help/HelpIllustrations.h"
#include "help/HelpTopics.h"

#include <QCursor>
#include <QGroupBox>
#include <QSlider>
#include <QTextLayout>

using namespace wavory;
using namespace wavory::test;

namespace {

struct ControlTopic {
    std::string control;
    int topic;
};

class EasyHelp : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        // The pointer goes where it is put on the screen: keep the windows apart.
        main->move(0, 0);
        help()->show();
        help()->move(0, main->frameGeometry().bottom() + 40);
        // A move to where the last test left the pointer would not be a move.
        QCursor::setPos(3000, 3000);
        QApplication::processEvents();
    }
    // A second window to the right of the main window.
    void showBeside(QWidget* window) {
        window->show();
        window->move(main->frameGeometry().right() + 40, 0);
    }

    EasyHelpWindow* help() { return root->helpWindow(); }
    QLabel* label(const char* name) {
        auto* l = help()->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(l, nullptr) << name;
        return l;
    }
    QString title() { return label("labHelpTitle")->text(); }
    bool hasPicture(int i) { return !label(i == 0 ? "imgHelp_0" : "imgHelp_1")->pixmap().isNull(); }

    // Moves the pointer onto a spot of the widget that no child covers (its background
    // for a frame or a window).
    static void pointAt(QWidget* w) {
        ASSERT_NE(w, nullptr);
        for (int y = 2; y < w->height(); y += 3)
            for (int x = 2; x < w->width(); x += 3)
                if (!w->childAt(x, y)) {
                    QTest::mouseMove(w, QPoint(x, y));
                    return;
                }
        FAIL() << w->objectName().toStdString() << " has no free spot";
    }
    void pointAt(const char* name) { pointAt(find<QWidget>(QLatin1String(name))); }

    // Each control shows its topic, coming from another one.
    void expectTopics(QWidget* window, const std::vector<ControlTopic>& table) {
        for (const ControlTopic& row : table) {
            SCOPED_TRACE(row.control);
            help()->helpManager(row.topic == 20 ? 21 : 20);
            const QString name = QString::fromStdString(row.control);
            QWidget* w = window->objectName() == name ? window : window->findChild<QWidget*>(name);
            pointAt(w);
            EXPECT_EQ(help()->currentTopic(), row.topic);
            EXPECT_EQ(title().toStdString(), helpTopic(row.topic).title);
        }
    }
};

TEST_F(EasyHelp, EveryMainWindowControlReportsItsTopic) {
    std::vector<ControlTopic> table{
        {"cmdRndSet", 20},
        {"labValue_9", 21},
        {"labValue_0", 22},
        {"labValue_1", 23},
        {"labCenter", 25},
        {"labNizimi", 26},
        {"cmdBig", 30},
        {"cmdSmall", 31},
        {"cmdStrong", 32},
        {"cmdWeak", 33},
        {"labGColor", 40},
        {"cmdGColorEdit", 41},
        {"cmdAddGColor", 42},
        {"cmdRemoveGColor", 43},
        {"labISO", 47},
        {"cmdDraw", 50},
        {"cmdSave", 51},
        {"cmdSize", 52},
        {"labMode", 53},
        // The three parameter frames' backgrounds clear the window.
        {"fraValue", 0},
        {"Frame1", 0},
        {"Frame2", 0},
    };
    for (int k = 0; k < kComponentCount; ++k)
        table.push_back({"chkValue_" + std::to_string(k), 10 + k});
    expectTopics(main, table);
    // The picture, where a drag moves the center.
    showBeside(root->picture());
    expectTopics(root->picture(), {{"picMain", 27}});
}

TEST_F(EasyHelp, EveryFrameWindowControlReportsItsTopic) {
    FrameWindow* frame = root->frameWindow();
    showBeside(frame);
    expectTopics(frame, {{"chkFrameEnabled", 70},
                         {"picFrameColor", 71},
                         {"lblStatic_4", 71},
                         {"sldFrameSenmei", 72},
                         {"lblStatic_5", 72},
                         {"sldFrameShadow", 73},
                         {"lblStatic_6", 73},
                         {"sldFrameLine", 74},
                         {"lblStatic_7", 74},
                         {"fraFrameSize", 77},
                         {"fraFrameType", 0},
                         {"frmButton", 0}});
}

TEST_F(EasyHelp, EveryColorEditorPartReportsItsTopic) {
    ColorSetCollection sets;
    initColors(sets);
    ColorEditorWindow editor(dialogs, sets, random, main);
    editor.setEditedIndex(0);
    showBeside(&editor);
    expectTopics(&editor, {{"fraName", 60},
                           {"fraNum", 61},
                           {"fraLevel", 62},
                           {"fraColorChange", 63},
                           {"picPoint_1", 64},
                           {"chkEdge", 65},
                           {"cmdRnd", 66},
                           {"frmColor", 0}});
}

TEST_F(EasyHelp, EveryAnimationWindowControlReportsItsTopic) {
    AnimationWindow* anim = root->animWindow();
    showBeside(anim);
    // The save group and the preview button as after a completed animation.
    setContainerEnabled(anim->findChild<QGroupBox*>(QStringLiteral("fraSave")), true, true);
    anim->findChild<QWidget*>(QStringLiteral("cmdPreview"))->setEnabled(true);
    expectTopics(anim, {{"lblIso", 120},
                        {"lblIsoFrom", 120},
                        {"lblIsoTo", 120},
                        {"lblFrame", 121},
                        {"cmdDraw", 125},
                        {"cmdPreview", 127},
                        {"lblPath", 130},
                        {"lblName", 131},
                        {"lblNumber", 132},
                        {"cmdSave", 135},
                        {"fraFrame", 0},
                        {"fraSave", 0}});
    // The stop buttons stand in the same places while frames are made or saved.
    for (const char* name : {"cmdDraw", "cmdSave"})
        anim->findChild<QWidget*>(QLatin1String(name))->hide();
    for (const char* name : {"cmdDrawStop", "cmdSaveStop"})
        anim->findChild<QWidget*>(QLatin1String(name))->show();
    expectTopics(anim, {{"cmdDrawStop", 126}, {"cmdSaveStop", 136}});
}

TEST_F(EasyHelp, EveryOptionsControlReportsItsTopic) {
    OptionsDialog options(root->settings().option, dialogs, main);
    // Too wide to stand beside the main window on the test screen: in its place.
    main->hide();
    options.show();
    options.move(0, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
    // Each page's controls, with that page selected.
    expectTopics(&options,
                 {{"picRndSet", 80}, {"cmdReset", 81}, {"fraDoRndSet", 82}, {"picOptions_0", 0}});
    options.setTabPage(2);
    expectTopics(&options, {{"txtPath", 83}, {"picOptions_1", 0}});
    options.setTabPage(3);
    // Drawing on value change has its own topic, not that of drawing on random setting.
    expectTopics(&options, {{"chkDrewBeep", 90},
                            {"chkHello", 91},
                            {"chkQuitQ", 92},
                            {"chkDrawOnRnd", 93},
                            {"chkTextOnGrp", 94},
                            {"chkActiveAfterDrawing", 95},
                            {"chkDrawOnChange", 96},
                            {"picOptions_2", 0}});
}

TEST_F(EasyHelp, ControlsWithoutATopicLeaveTheTopicShown) {
    for (const char* control : {"txtValue_0", "labValue_6", "labValue_8"}) {
        help()->helpManager(22);
        QTest::mouseMove(find<QWidget>(QLatin1String(control)), QPoint(3, 3));
        EXPECT_EQ(help()->currentTopic(), 22) << control;
    }
}

TEST_F(EasyHelp, TheSameTopicAgainDoesNotRedraw) {
    QWidget* power = find<QWidget>("labValue_9");
    QTest::mouseMove(power, QPoint(3, 3));
    ASSERT_EQ(help()->currentTopic(), 21);
    label("labHelpTitle")->setText(QStringLiteral("marker"));
    QTest::mouseMove(power, QPoint(5, 4));
    help()->helpManager(21);
    EXPECT_EQ(title(), QStringLiteral("marker"));
    // Hidden, the window keeps its topic: showing it again and pointing at the same
    // control changes nothing either.
    help()->hide();
    help()->show();
    QTest::mouseMove(power, QPoint(3, 3));
    EXPECT_EQ(title(), QStringLiteral("marker"));
}

TEST_F(EasyHelp, IllustrationsAreDrawnOnFirstUseAndKept) {
    // Start-up draws none of them.
    EXPECT_EQ(help()->keptIllustrations(), 0);
    help()->helpManager(21);
    EXPECT_EQ(help()->keptIllustrations(), 2);
    help()->helpManager(22);
    help()->helpManager(12);
    EXPECT_EQ(help()->keptIllustrations(), 3);
    help()->helpManager(21);
    EXPECT_EQ(help()->keptIllustrations(), 3);
    EXPECT_FALSE(label("imgHelp_0")->pixmap().isNull());
}

TEST_F(EasyHelp, PowerThenPeriodSwitchesTheBadgeAndRemovesThePictures) {
    QTest::mouseMove(find<QWidget>("labValue_9"), QPoint(3, 3));
    QLabel* badge = label("labHelpLevel");
    EXPECT_TRUE(badge->isVisible());
    EXPECT_EQ(badge->text(), QStringLiteral("中・上級者向け機能"));
    EXPECT_EQ(badge->palette().color(QPalette::Window), QColor(255, 192, 0));
    EXPECT_TRUE(hasPicture(0) && hasPicture(1));
    EXPECT_TRUE(label("picArrow")->isVisible());
    EXPECT_EQ(label("lblLeft")->text(), QStringLiteral("べき乗 1"));
    EXPECT_EQ(label("lblRight")->text(), QStringLiteral("べき乗 32"));
    EXPECT_TRUE(label("lblLeft")->isVisible());
    // The picture is the engine's drawing, kept at its size.
    EXPECT_EQ(label("imgHelp_0")->pixmap().size(), QSize(kIllustrationSide, kIllustrationSide));

    QTest::mouseMove(find<QWidget>("labValue_0"), QPoint(3, 3));
    EXPECT_TRUE(badge->isVisible());
    EXPECT_EQ(badge->text(), QStringLiteral("基本"));
    EXPECT_EQ(badge->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_FALSE(hasPicture(0) || hasPicture(1));
    EXPECT_FALSE(label("picArrow")->isVisible());
    EXPECT_FALSE(label("lblLeft")->isVisible() || label("lblRight")->isVisible());
}

TEST_F(EasyHelp, ComponentPicturesStandAloneAndOnlyTheDiagonalHasTheRedNote) {
    QLabel* note = label("labHelpRed");
    QTest::mouseMove(component(2), QPoint(3, 3));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text().remove(kWordJoiner),
              QStringLiteral("上下左右つながった画像にしたい時はこの成分をオフにしてください。"));
    EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(hasPicture(0));
    EXPECT_FALSE(hasPicture(1));
    EXPECT_FALSE(label("picArrow")->isVisible());
    EXPECT_FALSE(label("lblLeft")->isVisible());

    QTest::mouseMove(component(3), QPoint(3, 3));
    EXPECT_EQ(help()->currentTopic(), 13);
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(hasPicture(0));
}

TEST_F(EasyHelp, AFrameBackgroundOrAnUnknownTopicClearsEverything) {
    const auto expectCleared = [this] {
        EXPECT_TRUE(title().isEmpty());
        EXPECT_TRUE(label("labHelp")->text().isEmpty());
        EXPECT_FALSE(label("labHelpLevel")->isVisible());
        EXPECT_FALSE(label("labHelpRed")->isVisible());
        EXPECT_FALSE(hasPicture(0) || hasPicture(1));
        EXPECT_FALSE(label("lblLeft")->isVisible());
    };
    QTest::mouseMove(find<QWidget>("labCenter"), QPoint(3, 3));
    ASSERT_TRUE(label("labHelpRed")->isVisible());
    pointAt("fraValue");
    EXPECT_EQ(help()->currentTopic(), 0);
    expectCleared();

    help()->helpManager(25);
    help()->helpManager(1234);
    EXPECT_EQ(help()->currentTopic(), 1234);
    expectCleared();
}

TEST_F(EasyHelp, TheDrawButtonTopicFollowsTheDrawingState) {
    auto* session = main->findChild<DrawSession*>();
    ASSERT_NE(session, nullptr);
    QTest::mouseMove(button("cmdDraw"), QPoint(5, 5));
    EXPECT_EQ(help()->currentTopic(), 50);
    Q_EMIT session->drawingStateChanged(true);
    EXPECT_EQ(help()->currentTopic(), 54);
    EXPECT_EQ(title(), QStringLiteral("描画中止"));
    Q_EMIT session->drawingStateChanged(false);
    EXPECT_EQ(help()->currentTopic(), 50);
    // Away from the button, its change does not take the window back: neither on another
    // control nor outside every window.
    QTest::mouseMove(find<QWidget>("labNizimi"), QPoint(3, 3));
    Q_EMIT session->drawingStateChanged(true);
    EXPECT_EQ(help()->currentTopic(), 26);
    Q_EMIT session->drawingStateChanged(false);
    QTest::mouseMove(button("cmdDraw"), QPoint(5, 5));
    QCursor::setPos(3000, 3000);
    QApplication::processEvents();
    Q_EMIT session->drawingStateChanged(true);
    EXPECT_EQ(help()->currentTopic(), 50);
    Q_EMIT session->drawingStateChanged(false);
}

TEST_F(EasyHelp, LongTextsWrapWithinTheWindow) {
    help()->helpManager(53);
    QApplication::processEvents();
    QLabel* text = label("labHelp");
    EXPECT_TRUE(text->wordWrap());
    EXPECT_LE(text->geometry().right(), help()->width());
    const int oneLine = text->fontMetrics().height();
    // Two lines of text, the second longer than the label is wide.
    EXPECT_GT(text->fontMetrics().horizontalAdvance(text->text().section('\n', 1)), text->width());
    EXPECT_GE(text->height(), 3 * oneLine);
}

// The lines Qt's wrapping makes of each paragraph of `text` at `width` pixels; an empty
// entry ends each paragraph.
QStringList wrappedLines(const QString& text, const QFont& font, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).remove(kWordJoiner);
        }
        layout.endLayout();
        lines << QString();
    }
    return lines;
}

// What breaks the rules: a line starting with closing punctuation or small kana, one
// ending with an opening bracket, a paragraph's last line of one character and its
// punctuation ("き、").
QString brokenRule(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (i > 0 && !lines[i - 1].isEmpty() && mayNotStartLine(line.front()))
            return QStringLiteral("starts: ") + line;
        if (!lines[i + 1].isEmpty() && mayNotEndLine(line.back()))
            return QStringLiteral("ends: ") + line;
        qsizetype carrying = 0;
        for (const QChar c : line)
            carrying += mayNotStartLine(c) ? 0 : 1;
        if (lines[i + 1].isEmpty() && i > 0 && !lines[i - 1].isEmpty() && carrying < 2 &&
            line.front().unicode() >= 0x3000)
            return QStringLiteral("alone: ") + line;
    }
    return {};
}

TEST_F(EasyHelp, JapaneseTextsBreakByTheJapaneseRules) {
    // Topic 21 is shown as its text lays out in the window.
    help()->helpManager(21);
    QLabel* text = label("labHelp");
    const QString explanation = QString::fromStdString(helpTopic(21).explanation)
                                    .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(text->text(), withJapaneseLineBreaks(explanation));
    EXPECT_EQ(text->text().remove(kWordJoiner), explanation);

    QStringList texts = {
        QStringLiteral("ちょっとシャープなショートカットー。「かっこ」（まる）の中。"),
        QStringLiteral("Latin (text) stays, as it is.")};
    for (const int topic : helpTopicNumbers()) {
        texts << QString::fromStdString(helpTopic(topic).explanation)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        texts << QString::fromStdString(helpTopic(topic).redNote);
    }
    EXPECT_EQ(withJapaneseLineBreaks(texts[1]), texts[1]);
    const QFontMetrics metrics(text->font());
    for (const QString& t : texts) {
        const QString shown = withJapaneseLineBreaks(t);
        EXPECT_EQ(QString(shown).remove(kWordJoiner), t);
        for (int chars = 3; chars <= 40; ++chars) {
            const int width = chars * metrics.horizontalAdvance(QChar(0x3042)) + chars % 5;
            const QString broken = brokenRule(wrappedLines(shown, text->font(), width));
            EXPECT_TRUE(broken.isEmpty()) << broken.toStdString() << " at " << width;
        }
    }
}

} // namespace
