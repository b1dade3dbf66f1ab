// The color set editor and its brightness dialog, on the built-in sets: opening, edge
// matching, point count, the color operations, the name checks, OK and Cancel, help.

#include "widgets/GradientView.h"
#include "ScriptedDialogs.h"
#include "values/FrameWindow.h"
#include "colors/ColorEditorWindow.h"
#include "colors/BrightnessDialog.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorEditing.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/GradientBar.h"
#include "common/ColorValue.h"
#include "common/RandomSource.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace wavory;
using namespace wavory::test;

namespace {

constexpr int kRgb = 1;
constexpr int kRainbow = 2; // 虹, 7 points
constexpr int kThunder = 6; // 雷, 12 points, first and last differ
constexpr int kWhiteBlack = 10;

constexpr std::int32_t kRed = rgbValue(255, 0, 0);

class ColorEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        initColors(sets);
        original = sets;
    }

    // Opens the editor on the set at `index` (shown, not blocking).
    ColorEditorWindow* open(int index) {
        editor = std::make_unique<ColorEditorWindow>(dialogs, sets, random);
        editor->setEditedIndex(index);
        editor->setHelpFileHandler([this](const QString& page) { helpPages.push_back(page); });
        editor->setEasyHelpHandler([this](int topic) { topics.push_back(topic); });
        editor->show();
        QApplication::setActiveWindow(editor.get());
        return editor.get();
    }

    template <typename T = QWidget> T* find(const QString& name) {
        T* w = editor->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    ColorSwatch* swatch(int i) { return find<ColorSwatch>(QStringLiteral("picPoint_%1").arg(i)); }
    QFrame* line(int i) { return find<QFrame>(QStringLiteral("linPoint_%1").arg(i)); }
    QCheckBox* edge() { return find<QCheckBox>(QStringLiteral("chkEdge")); }
    QComboBox* count() { return find<QComboBox>(QStringLiteral("cboNum")); }
    QComboBox* levels() { return find<QComboBox>(QStringLiteral("cboLevel")); }
    QLineEdit* name() { return find<QLineEdit>(QStringLiteral("txtName")); }
    QPushButton* button(const char* n) { return find<QPushButton>(QLatin1String(n)); }
    QAction* action(const char* n) { return find<QAction>(QLatin1String(n)); }
    GradientView* preview() { return find<GradientView>(QStringLiteral("picGrad")); }

    // Full-width text arrives from the input method, one committed character at a time.
    static void imeType(QLineEdit* field, const QString& text) {
        for (const QChar c : text) {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(field, &commit);
        }
    }

    void setCount(int points) { count()->setCurrentIndex(points - 2); }
    void clickSwatch(int i) { QTest::mouseClick(swatch(i), Qt::LeftButton); }

    // The colors of points 0..n-1 of the set at `index` as color values.
    std::vector<std::int32_t> setColors(int index, int n) const {
        const GColor& s = sets.at(index);
        std::vector<std::int32_t> out;
        for (int i = 0; i < n; ++i)
            out.push_back(rgbValue(s.r[i], s.g[i], s.b[i]));
        return out;
    }
    std::vector<std::int32_t> shown(int from, int to) const {
        std::vector<std::int32_t> out;
        for (int i = from; i < to; ++i)
            out.push_back(editor->pointRow().pointColor(i));
        return out;
    }
    bool collectionUnchanged() const {
        if (sets.colorSetCount() != original.colorSetCount())
            return false;
        for (int i = 0; i < sets.colorSetCount(); ++i) {
            if (sets.at(i).name != original.at(i).name || !sameColors(sets.at(i), original.at(i)))
                return false;
        }
        return true;
    }
    QRgb previewColumn(int x) { return preview()->columnColor(x); }

    ColorSetCollection sets;
    ColorSetCollection original;
    ScriptedDialogs dialogs;
    RandomSource random{4242};
    std::unique_ptr<ColorEditorWindow> editor;
    std::vector<QString> helpPages;
    std::vector<int> topics;
};

} // namespace

TEST_F(ColorEditor, OpensOnTheStoredSet) {
    open(kThunder);
    EXPECT_EQ(editor->windowTitle(), "色セットの編集");
    EXPECT_EQ(name()->text(), "雷");
    EXPECT_FALSE(edge()->isChecked()) << "雷 ends with a different color";
    EXPECT_EQ(editor->pointRow().count(), 12);
    EXPECT_EQ(count()->currentText(), " 12");
    EXPECT_EQ(levels()->currentText(), "256");
    EXPECT_EQ(editor->pointRow().level(), 8);
    EXPECT_EQ(shown(0, 12), setColors(kThunder, 12));
    EXPECT_EQ(swatch(4)->toolTip(), " R= 255 G= 255 B= 224");

    ASSERT_EQ(count()->count(), 11);
    EXPECT_EQ(count()->itemText(0), " 2");
    ASSERT_EQ(levels()->count(), 9);
    EXPECT_EQ(levels()->itemText(0), "1");
    EXPECT_EQ(levels()->itemText(8), "256");

    open(kRgb);
    EXPECT_TRUE(edge()->isChecked()) << "RGB ends with its first color";
    EXPECT_EQ(editor->pointRow().count(), 4);
    EXPECT_EQ(count()->currentText(), " 4");
    EXPECT_EQ(shown(0, 4), setColors(kRgb, 4));
    for (int i = 4; i < 12; ++i)
        EXPECT_EQ(editor->pointRow().pointColor(i), kWhiteColorValue) << i;
    EXPECT_TRUE(collectionUnchanged()) << "opening writes nothing";
}

TEST_F(ColorEditor, SwatchesSitEvenlyUnderThePreview) {
    open(kThunder);
    for (int points : {2, 4, 7, 12}) {
        setCount(points);
        const int step = (preview()->width() - 4) / (points - 1);
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(testing::Message() << points << " points, swatch " << i);
            ASSERT_EQ(swatch(i)->isVisible(), i < points);
            ASSERT_EQ(line(i)->isVisible(), i < points);
            if (i >= points)
                continue;
            const int center = 2 + i * step;
            const QRect s = swatch(i)->geometry();
            EXPECT_EQ(s.left() + s.width() / 2 - preview()->x(), center);
            EXPECT_EQ(line(i)->x() - preview()->x(), center);
            EXPECT_EQ(line(i)->geometry().top(), preview()->geometry().bottom() + 1);
            EXPECT_EQ(line(i)->geometry().bottom() + 1, s.top()) << "the line reaches the swatch";
        }
    }
}

TEST_F(ColorEditor, PreviewFollowsPointsAndLevel) {
    open(kRgb);
    const int width = preview()->barWidth();
    auto expectPreview = [&] {
        const GColor set =
            editedSet("", editor->pointRow().level(), shown(0, editor->pointRow().count()));
        const std::vector<Rgb> columns = gradPreviewColors(set, width);
        ASSERT_EQ(columns.size(), static_cast<std::size_t>(width));
        for (int x = 0; x < width; ++x) {
            const Rgb& c = columns[static_cast<std::size_t>(x)];
            ASSERT_EQ(previewColumn(x), qRgb(c.r, c.g, c.b)) << x;
        }
    };
    expectPreview();
    EXPECT_EQ(previewColumn(0), qRgb(255, 0, 0));

    // Level 1 ("1" step per segment): every column is one of the points.
    levels()->setCurrentIndex(0);
    EXPECT_EQ(editor->pointRow().level(), 0);
    expectPreview();
    for (int x = 0; x < width; ++x) {
        const QRgb c = previewColumn(x);
        EXPECT_TRUE(c == qRgb(255, 0, 0) || c == qRgb(0, 255, 0) || c == qRgb(0, 0, 255)) << x;
    }
    setCount(3);
    expectPreview();
}

TEST_F(ColorEditor, EdgeMatchingOnTheFirstAndLastSwatch) {
    open(kRgb);
    ASSERT_TRUE(edge()->isChecked());
    const QColor a(10, 20, 30), b(40, 50, 60), c(70, 80, 90);

    dialogs.colors.push_back(a);
    clickSwatch(0);
    EXPECT_EQ(editor->pointRow().pointColor(0), colorValue(a));
    EXPECT_EQ(editor->pointRow().pointColor(3), colorValue(a)) << "the last follows the first";
    EXPECT_EQ(swatch(3)->color(), a);
    EXPECT_EQ(swatch(3)->toolTip(), " R= 10 G= 20 B= 30");

    dialogs.colors.push_back(b);
    clickSwatch(3);
    EXPECT_EQ(editor->pointRow().pointColor(0), colorValue(b)) << "the first follows the last";
    EXPECT_EQ(editor->pointRow().pointColor(3), colorValue(b));
    EXPECT_EQ(previewColumn(0), qRgb(40, 50, 60));

    dialogs.colors.push_back(c);
    clickSwatch(1);
    EXPECT_EQ(shown(0, 4), (std::vector<std::int32_t>{colorValue(b), colorValue(c),
                                                      rgbValue(0, 0, 255), colorValue(b)}));

    // A cancelled chooser changes nothing.
    const auto before = editor->pointRow().points();
    clickSwatch(2);
    EXPECT_EQ(editor->pointRow().points(), before);

    // With matching off the ends are independent.
    edge()->setChecked(false);
    dialogs.colors.push_back(a);
    clickSwatch(0);
    EXPECT_EQ(editor->pointRow().pointColor(0), colorValue(a));
    EXPECT_EQ(editor->pointRow().pointColor(3), colorValue(b));
    // Ticking it again copies the first to the last at once.
    edge()->setChecked(true);
    EXPECT_EQ(editor->pointRow().pointColor(3), colorValue(a));
}

TEST_F(ColorEditor, PointCountKeepsHiddenColors) {
    open(kRainbow);
    ASSERT_TRUE(edge()->isChecked());
    const std::vector<std::int32_t> rainbow = setColors(kRainbow, 7);

    edge()->setChecked(false);
    setCount(4);
    EXPECT_EQ(editor->pointRow().count(), 4);
    EXPECT_EQ(shown(0, 4), std::vector<std::int32_t>(rainbow.begin(), rainbow.begin() + 4));
    setCount(7);
    EXPECT_EQ(shown(0, 7), rainbow) << "points 4 to 6 come back with their colors";

    // With matching on, each new last point takes the color of point 0.
    edge()->setChecked(true);
    setCount(4);
    EXPECT_EQ(editor->pointRow().pointColor(3), kRed);
    setCount(7);
    EXPECT_EQ(editor->pointRow().pointColor(6), kRed);
    EXPECT_EQ(editor->pointRow().pointColor(3), kRed)
        << "the point that was last keeps its new color";
    EXPECT_EQ(editor->pointRow().pointColor(4), rainbow[4]);

    // More points than the set had: white until chosen.
    setCount(9);
    EXPECT_EQ(editor->pointRow().pointColor(7), kWhiteColorValue);
    EXPECT_EQ(editor->pointRow().pointColor(8), kRed);
}

TEST_F(ColorEditor, NegativeTwiceAndRotationThriceRestore) {
    open(kThunder);
    setCount(5);
    const auto before = editor->pointRow().points();

    action("mnuNega")->trigger();
    EXPECT_EQ(editor->pointRow().pointColor(0), rgbValue(255 - 48, 255 - 48, 255));
    EXPECT_EQ(previewColumn(0), qRgb(207, 207, 255));
    EXPECT_EQ(swatch(0)->toolTip(), " R= 207 G= 207 B= 255");
    for (std::size_t i = 5; i < 12; ++i)
        EXPECT_EQ(editor->pointRow().points()[i], before[i]) << "hidden";
    action("mnuNega")->trigger();
    EXPECT_EQ(editor->pointRow().points(), before);

    action("mnuRotate")->trigger();
    EXPECT_EQ(editor->pointRow().pointColor(4), rgbValue(255, 224, 255))
        << "255,255,224 -> G, B, R";
    action("mnuRotate")->trigger();
    EXPECT_NE(editor->pointRow().points(), before);
    action("mnuRotate")->trigger();
    EXPECT_EQ(editor->pointRow().points(), before);
}

TEST_F(ColorEditor, TintOfWhiteBlackWithRed) {
    open(kWhiteBlack);
    action("mnuMono")->trigger(); // chooser cancelled
    EXPECT_EQ(shown(0, 3), setColors(kWhiteBlack, 3));

    dialogs.colors.push_back(QColor(255, 0, 0));
    action("mnuMono")->trigger();
    EXPECT_EQ(shown(0, 3), (std::vector<std::int32_t>{0, kRed, 0}));
    EXPECT_EQ(swatch(1)->toolTip(), " R= 255 G= 0 B= 0");
}

TEST_F(ColorEditor, RandomColorsWithEdgeMatching) {
    open(kRgb);
    RandomSource reference{4242};
    button("cmdRnd")->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(editor->pointRow().pointColor(i), randomColorValue(reference.next()));
    EXPECT_EQ(editor->pointRow().pointColor(3), editor->pointRow().pointColor(0))
        << "edge matching after the draw";
    EXPECT_EQ(editor->pointRow().pointColor(4), kWhiteColorValue)
        << "hidden points are not drawn for";
    EXPECT_EQ(swatch(2)->toolTip(),
              QString::fromStdString(swatchToolTip(editor->pointRow().pointColor(2))));
}

TEST_F(ColorEditor, BrightnessLiveAndCancelRestoresExactly) {
    open(kThunder);
    setCount(6);
    const auto before = editor->pointRow().points();
    bool checked = false;
    QTimer::singleShot(0, editor.get(), [&] {
        auto* dlg = editor->findChild<BrightnessDialog*>(QStringLiteral("frmSetBrightness"));
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), "明度の調整");
        auto* slider = dlg->findChild<QSlider*>(QStringLiteral("sldBrightness"));
        auto* label = dlg->findChild<QLabel*>(QStringLiteral("lblBrightness"));
        ASSERT_TRUE(slider && label);
        EXPECT_EQ(slider->minimum(), -256);
        EXPECT_EQ(slider->maximum(), 256);
        EXPECT_EQ(slider->singleStep(), 1);
        EXPECT_EQ(slider->pageStep(), 16);
        EXPECT_EQ(slider->tickInterval(), 16);
        EXPECT_EQ(slider->value(), 0);
        EXPECT_EQ(label->text(), "+0");

        slider->setValue(256);
        EXPECT_EQ(label->text(), "+256");
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(editor->pointRow().pointColor(i), kWhiteColorValue) << i;
        EXPECT_EQ(editor->pointRow().pointColor(6), before[6]) << "hidden points are not adjusted";
        EXPECT_EQ(previewColumn(0), qRgb(255, 255, 255));

        slider->setValue(-256);
        EXPECT_EQ(label->text(), "-256");
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(editor->pointRow().pointColor(i), 0) << i;

        slider->setValue(-10);
        EXPECT_EQ(label->text(), "-10");
        EXPECT_EQ(editor->pointRow().pointColor(0), rgbValue(38, 38, 0));
        dlg->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        checked = true;
    });
    action("mnuBrightness")->trigger();
    ASSERT_TRUE(checked);
    EXPECT_EQ(editor->pointRow().points(), before);
    EXPECT_EQ(previewColumn(0), qRgb(48, 48, 0));
    EXPECT_EQ(swatch(0)->toolTip(), " R= 48 G= 48 B= 0");
}

TEST_F(ColorEditor, BrightnessOkKeepsTheColors) {
    open(kRgb);
    QTimer::singleShot(0, editor.get(), [&] {
        auto* dlg = editor->findChild<BrightnessDialog*>(QStringLiteral("frmSetBrightness"));
        ASSERT_NE(dlg, nullptr);
        dlg->findChild<QSlider*>(QStringLiteral("sldBrightness"))->setValue(25);
        dlg->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    action("mnuBrightness")->trigger();
    EXPECT_EQ(editor->pointRow().pointColor(0), rgbValue(255, 25, 25));
    EXPECT_EQ(editor->pointRow().pointColor(2), rgbValue(25, 25, 255));
    EXPECT_EQ(swatch(0)->toolTip(), " R= 255 G= 25 B= 25") << "tooltips follow the dialog";
    EXPECT_EQ(editor->pointRow().pointColor(5), kWhiteColorValue);
}

TEST_F(ColorEditor, OkWritesTheEdits) {
    open(kRgb);
    std::vector<int> written;
    QObject::connect(editor.get(), &ColorEditorWindow::colorSetWritten,
                     [&](int index) { written.push_back(index); });
    name()->setText(QStringLiteral("赤緑"));
    edge()->setChecked(false);
    setCount(3);
    levels()->setCurrentIndex(4);
    dialogs.colors.push_back(QColor(1, 2, 3));
    clickSwatch(2);
    button("cmdOK")->click();

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(editor->cancelled());
    EXPECT_EQ(written, std::vector<int>{kRgb});
    const GColor& set = sets.at(kRgb);
    EXPECT_EQ(set.name, "赤緑");
    EXPECT_EQ(set.colorCount, 3);
    EXPECT_EQ(set.colorLevelCount, 4);
    EXPECT_EQ(setColors(kRgb, 3),
              (std::vector<std::int32_t>{kRed, rgbValue(0, 255, 0), rgbValue(1, 2, 3)}));
    EXPECT_EQ(sets.at(kRainbow).name, "虹");
}

TEST_F(ColorEditor, NameRefusalsKeepTheEditorOpen) {
    open(kRgb);
    dialogs.colors.push_back(QColor(9, 9, 9));
    clickSwatch(1);

    name()->setText(QStringLiteral(" 　 "));
    button("cmdOK")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "'名前' を入力してください。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);

    name()->setText(QStringLiteral("虹"));
    button("cmdOK")->click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "この名前の色セットが他に存在しています。");
    EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[1].buttons, MessageButtons::Ok);

    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->cancelled());
    EXPECT_TRUE(collectionUnchanged());
    EXPECT_EQ(editor->pointRow().pointColor(1), rgbValue(9, 9, 9)) << "edits kept";

    // Its own unchanged name is no clash.
    name()->setText(QStringLiteral("RGB"));
    button("cmdOK")->click();
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(editor->cancelled());
    EXPECT_EQ(sets.at(kRgb).g[1], 9);
}

TEST_F(ColorEditor, NameHoldsTwelveFullWidthCharacters) {
    open(kRgb);
    name()->setFocus();
    name()->clear();
    imeType(name(), QStringLiteral("色色色色色色色色色色色色"));
    EXPECT_EQ(name()->text(), QStringLiteral("色色色色色色色色色色色色"));
    imeType(name(), QStringLiteral("雷"));
    EXPECT_EQ(name()->text(), QStringLiteral("色色色色色色色色色色色色")) << "a 13th is refused";

    // 24 half-width characters, and a paste that keeps only what fits.
    name()->clear();
    QTest::keyClicks(name(), QStringLiteral("abcdefghijklmnopqrstuvw"));
    QApplication::clipboard()->setText(QStringLiteral("XYZ"));
    name()->setCursorPosition(3);
    name()->paste();
    EXPECT_EQ(name()->text(), QStringLiteral("abcXdefghijklmnopqrstuvw"));
    EXPECT_EQ(name()->cursorPosition(), 4);

    // A full-width character does not fit into one free byte.
    name()->clear();
    QTest::keyClicks(name(), QStringLiteral("abcdefghijklmnopqrstuvw"));
    imeType(name(), QStringLiteral("色"));
    EXPECT_EQ(name()->text(), QStringLiteral("abcdefghijklmnopqrstuvw"));

    // Text dropped or set in one piece is cut the same way.
    name()->setText(QStringLiteral("あいうえおかきくけこさしす"));
    EXPECT_EQ(name()->text(), QStringLiteral("あいうえおかきくけこさし"));

    name()->clear();
    imeType(name(), QStringLiteral("色色色色色色色色色色色色"));
    button("cmdOK")->click();
    EXPECT_EQ(sets.at(kRgb).name, "色色色色色色色色色色色色");
}

TEST_F(ColorEditor, LongerStoredNameIsShownWhole) {
    // A name from a color set file may be longer than what can be typed.
    sets.at(kRgb).name = "あいうえおかきくけこさしすせ";
    open(kRgb);
    EXPECT_EQ(name()->text(), QStringLiteral("あいうえおかきくけこさしすせ"));
    name()->setFocus();
    name()->end(false);
    QTest::keyClick(name(), Qt::Key_Backspace);
    EXPECT_EQ(name()->text(), QStringLiteral("あいうえおかきくけこさしす")) << "shortening works";
    imeType(name(), QStringLiteral("ん"));
    EXPECT_EQ(name()->text(), QStringLiteral("あいうえおかきくけこさしす")) << "nothing is added";
}

TEST_F(ColorEditor, CancelLeavesTheCollectionAlone) {
    open(kThunder);
    name()->setText(QStringLiteral("別名"));
    button("cmdRnd")->click();
    action("mnuNega")->trigger();
    setCount(3);
    levels()->setCurrentIndex(2);
    button("cmdCancel")->click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(editor->cancelled());
    EXPECT_TRUE(collectionUnchanged());

    // The close box cancels too.
    open(kRgb);
    name()->setText(QStringLiteral("別名"));
    editor->close();
    EXPECT_TRUE(editor->cancelled());
    EXPECT_TRUE(collectionUnchanged());
}

TEST_F(ColorEditor, SetWithFewerThanTwoPointsIsRaisedToTwo) {
    ASSERT_TRUE(sets.addColorSet("一点", 8).ok());
    const int one = sets.colorSetCount() - 1;
    ASSERT_TRUE(sets.addColorPoint(one, 10, 20, 30));
    ASSERT_TRUE(sets.addColorSet("空", 3).ok());
    const int none = sets.colorSetCount() - 1;

    open(one);
    EXPECT_EQ(sets.at(one).colorCount, 2) << "raised at once";
    EXPECT_EQ(editor->pointRow().count(), 2);
    EXPECT_EQ(count()->currentText(), " 2");
    EXPECT_EQ(editor->pointRow().pointColor(0), rgbValue(10, 20, 30));
    button("cmdCancel")->click();
    EXPECT_EQ(sets.at(one).colorCount, 2) << "the raise stays after Cancel";

    open(none);
    EXPECT_EQ(sets.at(none).colorCount, 2);
    EXPECT_EQ(editor->pointRow().count(), 2);
    EXPECT_EQ(editor->pointRow().level(), 3);
    EXPECT_FALSE(edge()->isChecked());
}

TEST_F(ColorEditor, HelpPageAndEasyHelpTopics) {
    open(kRgb);
    button("cmdHelp")->click();
    QTest::keyClick(name(), Qt::Key_F1);
    EXPECT_EQ(helpPages, (std::vector<QString>{"gcolor.htm", "gcolor.htm"}));

    const std::pair<QWidget*, int> parts[] = {
        {name(), 60},           {count(), 61},
        {levels(), 62},         {preview(), 63},
        {swatch(2), 64},        {edge(), 65},
        {button("cmdRnd"), 66}, {find<QGroupBox>("fraColorChange"), 63},
        {button("cmdOK"), 0},
    };
    for (const auto& [widget, topic] : parts) {
        topics.clear();
        QTest::mouseMove(widget, QPoint(3, 3));
        QApplication::processEvents();
        ASSERT_FALSE(topics.empty()) << widget->objectName().toStdString();
        EXPECT_EQ(topics.back(), topic) << widget->objectName().toStdString();
    }
    // The editor's own background.
    topics.clear();
    QTest::mouseMove(editor.get(), QPoint(2, editor->height() - 2));
    ASSERT_FALSE(topics.empty());
    EXPECT_EQ(topics.back(), 0);
}
