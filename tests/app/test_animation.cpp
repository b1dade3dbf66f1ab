// The animation window on the running program: making frames through the draw session,
// stopping, the save group (digit check, overwrite question, bad names, the text file,
// animated files), the new-folder dialog, the preview's status and wrap-around, the
// key rules, the persisted values, the store's refusal and closing the program meanwhile.

#include "AppFixture.h"
#include "../TempFolder.h"
#include "../VideoReading.h"
#include "drawing/DrawSession.h"
#include "widgets/FolderTree.h"
#include "files/ImageSaving.h"
#include "drawing/PictureView.h"
#include "widgets/UpDown.h"
#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"
#include "animation/AnimationWindow.h"
#include "animation/AnimationPreview.h"
#include "files/NewFolderDialog.h"
#include "guide/EasyHelpWindow.h"

#include "engine/DrawMain.h"
#include "io/AtomicFile.h"

#include <QFile>
#include <QGroupBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <filesystem>

#include <sys/stat.h>

using namespace wavory;
using namespace wavory::test;

namespace {

const QString kInputMissing = QStringLiteral("' を入力してください。");

class Animation : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        simpleParameters();
        find<QLineEdit>(QStringLiteral("txtNizimi"))->setText(QStringLiteral("0"));
        root->params().setImageSize(48, 32);
        // Frames beyond a few bytes go to the spill file of this test's folder.
        anim()->frames().setLimits({1, folder.file("cache")});
        anim()->saveGroup()->folderTree()->setFolder(QString::fromStdString(folder.str()));
        anim()->show();
    }

    AnimationWindow* anim() { return root->animWindow(); }
    template <typename T = QWidget> T* in(const char* name) {
        T* w = anim()->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* animButton(const char* name) { return in<QPushButton>(name); }
    QLineEdit* field(const char* name) { return in<QLineEdit>(name); }
    QString progress() { return in<QLabel>("lblProg")->text(); }

    void make(int frames, const char* from = "0", const char* to = "99") {
        field("txtIsoFrom")->setText(QLatin1String(from));
        field("txtIsoTo")->setText(QLatin1String(to));
        field("txtFrame")->setText(QString::number(frames));
        animButton("cmdDraw")->click();
    }
    // What a drawing of the main window gives at this phase.
    Canvas drawnAt(int phase) {
        ParamFields fields = root->params().fields();
        fields.phase = phase;
        Canvas c(48, 32);
        DrawMain(takeDrawSnapshot(fields), *root->colorSets().selectedSet(), c);
        return c;
    }
    Canvas stored(int index) {
        Canvas c;
        EXPECT_TRUE(anim()->frames().frame(index, c)) << index;
        return c;
    }
    std::string file(const std::string& name) { return folder.file(name); }
    bool exists(const std::string& name) { return std::filesystem::exists(folder / name); }
    QByteArray bytes(const std::string& name) {
        std::string b;
        EXPECT_FALSE(readWholeFile(folder / name, b, 1 << 24)) << name;
        return QByteArray::fromStdString(b);
    }
    int bmpFiles() {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder.path()))
            n += e.path().extension() == ".bmp";
        return n;
    }
    static bool enabled(const QObject* control) {
        if (const auto* w = qobject_cast<const QWidget*>(control))
            return w->isEnabled();
        return qobject_cast<const QAction*>(control)->isEnabled();
    }
    // The field loses the focus.
    static void leave(QLineEdit* field) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(field, &out);
    }
    // Runs `during` once, when the progress label shows `text` and the frame is drawing.
    void whileDrawing(const QString& text, std::function<void()> during) {
        auto fired = std::make_shared<bool>(false);
        QObject::connect(root->picture(), &QWidget::windowTitleChanged, anim(),
                         [this, fired, text, during](const QString& title) {
                             if (*fired || !title.endsWith(" % -描画中-") || progress() != text)
                                 return;
                             *fired = true;
                             during();
                         });
    }
    static Canvas bmpPixels(const QByteArray& bmp) {
        return pixelsOf(QImage::fromData(bmp, "BMP"));
    }
    // What the picture window shows.
    Canvas shown() const { return pixelsOf(root->picture()->picMain()->shownImage()); }
    static Canvas pixelsOf(const QImage& decoded) {
        const QImage image = decoded.convertToFormat(QImage::Format_RGB888);
        Canvas c(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(c.data() + y * c.rowBytes(), image.constScanLine(y), c.rowBytes());
        return c;
    }

    wavory::testing::TempFolder folder;
};

TEST_F(Animation, TenFramesFromZeroTo99AreDrawnAsTheMainWindowDrawsThem) {
    EXPECT_FALSE(animButton("cmdPreview")->isEnabled());
    EXPECT_FALSE(in("fraSave")->isEnabled());
    make(10);
    const int phases[] = {0, 10, 20, 30, 40, 50, 59, 69, 79, 89};
    ASSERT_EQ(anim()->frames().held(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(stored(i), drawnAt(phases[i])) << i;
    EXPECT_EQ(root->document().canvas(), drawnAt(89));
    EXPECT_EQ(shown(), drawnAt(89));
    EXPECT_EQ(find<QScrollBar>("hscIso")->value(), 89);
    EXPECT_EQ(root->params().fields().phase, 89);
    EXPECT_EQ(anim()->frame, 10);
    EXPECT_EQ(progress(), "アニメーションが作成されました。");
    EXPECT_TRUE(animButton("cmdPreview")->isEnabled());
    EXPECT_TRUE(in("fraSave")->isEnabled());
    EXPECT_TRUE(animButton("cmdSave")->isEnabled());
    EXPECT_TRUE(animButton("cmdDraw")->isVisible());
    EXPECT_FALSE(animButton("cmdDrawStop")->isVisible());
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ");
    EXPECT_TRUE(dialogs.shown.empty());
    // A shorter second animation overwrites the first frames and leaves the others.
    make(2, "90", "10");
    EXPECT_EQ(stored(0), drawnAt(90));
    EXPECT_EQ(stored(1), drawnAt(50));
    EXPECT_EQ(stored(2), drawnAt(20));
    EXPECT_EQ(anim()->frame, 2);
}

TEST_F(Animation, StoppingDuringFrameFourKeepsPreviewAndSaveOff) {
    root->params().setImageSize(400, 400); // enough columns for progress titles
    // Every control registered with the session, value controls included, is locked while
    // frames are made and as usable as before afterwards.
    button("cmdDraw")->click(); // the undo item usable before too
    const std::vector<QObject*> registered = root->drawSession().registeredControls();
    ASSERT_GT(registered.size(), 60u);
    std::vector<bool> usableBefore;
    for (QObject* control : registered)
        usableBefore.push_back(enabled(control));
    EXPECT_TRUE(enabled(find<QLineEdit>(QStringLiteral("txtValue_0"))));
    bool checked = false;
    whileDrawing(QStringLiteral("作成中...4 /10 フレーム"), [&] {
        checked = true;
        for (QObject* control : registered)
            EXPECT_FALSE(enabled(control)) << control->objectName().toStdString();
        EXPECT_TRUE(in("fraFrame")->isEnabled());
        EXPECT_FALSE(field("txtFrame")->isEnabled());
        EXPECT_FALSE(in("fraSave")->isEnabled());
        EXPECT_FALSE(animButton("cmdDraw")->isVisible());
        EXPECT_TRUE(animButton("cmdDrawStop")->isVisible());
        EXPECT_TRUE(animButton("cmdDrawStop")->isEnabled());
        EXPECT_FALSE(action("mnuAnim")->isEnabled());
        animButton("cmdDrawStop")->click();
    });
    make(10);
    ASSERT_TRUE(checked);
    EXPECT_EQ(anim()->frame, 0);
    EXPECT_EQ(anim()->frames().held(), 3); // the stopped frame is not kept
    const Canvas& stoppedFrame = root->document().canvas();
    EXPECT_EQ(shown(), stoppedFrame); // the columns reached, black beyond
    EXPECT_EQ(stoppedFrame.pixel(stoppedFrame.width() - 1, 0), Rgb{});
    EXPECT_FALSE(animButton("cmdPreview")->isEnabled());
    EXPECT_FALSE(in("fraSave")->isEnabled());
    EXPECT_FALSE(in<QLabel>("lblProg")->isVisible());
    EXPECT_TRUE(animButton("cmdDraw")->isVisible());
    EXPECT_TRUE(field("txtFrame")->isEnabled());
    EXPECT_TRUE(action("mnuAnim")->isEnabled());
    for (std::size_t i = 0; i < registered.size(); ++i)
        EXPECT_EQ(enabled(registered[i]), usableBefore[i])
            << registered[i]->objectName().toStdString();
    make(10);
    EXPECT_EQ(anim()->frame, 10);
    EXPECT_TRUE(animButton("cmdPreview")->isEnabled());
    EXPECT_TRUE(in("fraSave")->isEnabled());
}

TEST_F(Animation, RefusalsDrawNothing) {
    field("txtIsoFrom")->clear();
    animButton("cmdDraw")->click();
    field("txtIsoFrom")->setText("0");
    field("txtIsoTo")->setText(" ");
    animButton("cmdDraw")->click();
    for (int k = 0; k < kComponentCount; ++k)
        component(k)->setChecked(false);
    make(10);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "'位相のずれの下限" + kInputMissing);
    EXPECT_EQ(dialogs.shown[1].text, "'位相のずれの上限" + kInputMissing);
    EXPECT_EQ(dialogs.shown[2].text, "成分が一つも選択されていません。");
    for (const ShownMessage& m : dialogs.shown)
        EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(anim()->frames().held(), 0);
    EXPECT_EQ(root->picture()->windowTitle(), "Picture");
}

TEST_F(Animation, AStoreThatCannotHoldTheFramesRefusesBeforeDrawing) {
    // No memory to speak of, and a spill folder that cannot be made.
    anim()->frames().setLimits({1, "/proc/wavory-no-cache"});
    make(10);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("フレームを保存する領域が足りないため"));
    EXPECT_EQ(anim()->frames().held(), 0);
    EXPECT_EQ(root->picture()->windowTitle(), "Picture");
    EXPECT_TRUE(animButton("cmdDraw")->isVisible());
    EXPECT_TRUE(field("txtFrame")->isEnabled());

    // Room on the disk, but no spill file can be made there: the last frame fails after it
    // was handed over, and that is told, not left missing. (With bleed, frames are pixels.)
    ASSERT_FALSE(writeFileAtomically(folder.path() / "file", "x"));
    anim()->frames().setLimits({1, folder.file("file") + "/wavory"});
    find<QLineEdit>(QStringLiteral("txtNizimi"))->setText(QStringLiteral("40"));
    make(1);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.startsWith("フレームを一時ファイルに書き込めません。"))
        << dialogs.shown[1].text.toStdString();
    EXPECT_EQ(anim()->frames().held(), 0);
}

TEST_F(Animation, DigitCheckSwitchesTheCountAndTheSecondSaveWritesTheSeries) {
    make(10);
    field("txtNumberFrom")->setText("95");
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "連番の桁数が足りません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(in<QComboBox>("cboNumber")->currentIndex(), 2);
    EXPECT_EQ(bmpFiles(), 0);
    animButton("cmdSave")->click();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    for (int k = 0; k < 10; ++k) {
        const std::string name = "anim" + std::to_string(95 + k + 1000).substr(1) + ".bmp";
        ASSERT_TRUE(exists(name)) << name;
        EXPECT_EQ(bmpPixels(bytes(name)), stored(k)) << name;
    }
    EXPECT_FALSE(exists("anim.txt")); // TextOnGrp is off
    EXPECT_FALSE(in<QLabel>("lblProg")->isVisible());
    EXPECT_TRUE(animButton("cmdSave")->isVisible());

    // Even eight digits cannot hold the last number: refused, the count stays at 8.
    in<QComboBox>("cboNumber")->setCurrentIndex(7);
    field("txtNumberFrom")->setText("99999995");
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "連番の桁数が足りません。");
    EXPECT_EQ(in<QComboBox>("cboNumber")->currentIndex(), 7);
    // Start 0 with 2 digits holds 100 frames; an empty start number is asked for.
    field("txtNumberFrom")->clear();
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text, "'連番の開始番号" + kInputMissing);
    EXPECT_EQ(dialogs.shown[2].icon, MessageIcon::Critical);
}

TEST_F(Animation, OverwriteNoStopsButWritesTheTextFileAndYesAsksOnce) {
    root->settings().option.textOnGrp = true;
    make(10);
    ASSERT_FALSE(writeFileAtomically(folder / "anim03.bmp", "old"));
    dialogs.answers = {MessageAnswer::No};
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              QString::fromStdString(file("anim03.bmp")) +
                  "\r\nはすでに存在します。\r\nこのファイルと以降全てのファイルについて、"
                  "上書き保存しますか？");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.shown[0].defaultButton, DefaultButton::Negative); // Enter keeps the file
    EXPECT_TRUE(exists("anim01.bmp"));
    EXPECT_TRUE(exists("anim02.bmp"));
    EXPECT_EQ(bytes("anim03.bmp"), "old");
    EXPECT_FALSE(exists("anim04.bmp"));
    ASSERT_TRUE(root->fileController().outputText(QString::fromStdString(file("ref.txt"))));
    EXPECT_EQ(bytes("anim.txt"), bytes("ref.txt"));

    // Yes at the first existing file replaces it and every later one without asking again.
    ASSERT_FALSE(writeFileAtomically(folder / "anim07.bmp", "old"));
    animButton("cmdSave")->click();
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.startsWith(QString::fromStdString(file("anim01.bmp"))));
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(bmpPixels(bytes("anim" + std::to_string(101 + k).substr(1) + ".bmp")),
                  stored(k));
}

TEST_F(Animation, AFileThatCannotBeWrittenNamesTheFramesSavedAndTheFirstMissing) {
    root->settings().option.textOnGrp = true;
    make(5);
    ASSERT_FALSE(writeFileAtomically(folder / "anim03.bmp", "kept"));
    ASSERT_EQ(::chmod((folder / "anim03.bmp").c_str(), 0444), 0); // stays protected
    animButton("cmdSave")->click();                               // Yes to replacing it
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(
        dialogs.shown[1].text,
        "アクセスが許可されていません。\r\n保存を中止しました。\r\n"
        "保存したのは anim01.bmp から anim02.bmp までです。anim03.bmp から後は揃っていません。");
    EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(bytes("anim03.bmp"), "kept");
    EXPECT_FALSE(exists("anim04.bmp"));
    EXPECT_FALSE(exists("anim.txt"));
}

TEST_F(Animation, BadNamesFailBeforeAnyFileAndAnEmptyBaseNameWritesNumbersOnly) {
    root->settings().option.textOnGrp = true;
    make(3);
    field("txtName")->setText("an?m");
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "ﾌｧｲﾙ名が不正です。\r\n保存を中止しました。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(bmpFiles(), 0);
    EXPECT_TRUE(animButton("cmdSave")->isEnabled());
    EXPECT_TRUE(in("fraFrame")->isEnabled());

    // A folder that does not exist is a bad file name too.
    field("txtName")->setText("gone/anim");
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "ﾌｧｲﾙ名が不正です。\r\n保存を中止しました。");

    field("txtName")->clear();
    animButton("cmdSave")->click();
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(exists("01.bmp") && exists("02.bmp") && exists("03.bmp"));
    EXPECT_TRUE(exists(".txt"));

    // More frames asked for than were made: the save stops at the first missing one.
    field("txtName")->setText("more");
    field("txtFrame")->setText("4");
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text, "フレーム 4 は作成されていません。\r\n保存を中止しました。");
    EXPECT_TRUE(exists("more03.bmp"));
    EXPECT_FALSE(exists("more04.bmp"));
    EXPECT_FALSE(exists("more.txt"));
    EXPECT_EQ(anim()->frame, 4);
}

TEST_F(Animation, OneAnimatedFileAsWebPOrGif) {
    make(4);
    in<QComboBox>("cboFormat")->setCurrentIndex(1);
    EXPECT_FALSE(field("txtNumberFrom")->isEnabled());
    EXPECT_FALSE(in("cboNumber")->isEnabled());
    field("txtNumberFrom")->setText("99999999"); // not looked at
    animButton("cmdSave")->click();
    EXPECT_TRUE(bytes("anim.webp").startsWith("RIFF"));
    EXPECT_EQ(bytes("anim.webp").mid(8, 4), "WEBP");
    EXPECT_FALSE(exists("anim01.bmp"));
    in<QComboBox>("cboFormat")->setCurrentIndex(2);
    animButton("cmdSave")->click();
    EXPECT_TRUE(bytes("anim.gif").startsWith("GIF89a"));
    EXPECT_TRUE(dialogs.shown.empty());
    // The same question before replacing it; No keeps the old file.
    const QByteArray gif = bytes("anim.gif");
    dialogs.answers = {MessageAnswer::No};
    make(2);
    animButton("cmdSave")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(bytes("anim.gif"), gif);
    in<QComboBox>("cboFormat")->setCurrentIndex(0);
    EXPECT_TRUE(field("txtNumberFrom")->isEnabled());
}

TEST_F(Animation, AVideoHasThePreviewsFrameTimeAndAStopLeavesNoFile) {
    make(4);
    anim()->preview()->setSpeed(120);
    in<QComboBox>("cboFormat")->setCurrentIndex(3);
    EXPECT_TRUE(in("spnQuality")->isEnabled());
    EXPECT_FALSE(field("txtNumberFrom")->isEnabled());
    in<QSpinBox>("spnQuality")->setValue(90);
    animButton("cmdSave")->click();
    in<QComboBox>("cboFormat")->setCurrentIndex(4);
    animButton("cmdSave")->click();
    EXPECT_TRUE(dialogs.shown.empty());
    for (const auto& [name, codec] : {std::pair{"anim.mp4", "h264"}, {"anim.webm", "av1"}}) {
        const wavory::testing::DecodedVideo video = wavory::testing::decodeVideo(folder.file(name));
        ASSERT_TRUE(video.ok) << name;
        EXPECT_EQ(video.codec, codec);
        EXPECT_EQ(video.width, 48);
        EXPECT_EQ(video.height, 32);
        ASSERT_EQ(video.frames.size(), 4u) << name;
        EXPECT_NEAR(video.starts[1], 0.12, 0.0015) << name;
        EXPECT_NEAR(video.duration, 0.48, 0.0015) << name;
        for (int k = 0; k < 4; ++k)
            EXPECT_GE(wavory::testing::psnr(stored(k), video.frames[static_cast<std::size_t>(k)]),
                      30.0)
                << name << " " << k;
    }

    // Stopped at the third frame: nothing under the name, no temporary file either.
    field("txtName")->setText("stopped");
    QTimer* t = new QTimer(anim());
    QObject::connect(t, &QTimer::timeout, [&, t] {
        if (progress() == QStringLiteral("保存中...3 /4 フレーム")) {
            t->stop();
            animButton("cmdSaveStop")->click();
        }
    });
    t->start(0);
    animButton("cmdSave")->click();
    EXPECT_TRUE(dialogs.shown.empty());
    for (const auto& entry : std::filesystem::directory_iterator(folder.str()))
        EXPECT_EQ(entry.path().filename().string().find("stopped"), std::string::npos)
            << entry.path();
    in<QComboBox>("cboFormat")->setCurrentIndex(0);
    EXPECT_FALSE(in("spnQuality")->isEnabled());
}

TEST_F(Animation, StopAndCloseEndTheSaveAfterTheCurrentFile) {
    make(10);
    // The stop button, pressed while the third file is being written.
    int seen = 0;
    auto stopAt = [&](int k, std::function<void()> act) {
        QTimer* t = new QTimer(anim());
        QObject::connect(t, &QTimer::timeout, [&, k, act, t] {
            if (progress() == QStringLiteral("保存中...%1 /10 フレーム").arg(k)) {
                ++seen;
                t->deleteLater();
                t->stop();
                act();
            }
        });
        t->start(0);
    };
    stopAt(3, [&] {
        EXPECT_TRUE(animButton("cmdSaveStop")->isVisible());
        EXPECT_FALSE(animButton("cmdSave")->isVisible());
        EXPECT_FALSE(in("fraFrame")->isEnabled());
        EXPECT_TRUE(in("fraSave")->isEnabled());
        EXPECT_FALSE(field("txtName")->isEnabled());
        animButton("cmdSaveStop")->click();
    });
    animButton("cmdSave")->click();
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(exists("anim03.bmp"));
    EXPECT_FALSE(exists("anim04.bmp"));
    EXPECT_TRUE(animButton("cmdSave")->isVisible());
    EXPECT_TRUE(field("txtName")->isEnabled());

    // Closing the window does the same, and the animation must be made again.
    stopAt(5, [&] { animButton("cmdClose")->click(); });
    dialogs.answers = {MessageAnswer::Yes};
    animButton("cmdSave")->click();
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(exists("anim05.bmp"));
    EXPECT_FALSE(exists("anim06.bmp"));
    EXPECT_FALSE(anim()->isVisible());
    anim()->show();
    EXPECT_FALSE(animButton("cmdSave")->isEnabled());
    EXPECT_FALSE(animButton("cmdPreview")->isEnabled());
}

TEST_F(Animation, PreviewShowsTheFramesInTurnAndWrapsAtTheFramesHeld) {
    make(10);
    AnimationPreview* preview = anim()->preview();
    std::int64_t now = 5000;
    preview->setTickSource([&now] { return now; });
    preview->setSpeed(100);
    std::vector<QString> statuses;
    std::vector<QImage> images;
    QTimer::singleShot(0, anim(), [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), preview);
        EXPECT_TRUE(preview->timer().isActive());
        EXPECT_EQ(preview->timer().interval(), 100);
        for (int step = 0; step < 12; ++step) {
            preview->onTimer();
            statuses.push_back(preview->status());
            images.push_back(preview->shownFrame());
            now += 100;
        }
        preview->close();
    });
    animButton("cmdPreview")->click();
    EXPECT_FALSE(preview->timer().isActive());
    ASSERT_EQ(statuses.size(), 12u);
    EXPECT_EQ(statuses[0], "");
    EXPECT_EQ(statuses[1], "現在:02ﾌﾚｰﾑ ... 速度:0.100 秒/ﾌﾚｰﾑ");
    EXPECT_EQ(statuses[9], "現在:10ﾌﾚｰﾑ ... 速度:0.100 秒/ﾌﾚｰﾑ");
    EXPECT_EQ(statuses[10], "現在:01ﾌﾚｰﾑ ... 速度:0.100 秒/ﾌﾚｰﾑ");
    for (int step : {0, 1, 9})
        EXPECT_EQ(images[step], canvasImage(stored(step))) << step;
    EXPECT_EQ(images[10], canvasImage(stored(0)));

    // Saving with a larger frame count raises Frame; the preview still wraps at 10.
    field("txtFrame")->setText("12");
    animButton("cmdSave")->click(); // fails at frame 11
    ASSERT_EQ(anim()->frame, 12);
    statuses.clear();
    QTimer::singleShot(0, anim(), [&] {
        for (int step = 0; step < 11; ++step) {
            preview->onTimer();
            now += 250;
        }
        statuses.push_back(preview->status());
        preview->close();
    });
    animButton("cmdPreview")->click();
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_EQ(statuses[0], "現在:01ﾌﾚｰﾑ ... 速度:0.250 秒/ﾌﾚｰﾑ");
    EXPECT_EQ(preview->lFrame, 1);
}

TEST_F(Animation, PreviewLayoutFollowsThePictureWithAMinimumWidth) {
    AnimationPreview* preview = anim()->preview();
    auto* picture = preview->findChild<QWidget*>(QStringLiteral("picMain"));
    auto* fast = preview->findChild<QWidget*>(QStringLiteral("lblFast"));
    auto* slow = preview->findChild<QWidget*>(QStringLiteral("lblSlow"));
    auto* speed = preview->findChild<QWidget*>(QStringLiteral("hscSpeed"));
    auto* status = preview->findChild<QWidget*>(QStringLiteral("txtStatue"));
    preview->prepare(60, 40, 1, [](int, Canvas& c) {
        c.resize(60, 40);
        return true;
    });
    // The outer width is set; the frame, while unknown, is taken to be the window's.
    const QMargins frame =
        hasWindowFrame(preview) ? windowFrameMargins(preview) : windowFrameMargins(anim());
    EXPECT_EQ(preview->width() + frame.left() + frame.right(), 180 + fast->width() + slow->width());
    EXPECT_EQ(picture->x(), (preview->width() - 60) / 2);
    EXPECT_EQ(status->x(), 3);
    EXPECT_EQ(status->width(), preview->width() - 6);
    EXPECT_EQ(status->y(), preview->height() - status->height() - 3);
    EXPECT_EQ(slow->x(), speed->x() + speed->width() + 9);
    EXPECT_EQ(fast->x(), 3);
    // One frame: the same frame at every step, the status stays at 01.
    preview->show();
    EXPECT_TRUE(preview->timer().isActive());
    preview->onTimer();
    preview->onTimer();
    EXPECT_TRUE(preview->status().startsWith("現在:01ﾌﾚｰﾑ"));
    preview->hide();
    EXPECT_FALSE(preview->timer().isActive());
}

TEST_F(Animation, KeyRulesAndRangeCorrections) {
    QLineEdit* frames = field("txtFrame");
    frames->clear();
    QTest::keyClicks(frames, "a1-2.34");
    EXPECT_EQ(frames->text(), "123"); // digits only, at most three
    frames->setText("0");
    leave(frames);
    EXPECT_EQ(frames->text(), "1");
    frames->setText("");
    leave(frames);
    EXPECT_EQ(frames->text(), "1");
    frames->setText("1500");
    leave(frames);
    EXPECT_EQ(frames->text(), "999");
    QTest::keyClicks(field("txtIsoFrom"), "x123");
    EXPECT_EQ(field("txtIsoFrom")->text(), "01"); // the "0" was there
    field("txtIsoTo")->setText("99");
    in<UpDown>("updIsoTo")->clickUp();
    EXPECT_EQ(field("txtIsoTo")->text(), "99");
    frames->setText("999");
    in<UpDown>("updFrame")->clickUp();
    EXPECT_EQ(frames->text(), "999");
    frames->setText("1");
    in<UpDown>("updFrame")->clickDown();
    EXPECT_EQ(frames->text(), "1");
    // The start number within what the digit count writes, when the field is left.
    setContainerEnabled(in<QGroupBox>("fraSave"), true, true);
    in<QComboBox>("cboNumber")->setCurrentIndex(1);
    QLineEdit* start = field("txtNumberFrom");
    start->setText("12345");
    leave(start);
    EXPECT_EQ(start->text(), "99");
    QTest::keyClicks(field("txtNumberFrom"), "-7");
    EXPECT_EQ(start->text(), "997");
}

TEST_F(Animation, NewFolderIsMadeInTheChosenFolderAndFailuresAreTold) {
    auto answer = [this](const QString& name, bool ok) {
        QTimer::singleShot(0, anim(), [name, ok] {
            auto* d = qobject_cast<NewFolderDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), "新規フォルダ");
            d->findChild<QLineEdit*>(QStringLiteral("txtFolder"))->setText(name);
            d->findChild<QPushButton*>(ok ? QStringLiteral("OKButton")
                                          : QStringLiteral("CancelButton"))
                ->click();
        });
    };
    setContainerEnabled(in<QGroupBox>("fraSave"), true, true);
    answer("frames", true);
    animButton("cmdCreateFolder")->click();
    EXPECT_TRUE(std::filesystem::is_directory(folder / "frames"));
    EXPECT_EQ(anim()->saveGroup()->folderTree()->folder(), QString::fromStdString(folder.str()));
    answer("later", false);
    animButton("cmdCreateFolder")->click();
    EXPECT_FALSE(std::filesystem::exists(folder / "later"));
    EXPECT_TRUE(dialogs.shown.empty());
    answer("frames", true);
    animButton("cmdCreateFolder")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QString::fromStdString(systemErrorText(
                                         std::make_error_code(std::errc::file_exists))) +
                                         "\r\n新規フォルダの作成に失敗しました。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
}

TEST_F(Animation, PersistedValuesGoIntoTheControlsAndBack) {
    AppSettings::AnimSection s;
    s.isoFrom = "5";
    s.isoTo = "60";
    s.frame = "25";
    s.drive = "c:";
    s.path = folder.str();
    s.name = "wave";
    s.numberFrom = "7";
    s.number = 3;
    s.previewSpeed = 250;
    s.format = 2;
    s.videoQuality = 55;
    anim()->loadSettings(s);
    EXPECT_EQ(field("txtFrame")->text(), "25");
    EXPECT_EQ(in<QComboBox>("cboNumber")->currentText(), "4桁");
    EXPECT_EQ(anim()->preview()->speed(), 250);
    EXPECT_EQ(anim()->saveGroup()->saveFormat(), AnimSaveFormat::Gif);
    AppSettings::AnimSection back;
    anim()->storeSettings(back);
    EXPECT_EQ(back, s);

    // Out of range values leave the controls as they are; a folder that is gone falls back.
    s.number = 8;
    s.previewSpeed = 4;
    s.format = 5;
    s.path = folder.file("gone");
    anim()->loadSettings(s);
    EXPECT_EQ(in<QComboBox>("cboNumber")->currentIndex(), 3);
    EXPECT_EQ(anim()->preview()->speed(), 250);
    EXPECT_EQ(anim()->saveGroup()->saveFormat(), AnimSaveFormat::Gif);
    EXPECT_EQ(anim()->saveGroup()->folderTree()->folder(), FolderTree::fallbackFolder());
}

TEST_F(Animation, OpensModallyFromTheMenuWithDropsOffAndHidesOnClose) {
    anim()->hide();
    EXPECT_TRUE(action("mnuAnim")->isEnabled());
    QStringList opened;
    root->helpPages().setResourceFolder(QStringLiteral(WAVORY_SOURCE_DIR "/resources"));
    root->helpPages().setUrlOpener([&](const QUrl& url) {
        opened << url.fileName();
        return true;
    });
    // The easy help window shown where the animation window would open over it.
    QWidget* help = root->helpWindow();
    if (!help->isVisible())
        root->windowController().toggleHelpWindow();
    help->resize(300, 150);
    const QRect screen = main->screen()->availableGeometry();
    help->move(screen.right() + 1 - 300, screen.top());
    bool seen = false;
    QTimer::singleShot(0, main, [&] {
        seen = QApplication::activeModalWidget() == anim();
        // It opens on the screen and clear of the easy help window, which explains it.
        EXPECT_TRUE(screen.contains(anim()->frameGeometry()));
        EXPECT_FALSE(anim()->frameGeometry().intersects(help->frameGeometry()));
        EXPECT_FALSE(main->acceptDrops());
        EXPECT_EQ(anim()->windowTitle(), "アニメーション");
        animButton("cmdHelp")->click();
        QTest::keyClick(field("txtFrame"), Qt::Key_F1);
        QTest::keyClick(anim(), Qt::Key_Escape);
    });
    action("mnuAnim")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(opened, QStringList({"anim.htm", "anim.htm"}));
    EXPECT_FALSE(anim()->isVisible());
    EXPECT_TRUE(main->acceptDrops());
    EXPECT_EQ(root->animWindow(), anim()); // the same window, only hidden
}

TEST_F(Animation, ClosingTheProgramDuringCreationStopsItFirst) {
    int ends = 0;
    root->startup().setProcessEnd([&] { ++ends; });
    root->params().setImageSize(400, 400);
    whileDrawing(QStringLiteral("作成中...2 /10 フレーム"), [&] { main->close(); });
    make(10);
    EXPECT_TRUE(waitFor([&] { return ends == 1; }));
    EXPECT_EQ(anim()->frames().held(), 1);
    EXPECT_FALSE(anim()->isBusy());
    EXPECT_FALSE(root->drawSession().isDrawing());
}

TEST_F(Animation, ClosingTheProgramDuringASaveEndsItAfterTheCurrentFile) {
    int ends = 0;
    root->startup().setProcessEnd([&] { ++ends; });
    make(10);
    auto* poll = new QTimer(anim());
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        if (progress() == QStringLiteral("保存中...2 /10 フレーム")) {
            poll->stop();
            main->close();
            EXPECT_EQ(ends, 0); // not before the save has stopped
        }
    });
    poll->start(0);
    animButton("cmdSave")->click();
    EXPECT_TRUE(waitFor([&] { return ends == 1; }));
    EXPECT_EQ(bmpPixels(bytes("anim02.bmp")), stored(1));
    EXPECT_FALSE(exists("anim03.bmp"));
}

} // namespace
