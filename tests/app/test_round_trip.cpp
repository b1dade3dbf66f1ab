// One user's way through the whole sharing part: edit a color set, save all sets,
// initialize, load them back, draw with the loaded set, save the picture as PNG with its
// parameter file, then read that file back and get the same picture.

#include "files/ImageSaving.h"
#include "SharingFixture.h"
#include "colors/ColorEditorWindow.h"
#include "files/PngOptionsDialog.h"

#include "colorsets/BuiltinColorSets.h"

#include <QRadioButton>

using namespace wavory;
using namespace wavory::test;

namespace {

constexpr int kRgb = 1;

class RoundTrip : public SharingFixture {};

TEST_F(RoundTrip, EditSaveInitializeLoadDrawSaveAndReadBack) {
    // Edit RGB: a new color for its second point and 32 steps per segment.
    selectSet(kRgb);
    dialogs.colors.push_back(QColor(12, 200, 99));
    whenOpen<ColorEditorWindow>([](ColorEditorWindow* e) {
        QTest::mouseClick(e->findChild<QWidget*>(QStringLiteral("picPoint_1")), Qt::LeftButton);
        e->findChild<QComboBox*>(QStringLiteral("cboLevel"))->setCurrentIndex(5);
        e->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    button("cmdGColorEdit")->click();
    const GColor edited = root->colorSets().at(kRgb);
    ASSERT_EQ(edited.g[1], 200);
    ASSERT_EQ(edited.colorLevelCount, 5);

    // Save every set, go back to the built-in ones, load the file.
    dialogs.fileNames.push_back(path(QStringLiteral("mine.cst")));
    action("mnuGColorAllSave")->trigger();
    action("mnuGcolorInit")->trigger(); // answered Yes
    ASSERT_EQ(setCount(), 14);
    ASSERT_FALSE(sameColors(root->colorSets().at(kRgb), edited));
    dialogs.fileNames.push_back(path(QStringLiteral("mine.cst")));
    action("mnuGColorLoad")->trigger();

    // Only the edited set is new; it arrives under a free name and is selected.
    ASSERT_EQ(setCount(), 15);
    EXPECT_EQ(setName(14), "RGB_02");
    EXPECT_TRUE(sameColors(root->colorSets().at(14), edited));
    EXPECT_EQ(selected(), 14);
    EXPECT_EQ(list()->currentText(), "RGB_02");
    QStringList duplicates;
    for (const GColor& set : builtinColorSets()) {
        if (set.name != "RGB")
            duplicates << QString::fromStdString(set.name);
    }
    ASSERT_EQ(dialogs.shown.size(), 2u); // the initialize question, then the report
    EXPECT_EQ(dialogs.shown[1].text, "以下の色セットはすでに同じパラメータの物が存在しているため、"
                                     "追加されませんでした。\r\n" +
                                         duplicates.join(QStringLiteral(", ")));

    // Draw with it and save as PNG with the parameters beside the picture.
    simpleParameters();
    find<QLineEdit>(QStringLiteral("txtNizimi"))->setText(QStringLiteral("0"));
    root->params().setImageSize(96, 64);
    button("cmdDraw")->click();
    const Canvas drawn = root->document().canvas();
    root->settings().option.textOnGrp = true;
    whenOpen<PngOptionsDialog>([](PngOptionsDialog* d) {
        d->findChild<QRadioButton*>(QStringLiteral("optQuality_0"))->setChecked(true);
        d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    dialogs.fileNames.push_back(path(QStringLiteral("wave.png")));
    button("cmdSave")->click();
    const QImage png =
        QImage(path(QStringLiteral("wave.png"))).convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png, canvasImage(drawn));
    EXPECT_TRUE(readText(path(QStringLiteral("wave.txt"))).contains("[色セット]\r\nRGB_02\r\n"));

    // Everything different, then the parameter file brings the drawing back.
    selectSet(0);
    value(0)->setText(QStringLiteral("7"));
    component(1)->setChecked(true);
    root->params().setImageSize(20, 20);
    root->document().clear();
    dialogs.fileNames.push_back(path(QStringLiteral("wave.txt")));
    action("mnuInputText")->trigger();
    EXPECT_EQ(list()->currentText(), "RGB_02");
    EXPECT_EQ(text(0), "30");
    EXPECT_FALSE(component(1)->isChecked());
    EXPECT_EQ(root->document().canvas(), drawn);
    EXPECT_EQ(canvasImage(root->document().canvas()), png);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

} // namespace
