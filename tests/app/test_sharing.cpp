// Sharing the picture and the parameters: the clipboard, the linked application with the
// files it was given, help pages, the parameter text file commands with dlgText, and
// files dropped on the main window.

#include "../BmpReading.h"
#include "files/ImageSaving.h"
#include "platform/Resources.h"
#include "SharingFixture.h"
#include "windows/OptionsDialog.h"

#include "common/ProgramFolder.h"
#include "io/ParamTextFile.h"
#include "io/TextCodec.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileDevice>
#include <QMimeData>
#include <QScrollBar>

#include <filesystem>

using namespace wavory;
using namespace wavory::test;

namespace {

const QString kTextFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ|*.*");
const QString kLinkMessage = QStringLiteral("連携するアプリケーションを正しく設定してください。");

class Sharing : public SharingFixture {
  protected:
    void SetUp() override {
        SharingFixture::SetUp();
        simpleParameters();
        find<QLineEdit>(QStringLiteral("txtNizimi"))->setText(QStringLiteral("0"));
        root->params().setImageSize(40, 30);
        button("cmdDraw")->click();
    }
    void TearDown() override {
        if (!previousDir.isEmpty())
            QDir::setCurrent(previousDir);
        SharingFixture::TearDown();
    }
    void workInTestFolder() {
        previousDir = QDir::currentPath();
        QDir::setCurrent(workPath());
    }
    Canvas readBmp(const QString& file) {
        const QByteArray bytes = readFile(file);
        return decodeBmp(std::string_view(bytes.constData(), bytes.size())).value_or(Canvas());
    }
    static void removeLinkedFiles(const QString& folder) {
        QDir dir(folder);
        for (const QString& f : dir.entryList({QStringLiteral("名称未設定*.bmp")}, QDir::Files))
            dir.remove(f);
    }
    // Drops as the platform delivers a drag: to the child under the pointer, from where it
    // travels up to the first control that takes it. The action the source is told, or
    // IgnoreAction when the drop was refused.
    Qt::DropAction drop(QWidget* over, const QList<QUrl>& urls,
                        Qt::DropActions offered = Qt::CopyAction,
                        Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const QPoint at = over->mapTo(main, over->rect().center());
        QWidget* target = main->childAt(at) ? main->childAt(at) : main;
        const QPoint local = target->mapFrom(main, at);
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(local, offered, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(local, offered, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &dropped);
        QTest::qWait(30); // the files are read once the drop has finished
        return enter.isAccepted() && dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
    }
    // A parameter file that differs from the shown parameters in the first period.
    QString parameterFile(const QString& name, const char* period) {
        ParamFields fields = root->params().fields();
        fields.values[0] = period;
        const QString file = path(name);
        EXPECT_TRUE(writeParamTextFile(file.toStdString(), fields, "RGB").ok());
        return file;
    }

    QString previousDir;
};

TEST_F(Sharing, CopyPutsThePictureOnTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage expected = canvasImage(root->document().canvas());
    ASSERT_FALSE(expected.isNull());
    clipboard->setText(QStringLiteral("old"));
    action("mnuCopy")->trigger();
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB888), expected);

    // Ctrl+C in the picture window runs the same command.
    clipboard->setText(QStringLiteral("old"));
    root->picture()->show();
    QApplication::setActiveWindow(root->picture());
    ASSERT_TRUE(waitFor([&] { return root->picture()->isActiveWindow(); }));
    QTest::keyClick(root->picture(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB888), expected);
}

TEST_F(Sharing, LinkedApplicationGetsTheNextNumberedFile) {
    workInTestFolder();
    writeFile(path(QStringLiteral("名称未設定1.bmp")), "x");
    writeFile(path(QStringLiteral("名称未設定2.bmp")), "x");
    root->settings().option.shell = "/opt/paint program/paint";
    action("mnuShell")->trigger();

    const QString expected = path(QStringLiteral("名称未設定3.bmp"));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, "/opt/paint program/paint");
    EXPECT_EQ(started[0].second, QStringList{expected});
    EXPECT_EQ(readBmp(expected), root->document().canvas());
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(root->saveController().linkedFiles().size(), 1u);
    EXPECT_EQ(QString::fromStdString(root->saveController().linkedFiles()[0].path.string()),
              expected);
}

TEST_F(Sharing, AFolderThatIsGoneFallsBackToTheProgramFolder) {
    const QString home = QString::fromStdString(programFolder());
    removeLinkedFiles(home);
    root->settings().picture.path = (workPath() + QStringLiteral("/gone/")).toStdString();
    root->settings().option.shell = "paint";
    action("mnuShell")->trigger();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].second, QStringList{home + QStringLiteral("名称未設定1.bmp")});
    EXPECT_EQ(root->settings().picture.path, programFolder());

    // Later launches in this run use the program folder as well.
    action("mnuShell")->trigger();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1].second, QStringList{home + QStringLiteral("名称未設定2.bmp")});
    EXPECT_TRUE(dialogs.shown.empty());
    removeLinkedFiles(home);
}

TEST_F(Sharing, NoWritableFolderAtAllShowsTheFailure) {
    // The program folder is replaced by a plain file, so nothing can be written there.
    const QByteArray home = qgetenv("WAVORY_HOME");
    const QString blocked = path(QStringLiteral("blocked"));
    writeFile(blocked, "not a folder");
    qputenv("WAVORY_HOME", blocked.toLocal8Bit());
    root->settings().picture.path = (workPath() + QStringLiteral("/gone/")).toStdString();
    root->settings().option.shell = "paint";
    action("mnuShell")->trigger();
    qputenv("WAVORY_HOME", home);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(root->saveController().linkedFiles().empty());
}

TEST_F(Sharing, AMissingOrFailingApplicationAsksForTheOptions) {
    workInTestFolder();
    root->settings().option.shell.clear();
    // The options dialog opens at the linked application's page, after the message.
    std::vector<int> pages;
    const auto answerOptions = [&] {
        whenOpen<OptionsDialog>([&](OptionsDialog* options) {
            pages.push_back(options->tabPage());
            ASSERT_FALSE(dialogs.shown.empty());
            EXPECT_EQ(dialogs.shown.back().text, kLinkMessage);
            options->reject();
        });
    };
    answerOptions();
    action("mnuShell")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kLinkMessage);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(pages, std::vector<int>{2});
    EXPECT_TRUE(started.empty());
    // The file was written and is recorded all the same.
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("名称未設定1.bmp"))));
    EXPECT_EQ(root->saveController().linkedFiles().size(), 1u);

    root->settings().option.shell = "paint";
    startResult = false;
    answerOptions();
    action("mnuShell")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, kLinkMessage);
    EXPECT_EQ(pages, (std::vector<int>{2, 2}));
    EXPECT_EQ(started.size(), 1u); // not retried
    EXPECT_EQ(root->saveController().linkedFiles().size(), 2u);
}

TEST_F(Sharing, TheRealLaunchTakesAProgramPathWithBlanks) {
    // A window with the platform's own starter.
    ProgramRoot other(dialogs, random);
    workInTestFolder();
    QDir().mkpath(path(QStringLiteral("my tools")));
    const QString script = path(QStringLiteral("my tools/record args"));
    const QString out = path(QStringLiteral("args.txt"));
    writeFile(script, ("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + out + "'\n").toUtf8());
    QFile::setPermissions(script,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    other.settings().option.shell = script.toStdString();
    other.mainWindow()->findChild<QAction*>(QStringLiteral("mnuShell"))->trigger();
    ASSERT_TRUE(waitFor([&] { return readFile(out).endsWith('\n'); }, 5000));
    EXPECT_EQ(QString::fromUtf8(readFile(out)), path(QStringLiteral("名称未設定1.bmp")) + '\n');
    EXPECT_TRUE(dialogs.shown.empty());

    other.settings().option.shell = path(QStringLiteral("no such program")).toStdString();
    whenOpen<OptionsDialog>([](OptionsDialog* options) { options->reject(); });
    other.mainWindow()->findChild<QAction*>(QStringLiteral("mnuShell"))->trigger();
    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kLinkMessage);
}

TEST_F(Sharing, OnlyUnchangedLinkedFilesAreDeleted) {
    workInTestFolder();
    root->settings().option.shell = "paint";
    for (int i = 0; i < 3; ++i)
        action("mnuShell")->trigger();
    ASSERT_EQ(root->saveController().linkedFiles().size(), 3u);
    const std::filesystem::path first = root->saveController().linkedFiles()[0].path;
    const std::filesystem::path second = root->saveController().linkedFiles()[1].path;
    const std::filesystem::path third = root->saveController().linkedFiles()[2].path;
    // The other program saved the second file again; the third is gone already.
    writeFile(QString::fromStdString(second.string()), "edited");
    std::filesystem::last_write_time(second, root->saveController().linkedFiles()[1].time +
                                                 std::chrono::seconds(2));
    std::filesystem::remove(third);

    root->saveController().deleteUnchangedLinkedFiles();
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_TRUE(std::filesystem::exists(second));
    EXPECT_TRUE(root->saveController().linkedFiles().empty());
}

TEST_F(Sharing, HelpPagesOpenWithTheDefaultHandler) {
    writeFile(resources + QStringLiteral("help.htm"), "<html></html>");
    writeFile(resources + QStringLiteral("help/button.htm"), "<html></html>");
    action("mnuPrintHelp")->trigger();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(resources + QStringLiteral("help.htm")));

    // F1 in the main window, forwarded from the picture window, and in the frame window.
    QApplication::setActiveWindow(main);
    ASSERT_TRUE(waitFor([&] { return main->isActiveWindow(); }));
    QTest::keyClick(main, Qt::Key_F1);
    ASSERT_EQ(openedUrls.size(), 2u);
    root->picture()->show();
    QApplication::setActiveWindow(root->picture());
    ASSERT_TRUE(waitFor([&] { return root->picture()->isActiveWindow(); }));
    QTest::keyClick(root->picture(), Qt::Key_F1);
    ASSERT_EQ(openedUrls.size(), 3u);
    EXPECT_EQ(openedUrls[2], openedUrls[0]);
    root->frameWindow()->show();
    QApplication::setActiveWindow(root->frameWindow());
    ASSERT_TRUE(waitFor([&] { return root->frameWindow()->isActiveWindow(); }));
    QTest::keyClick(root->frameWindow(), Qt::Key_F1);
    ASSERT_EQ(openedUrls.size(), 4u);
    EXPECT_EQ(openedUrls[3], QUrl::fromLocalFile(resources + QStringLiteral("help/button.htm")));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Sharing, HelpFailuresShowTheirCode) {
    root->helpPages().show(QStringLiteral("anim.htm")); // not there
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "ヘルプを表示できません。\r\nRet= 2");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(openedUrls.empty());

    writeFile(resources + QStringLiteral("help/anim.htm"), "<html></html>");
    openResult = false;
    root->helpPages().show(QStringLiteral("anim.htm"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "ヘルプを表示できません。\r\nRet= 31");
}

TEST(Resources, FoundBesideTheProgramOrInstalled) {
    const wavory::testing::TempFolder temp;
    const QString dir = QString::fromStdString(temp.str());
    const QString bin = dir + QStringLiteral("/bin");
    QDir().mkpath(bin);
    EXPECT_EQ(findResourceFolder(bin), bin + QStringLiteral("/resources/"));
    QDir().mkpath(dir + QStringLiteral("/share/wavory"));
    EXPECT_EQ(findResourceFolder(bin), dir + QStringLiteral("/share/wavory/"));
    QDir().mkpath(bin + QStringLiteral("/resources"));
    EXPECT_EQ(findResourceFolder(bin), bin + QStringLiteral("/resources/"));

    EXPECT_EQ(helpFilePath(QStringLiteral("/r/"), QStringLiteral("..\\help.htm")), "/r/help.htm");
    EXPECT_EQ(helpFilePath(QStringLiteral("/r/"), QStringLiteral("gcolor.htm")),
              "/r/help/gcolor.htm");
}

TEST_F(Sharing, TextFileCommandsShareTheirDialog) {
    action("mnuOutputText")->trigger(); // cancelled
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].filters, kTextFilter);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "名称未設定");

    // No extension is added; the next proposal drops the one given.
    dialogs.fileNames.push_back(path(QStringLiteral("plain")));
    action("mnuOutputText")->trigger();
    EXPECT_TRUE(readText(path(QStringLiteral("plain"))).startsWith("[書き出しフォーマット番号]"));
    dialogs.fileNames.push_back(path(QStringLiteral("wave.txt")));
    action("mnuOutputText")->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path(QStringLiteral("plain")));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("wave.txt"))));
    EXPECT_EQ(root->settings().picture.txtPath, (workPath() + QLatin1Char('/')).toStdString());

    // Reading proposes the same name unchanged, reads it and draws.
    value(0)->setText(QStringLiteral("77"));
    int drawn = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++drawn; });
    dialogs.fileNames.push_back(path(QStringLiteral("wave.txt")));
    action("mnuInputText")->trigger();
    EXPECT_FALSE(dialogs.fileRequests.back().save);
    EXPECT_EQ(dialogs.fileRequests.back().filters, kTextFilter);
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path(QStringLiteral("wave.txt")));
    EXPECT_EQ(text(0), "30");
    EXPECT_EQ(drawn, 1);

    action("mnuInputText")->trigger(); // cancelled: nothing
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Sharing, TextFileFailuresAreReported) {
    dialogs.fileNames.push_back(path(QStringLiteral("gone/p.txt")));
    action("mnuOutputText")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(
        dialogs.shown[0].text.startsWith(QStringLiteral("書き込み時にエラーが発生しました。\r\n")));
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);

    writeFile(path(QStringLiteral("other.txt")), "hello\r\nworld\r\n");
    dialogs.fileNames.push_back(path(QStringLiteral("other.txt")));
    action("mnuInputText")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "このファイルは読み込めません。");
}

TEST_F(Sharing, DamagedParameterFilesShowEachMessageOverTheValuesReadBeforeIt) {
    QLineEdit* bleed = find<QLineEdit>(QStringLiteral("txtNizimi"));
    auto* phase = find<QScrollBar>(QStringLiteral("hscIso"));
    // What the window shows: period, power, bleed, size, phase, color set.
    auto state = [&] {
        const ParamFields f = root->params().fields();
        return QStringList{text(0),
                           text(9),
                           bleed->text(),
                           QStringLiteral("%1x%2").arg(f.width).arg(f.height),
                           QString::number(phase->value()),
                           list()->currentText()}
            .join(QLatin1Char(' '));
    };
    value(0)->setText(QStringLiteral("55"));
    value(9)->setText(QStringLiteral("3"));
    bleed->setText(QStringLiteral("9"));
    root->params().setImageSize(120, 90);
    phase->setValue(40);
    selectSet(1);
    const std::string whole = formatParamText(root->params().fields(), setName(1).toStdString());
    const std::vector<std::string> lines = textcodec::splitLines(whole);
    auto damaged = [&](std::size_t keep, std::vector<std::pair<std::size_t, std::string>> bad) {
        std::vector<std::string> kept(lines.begin(), lines.begin() + keep);
        for (const auto& [line, value] : bad)
            kept.at(line) = value;
        QByteArray bytes;
        for (const std::string& line : kept)
            bytes += QByteArray::fromStdString(line) + "\r\n";
        return bytes;
    };
    const QString file = path(QStringLiteral("damaged.txt"));
    const QString set0 = setName(0), set1 = setName(1);
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList atMessages; // the state behind each message, in order
    };
    const std::vector<Case> cases{
        {"cut after the center's header", damaged(29, {}), {"55 3 5 200x200 10 " + set0}},
        {"a bad phase", damaged(52, {{37, "abc"}}), {"55 3 9 120x90 10 " + set1}},
        {"a missing color set", damaged(52, {{35, "無い色"}}), {"55 3 9 120x90 10 " + set0}},
        {"a missing set, then a bad frame color",
         damaged(52, {{35, "無い色"}, {41, "red"}}),
         {"55 3 9 120x90 10 " + set0, "55 3 9 120x90 40 " + set0}},
    };
    QStringList seen;
    dialogs.onMessage = [&](const QString&) { seen << state(); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        value(0)->setText(QStringLiteral("77"));
        value(9)->setText(QStringLiteral("1"));
        bleed->setText(QStringLiteral("5"));
        root->params().setImageSize(200, 200);
        phase->setValue(10);
        selectSet(0);
        writeFile(file, c.bytes);
        seen.clear();
        root->fileController().inputText(file);
        EXPECT_EQ(seen.join(QStringLiteral(" | ")).toStdString(),
                  c.atMessages.join(QStringLiteral(" | ")).toStdString());
    }
    // Once read, a missing set leaves the rest of the file applied.
    EXPECT_EQ(state(), "55 3 9 120x90 40 " + set0);
}

TEST_F(Sharing, DroppedFilesAreRoutedByExtensionInOrder) {
    const int sets = setCount();
    const QString set = path(QStringLiteral("drop.cst"));
    writeFile(set, "[ColorSet 0]\r\nColorSetName=落とした\r\nColorCount=2\r\nColorLevelCount=8\r\n"
                   "Color 0R=9\r\nColor 1G=9\r\n");
    const QString upper = path(QStringLiteral("upper.CST"));
    writeFile(upper, readFile(set));
    const QString first = parameterFile(QStringLiteral("first.txt"), "111");
    const QString last = parameterFile(QStringLiteral("last.txt"), "222");
    int drawn = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++drawn; });

    drop(main, {QUrl::fromLocalFile(set), QUrl::fromLocalFile(upper),
                      QUrl::fromLocalFile(first), QUrl::fromLocalFile(last)});
    ASSERT_TRUE(waitFor([&] { return drawn == 2; }));
    EXPECT_EQ(setCount(), sets + 1);
    EXPECT_EQ(setName(sets), "落とした");
    // "CST" is not "cst": the parameter reader refuses it.
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "このファイルは読み込めません。");
    // The last parameter file decides the drawing; its set name selected RGB again.
    EXPECT_EQ(text(0), "222");
    EXPECT_EQ(list()->currentText(), "RGB");
}

TEST_F(Sharing, DropsAnywhereOnTheWindowAreCopies) {
    // A source that proposes a move (Shift held) is told "copy" all the same: told "move",
    // a file manager deletes the user's file after the drop.
    const struct {
        const char* over;
        const char* period;
    } places[] = {{"txtValue_1", "333"}, {"Frame1", "444"}, {"labSize", "555"},
                  {"cmdRndSet", "666"},  {"labISO", "777"}, {"fraValue", "888"}};
    for (const auto& place : places) {
        const QString file = parameterFile(QStringLiteral("%1.txt").arg(place.over), place.period);
        EXPECT_EQ(drop(find<QWidget>(QLatin1String(place.over)), {QUrl::fromLocalFile(file)},
                       Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier),
                  Qt::CopyAction)
            << place.over;
        EXPECT_EQ(text(0), place.period) << place.over;
    }
    EXPECT_EQ(text(1), "100"); // the field did not take the name as text

    // A source that offers nothing but a move is refused.
    const QString moved = parameterFile(QStringLiteral("moved.txt"), "999");
    EXPECT_EQ(drop(main, {QUrl::fromLocalFile(moved)}, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(text(0), "888");
    // Anything but local files is ignored.
    EXPECT_EQ(drop(main, {QUrl(QStringLiteral("https://example.org/x.txt"))}),
              Qt::IgnoreAction);
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
