// Saving the picture: the dialog dlg1 (its file types, the remembered name without its
// extension), the format by the end of the name, the JPEG and PNG option dialogs with
// "保存中..." while writing, every message, and the parameter file beside the image.

#include "../BmpReading.h"
#include "files/ImageSaving.h"
#include "SharingFixture.h"
#include "files/JpegOptionsDialog.h"
#include "files/PngOptionsDialog.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>

using namespace wavory;
using namespace wavory::test;

namespace {

const QString kFilter =
    QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ(*.bmp)|*.bmp|Jpegｲﾒｰｼﾞ(*.jpg)|*.jpg|PNGｲﾒｰｼﾞ(*.png)|*.png");

// What a save option dialog looks like while its save runs.
struct SavingState {
    bool ran = false;
    bool labelShown = false;
    QString label;
    bool optionsEnabled = true;
    bool buttonsEnabled = true;
};

void recordSaving(SaveOptionsDialog* dialog, SavingState& state) {
    state.ran = true;
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("lblProg"));
    state.labelShown = label->isVisible();
    state.label = label->text();
    auto* frame = dialog->findChild<QGroupBox*>(QStringLiteral("fraOption"));
    state.optionsEnabled = false;
    for (QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        state.optionsEnabled = state.optionsEnabled || w->isEnabled();
    state.buttonsEnabled =
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isEnabled() ||
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->isEnabled();
}

class ImageSaving : public SharingFixture {
  protected:
    void SetUp() override {
        SharingFixture::SetUp();
        simpleParameters();
        find<QLineEdit>(QStringLiteral("txtNizimi"))->setText(QStringLiteral("0"));
        root->params().setImageSize(64, 48);
        button("cmdDraw")->click();
    }
    void saveAs(const QString& name) {
        dialogs.fileNames.push_back(name);
        action("mnuSave")->trigger();
    }
    static void press(QDialog* d, const char* name) {
        d->findChild<QPushButton*>(QLatin1String(name))->click();
    }
    QByteArray head(const QString& name, int n = 8) { return readFile(name).left(n); }
};

TEST_F(ImageSaving, BmpUnderTheChosenNameAndTheNameRemembered) {
    saveAs(path(QStringLiteral("a.bmp")));
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].filters, kFilter);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "名称未設定");
    EXPECT_TRUE(dialogs.shown.empty());
    const QByteArray bytes = readFile(path(QStringLiteral("a.bmp")));
    const auto read = decodeBmp(std::string_view(bytes.constData(), bytes.size()));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, root->document().canvas());
    EXPECT_EQ(root->settings().picture.path, (workPath() + QLatin1Char('/')).toStdString());

    // The next save proposes the same name without its extension; the button saves too.
    button("cmdSave")->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[1].fileName, path(QStringLiteral("a")));
}

TEST_F(ImageSaving, TheStoredFolderStartsTheFirstProposal) {
    root->settings().picture.path = "/pictures/waves/";
    action("mnuSave")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "/pictures/waves/名称未設定");
}

TEST_F(ImageSaving, TheEndOfTheNameDecidesTheFormat) {
    struct Case {
        const char* name;
        const char* magic;
        const char* dialog; // nullptr: no option dialog
    };
    const Case cases[] = {
        {"x.JPG", "\xFF\xD8", "frmJpeg"}, {"y.Jpeg", "\xFF\xD8", "frmJpeg"},
        {"z.PNG", "\x89PNG", "frmPNG"},   {"mypng", "\x89PNG", "frmPNG"},
        {"w.jpe", "BM", nullptr},         {"v.gif", "BM", nullptr},
        {"noext", "BM", nullptr},
    };
    for (const Case& c : cases) {
        QString opened;
        if (c.dialog) {
            whenOpen<QDialog>([&](QDialog* d) {
                opened = d->objectName();
                EXPECT_FALSE(main->acceptDrops()) << c.name;
                press(d, "cmdOK");
            });
        }
        saveAs(path(QString::fromUtf8(c.name)));
        EXPECT_EQ(opened, c.dialog ? QString::fromUtf8(c.dialog) : QString()) << c.name;
        EXPECT_TRUE(main->acceptDrops());
        EXPECT_TRUE(head(path(QString::fromUtf8(c.name))).startsWith(c.magic)) << c.name;
    }
    EXPECT_TRUE(dialogs.shown.empty());
    // No extension was added to any name.
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("noext.bmp"))));
}

TEST_F(ImageSaving, JpegOptionsAreTakenAndStored) {
    root->settings().picture.jpegSaveQ = 77;
    root->settings().picture.jpegSavePrgrs = false;
    whenOpen<JpegOptionsDialog>([&](JpegOptionsDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Jpeg保存時のオプション");
        auto* q = d->findChild<QScrollBar*>(QStringLiteral("hscQ"));
        EXPECT_EQ(q->value(), 77);
        EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("labQ"))->text(), "77");
        q->setValue(60);
        d->findChild<QCheckBox*>(QStringLiteral("chkPrgrs"))->setChecked(true);
        press(d, "cmdOK");
    });
    saveAs(path(QStringLiteral("p.jpg")));
    EXPECT_EQ(root->settings().picture.jpegSaveQ, 60);
    EXPECT_TRUE(root->settings().picture.jpegSavePrgrs);
    const QByteArray jpeg = readFile(path(QStringLiteral("p.jpg")));
    EXPECT_TRUE(jpeg.contains("\xFF\xC2")) << "progressive";
}

TEST_F(ImageSaving, CancelledOptionsSaveNoImageButTheParameters) {
    root->settings().option.textOnGrp = true;
    root->settings().picture.jpegSaveQ = 90;
    whenOpen<JpegOptionsDialog>([&](JpegOptionsDialog* d) {
        d->findChild<QScrollBar*>(QStringLiteral("hscQ"))->setValue(10);
        press(d, "cmdCancel");
    });
    saveAs(path(QStringLiteral("c.jpg")));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("c.jpg"))));
    EXPECT_EQ(root->settings().picture.jpegSaveQ, 90);
    EXPECT_TRUE(readText(path(QStringLiteral("c.txt")))
                    .startsWith("[書き出しフォーマット番号]\r\n 4 \r\n"));

    // Without the option nothing at all is written.
    root->settings().option.textOnGrp = false;
    whenOpen<PngOptionsDialog>(
        [&](PngOptionsDialog* d) { d->close(); }); // the close box cancels too
    saveAs(path(QStringLiteral("d.png")));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("d.png"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("d.txt"))));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ImageSaving, ThePngModeIsTakenAndStored) {
    root->settings().picture.pngSaveQ = 2;
    whenOpen<PngOptionsDialog>([&](PngOptionsDialog* d) {
        EXPECT_EQ(d->windowTitle(), " ");
        const char* captions[] = {"標準", "圧縮速度優先（低圧縮率）",
                                  "圧縮率優先(不可逆圧縮、低速)"};
        for (int i = 0; i < 3; ++i) {
            auto* option = d->findChild<QRadioButton*>(QStringLiteral("optQuality_%1").arg(i));
            ASSERT_NE(option, nullptr);
            EXPECT_EQ(option->text(), QString::fromUtf8(captions[i]));
            EXPECT_EQ(option->isChecked(), i == 2);
        }
        d->findChild<QRadioButton*>(QStringLiteral("optQuality_1"))->setChecked(true);
        press(d, "cmdOK");
    });
    saveAs(path(QStringLiteral("m.png")));
    EXPECT_EQ(root->settings().picture.pngSaveQ, 1);
    const QImage png(path(QStringLiteral("m.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB888), canvasImage(root->document().canvas()));
}

TEST_F(ImageSaving, CodecFailuresAreReported) {
    whenOpen<JpegOptionsDialog>([&](JpegOptionsDialog* d) { press(d, "cmdOK"); });
    saveAs(path(QStringLiteral("missing/folder/x.jpg")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    // The system's reason first, as a BMP file's failure gives it.
    EXPECT_EQ(dialogs.shown[0].text, "ファイルまたはフォルダが見つかりません。\r\n"
                                     "Jpeg保存時のエラーです。\r\nファイルがオープンできません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);

    // A stored mode no option button stands for reaches the codec, which refuses it.
    root->settings().picture.pngSaveQ = 3;
    whenOpen<PngOptionsDialog>([&](PngOptionsDialog* d) { press(d, "cmdOK"); });
    saveAs(path(QStringLiteral("bad.png")));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "PNG保存時のエラーです。\r\n保存品質の指定が間違っています。");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("bad.png"))));
}

TEST_F(ImageSaving, ABmpThatCannotBeWrittenEndsTheSave) {
    root->settings().option.textOnGrp = true;
    QDir().mkpath(path(QStringLiteral("taken")));
    saveAs(path(QStringLiteral("taken")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("\r\n保存に失敗しました。")));
    EXPECT_GT(dialogs.shown[0].text.size(), QStringLiteral("\r\n保存に失敗しました。").size());
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("taken.txt"))));
}

TEST_F(ImageSaving, ACancelledDialogSavesNothing) {
    root->settings().option.textOnGrp = true;
    action("mnuSave")->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QDir(workPath()).entryList(QDir::Files).isEmpty());
}

TEST_F(ImageSaving, WhileSavingTheDialogSaysSoAndTakesNoInput) {
    AppSettings::PictureSection options;
    options.jpegSaveQ = 30;
    JpegOptionsDialog jpeg(options);
    SavingState state;
    jpeg.setSaveAction([&] { recordSaving(&jpeg, state); });
    jpeg.show();
    EXPECT_FALSE(jpeg.findChild<QLabel*>(QStringLiteral("lblProg"))->isVisible());
    press(&jpeg, "cmdOK");
    EXPECT_TRUE(state.ran);
    EXPECT_TRUE(state.labelShown);
    EXPECT_EQ(state.label, "保存中...");
    EXPECT_FALSE(state.optionsEnabled);
    EXPECT_FALSE(state.buttonsEnabled);
    EXPECT_FALSE(jpeg.dialogCancelled());
    EXPECT_FALSE(jpeg.isVisible());

    PngOptionsDialog png(options);
    SavingState pngState;
    png.setSaveAction([&] { recordSaving(&png, pngState); });
    png.show();
    press(&png, "cmdOK");
    EXPECT_TRUE(pngState.ran && pngState.labelShown);
    EXPECT_FALSE(pngState.optionsEnabled || pngState.buttonsEnabled);

    // Cancel runs no save.
    JpegOptionsDialog cancelled(options);
    bool ran = false;
    cancelled.setSaveAction([&] { ran = true; });
    cancelled.show();
    press(&cancelled, "cmdCancel");
    EXPECT_FALSE(ran);
    EXPECT_TRUE(cancelled.dialogCancelled());
}

} // namespace
