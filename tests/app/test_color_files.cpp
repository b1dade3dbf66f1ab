// The color set file commands of the main window with their dialog dlgGColor: the
// remembered folder and the names it proposes, reading with the duplicate report, writing
// one set or all of them, and every message.

#include "SharingFixture.h"

#include "colorsets/ColorSetFile.h"
#include "common/ProgramFolder.h"

#include <QImage>

using namespace wavory;
using namespace wavory::test;

namespace {

constexpr int kBuiltinCount = 14;
constexpr int kRgb = 1;
const QString kFilter = QStringLiteral("色セット(*.cst)|*.cst|すべてのﾌｧｲﾙ|*.*");

class ColorFiles : public SharingFixture {
  protected:
    // A set file with the points of RGB under another name, and a set of its own.
    QString twoSetFile() {
        const QString file = path(QStringLiteral("two.cst"));
        writeFile(file, "[ColorSet 0]\r\nColorSetName=赤緑青\r\nColorCount=4\r\n"
                        "ColorLevelCount=8\r\n"
                        "Color 0R=255\r\nColor 0G=0\r\nColor 0B=0\r\n"
                        "Color 1R=0\r\nColor 1G=255\r\nColor 1B=0\r\n"
                        "Color 2R=0\r\nColor 2G=0\r\nColor 2B=255\r\n"
                        "Color 3R=255\r\nColor 3G=0\r\nColor 3B=0\r\n"
                        "[ColorSet 1]\r\nColorSetName=二色\r\nColorCount=2\r\nColorLevelCount=3\r\n"
                        "Color 0R=1\r\nColor 0G=2\r\nColor 0B=3\r\n"
                        "Color 1R=4\r\nColor 1G=5\r\nColor 1B=6\r\n");
        return file;
    }
};

TEST_F(ColorFiles, FirstLoadStartsInTheColorSetFolderWithTheSamples) {
    QDir().mkpath(resources + QStringLiteral("colorset"));
    writeFile(resources + QStringLiteral("colorset/sample.cst"), "[ColorSet 0]\r\n");
    const QString folder = QString::fromStdString(programFolder()) + QStringLiteral("colorset");
    QDir(folder).removeRecursively();

    action("mnuGColorLoad")->trigger(); // cancelled
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].filters, kFilter);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, folder + QStringLiteral("/*"));
    EXPECT_EQ(readFile(folder + QStringLiteral("/sample.cst")), "[ColorSet 0]\r\n");
    // Cancel ends the command without a word.
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(setCount(), kBuiltinCount);
}

TEST_F(ColorFiles, TheFirstStartFolderGetsTheSamplesToo) {
    QDir().mkpath(resources + QStringLiteral("colorset"));
    writeFile(resources + QStringLiteral("colorset/other.cst"), "[ColorSet 0]\r\n");
    const QString folder = QString::fromStdString(programFolder()) + QStringLiteral("colorset/");
    QDir(folder).removeRecursively();
    root->settings().picture.cSetPath = folder.toStdString(); // as a first start leaves it
    action("mnuGColorLoad")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, folder + QLatin1Char('*'));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("other.cst")));

    // A folder that exists is left as it is.
    QFile::remove(folder + QStringLiteral("other.cst"));
    root->settings().picture.cSetPath.clear();
    ProgramRoot again(dialogs, random);
    again.helpPages().setResourceFolder(resources);
    again.mainWindow()->findChild<QAction*>(QStringLiteral("mnuGColorLoad"))->trigger();
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("other.cst")));
}

TEST_F(ColorFiles, TheStoredFolderIsWhereTheDialogOpens) {
    root->settings().picture.cSetPath = "/somewhere/sets/";
    action("mnuGColorLoad")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "/somewhere/sets/*");
}

TEST_F(ColorFiles, LoadAddsNewSetsAndReportsTheDuplicates) {
    selectSet(3);
    dialogs.fileNames.push_back(twoSetFile());
    action("mnuGColorLoad")->trigger();
    ASSERT_EQ(setCount(), kBuiltinCount + 1);
    EXPECT_EQ(setName(kBuiltinCount), "二色");
    EXPECT_EQ(root->colorSets().at(kBuiltinCount).colorLevelCount, 3);
    EXPECT_EQ(selected(), kBuiltinCount);
    EXPECT_EQ(list()->count(), kBuiltinCount + 1);
    EXPECT_EQ(list()->currentText(), "二色");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "以下の色セットはすでに同じパラメータの物が存在しているため、"
                                     "追加されませんでした。\r\n赤緑青");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);

    // The folder is remembered: the next load opens there.
    EXPECT_EQ(root->settings().picture.cSetPath, (workPath() + QLatin1Char('/')).toStdString());
    action("mnuGColorLoad")->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path(QStringLiteral("*")));
}

TEST_F(ColorFiles, LoadingAMissingFileIsAReadError) {
    dialogs.fileNames.push_back(path(QStringLiteral("gone.cst")));
    action("mnuGColorLoad")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(
        dialogs.shown[0].text.startsWith(QStringLiteral("読み込み時にエラーが発生しました。\r\n")))
        << dialogs.shown[0].text.toStdString();
    EXPECT_GT(dialogs.shown[0].text.size(),
              QStringLiteral("読み込み時にエラーが発生しました。\r\n").size());
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(setCount(), kBuiltinCount);
}

TEST_F(ColorFiles, SaveWritesTheSelectedSetAlone) {
    dialogs.fileNames.push_back(path(QStringLiteral("first.cst")));
    action("mnuGColorLoad")->trigger(); // only to remember the folder
    dialogs.shown.clear();

    selectSet(kRgb);
    dialogs.fileNames.push_back(path(QStringLiteral("RGB.cst")));
    action("mnuGColorSave")->trigger();
    const FileRequest& request = dialogs.fileRequests.back();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filters, kFilter);
    EXPECT_EQ(request.fileName, path(QStringLiteral("RGB")));
    EXPECT_TRUE(dialogs.shown.empty());

    const QByteArray text = readFile(path(QStringLiteral("RGB.cst")));
    EXPECT_TRUE(text.startsWith("[ColorSet 0]\r\nColorSetName=RGB\r\nColorCount=4\r\n"
                                "ColorLevelCount=8\r\nColor 0R=255\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Color 3B="));
    EXPECT_FALSE(text.contains("[ColorSet]"));
    EXPECT_FALSE(text.contains("[ColorSet 1]"));
}

TEST_F(ColorFiles, SaveAllAndLoadBackAddsNothing) {
    dialogs.fileNames.push_back(path(QStringLiteral("all.cst")));
    action("mnuGColorAllSave")->trigger();
    // The first save dialog proposes "all" in the program's color set folder.
    EXPECT_EQ(dialogs.fileRequests.back().fileName,
              QString::fromStdString(programFolder()) + QStringLiteral("colorset/all"));
    EXPECT_TRUE(dialogs.fileRequests.back().save);
    const QByteArray text = readFile(path(QStringLiteral("all.cst")));
    EXPECT_TRUE(text.startsWith("[ColorSet]\r\nCount=14\r\n[ColorSet 0]\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("[ColorSet 13]"));

    dialogs.fileNames.push_back(path(QStringLiteral("all.cst")));
    action("mnuGColorLoad")->trigger();
    EXPECT_EQ(setCount(), kBuiltinCount);
    EXPECT_EQ(selected(), kBuiltinCount - 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    QStringList names;
    for (int i = 0; i < kBuiltinCount; ++i)
        names << setName(i);
    EXPECT_EQ(dialogs.shown[0].text, "以下の色セットはすでに同じパラメータの物が存在しているため、"
                                     "追加されませんでした。\r\n" +
                                         names.join(QStringLiteral(", ")));
}

TEST_F(ColorFiles, WriteFailuresAreReported) {
    const QString missing = path(QStringLiteral("no/such/folder/x.cst"));
    for (const char* item : {"mnuGColorSave", "mnuGColorAllSave"}) {
        dialogs.shown.clear();
        dialogs.fileNames.push_back(missing);
        action(item)->trigger();
        ASSERT_EQ(dialogs.shown.size(), 1u) << item;
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(
            QStringLiteral("書き込み時にエラーが発生しました。\r\n")))
            << item;
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(ColorFiles, CancelledSavesWriteNothing) {
    action("mnuGColorSave")->trigger();
    action("mnuGColorAllSave")->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QDir(workPath()).entryList({QStringLiteral("*.cst")}, QDir::Files).isEmpty());
}

} // namespace

TEST_F(ColorFiles, GimpFilesAndPicturesBecomeColorSetsAndTheSelectedSetIsWritten) {
    writeFile(path(QStringLiteral("pal.gpl")), "GIMP Palette\nName: Pal\n255 0 0\n0 0 255\n");
    dialogs.fileNames.push_back(path(QStringLiteral("pal.gpl")));
    action("mnuGimpLoad")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filters,
              "GIMPグラデーション・パレット(*.ggr;*.gpl)|*.ggr;*.gpl|すべてのﾌｧｲﾙ|*.*");
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(setCount(), kBuiltinCount + 1);
    EXPECT_EQ(list()->currentText(), "Pal");
    EXPECT_EQ(list()->count(), kBuiltinCount + 1);

    // Written as a gradient under the set's name, in the folder last used.
    dialogs.fileNames.push_back(path(QStringLiteral("out")));
    action("mnuGimpGradientSave")->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path(QStringLiteral("Pal.ggr")));
    EXPECT_EQ(readFile(path(QStringLiteral("out.ggr"))),
              "GIMP Gradient\nName: Pal\n1\n0.000000 0.500000 1.000000 1.000000 0.000000 "
              "0.000000 1.000000 0.000000 0.000000 1.000000 1.000000 0 0 0 0\n");

    // A picture of two colours: dark first.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(QColor(240, 240, 240));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            picture.setPixelColor(x, y, QColor(20, 40, 60));
    ASSERT_TRUE(picture.save(path(QStringLiteral("two.png"))));
    dialogs.fileNames.push_back(path(QStringLiteral("two.png")));
    find<QAction>(QStringLiteral("mnuColorSetFromImage_5"))->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(setCount(), kBuiltinCount + 2);
    const GColor& made = root->colorSets().at(kBuiltinCount + 1);
    EXPECT_EQ(made.name, "two");
    ASSERT_EQ(made.colorCount, 2);
    EXPECT_NEAR(made.r[0], 20, 2);
    EXPECT_NEAR(made.b[1], 240, 2);
    EXPECT_EQ(list()->currentIndex(), kBuiltinCount + 1);

    // Not a picture: told so, nothing added.
    writeFile(path(QStringLiteral("bad.png")), "not a picture");
    dialogs.fileNames.push_back(path(QStringLiteral("bad.png")));
    find<QAction>(QStringLiteral("mnuColorSetFromImage_3"))->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "画像を読み込めませんでした。\r\n"
                                     "PNG、JPEG、BMP のどれでもないか、壊れています。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(setCount(), kBuiltinCount + 2);
}
