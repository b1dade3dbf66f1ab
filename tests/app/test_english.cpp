// The windows in English (--lang en): every window and dialog is opened and every text a
// user can see is walked; none may keep a Japanese character. A program of its own,
// because the language is chosen once for the whole process.

#include "AppFixture.h"
#include "extras/HistoryController.h"
#include "drawing/PictureTitle.h"
#include "extras/TileViewController.h"
#include "platform/UiLanguage.h"
#include "extras/VariationController.h"
#include "guide/AboutDialog.h"
#include "animation/AnimationWindow.h"
#include "animation/AnimationPreview.h"
#include "colors/ColorEditorWindow.h"
#include "files/NewFolderDialog.h"
#include "guide/WelcomeDialog.h"
#include "guide/EasyHelpWindow.h"
#include "extras/HistoryBrowser.h"
#include "files/JpegOptionsDialog.h"
#include "windows/OptionsDialog.h"
#include "files/PngOptionsDialog.h"
#include "colors/BrightnessDialog.h"
#include "values/SizeDialog.h"
#include "extras/TileWindow.h"
#include "extras/VariationPicker.h"

#include "help/HelpTopics.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "engine/DrawMain.h"
#include "io/PictureSaving.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLocale>
#include <QRegularExpression>
#include <QTabWidget>

using namespace wavory;
using namespace wavory::test;

namespace {

class English : public AppFixture {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(installUiLanguage(*QCoreApplication::instance(), UiLanguage::English));
    }

    // Every text of the widget and of everything in it that a user can see: captions,
    // titles, tool tips, combo items, tab captions, menus and their actions.
    static QStringList textsOf(QWidget* top) {
        QStringList texts;
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* w : widgets) {
            if (isData(w))
                continue;
            const QString where = w->objectName() + QStringLiteral(": ");
            if (w->isWindow())
                texts << where + w->windowTitle();
            texts << where + w->toolTip();
            if (auto* l = qobject_cast<QLabel*>(w))
                texts << where + l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                texts << where + b->text();
            if (auto* g = qobject_cast<QGroupBox*>(w))
                texts << where + g->title();
            if (auto* c = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < c->count(); ++i)
                    texts << where + c->itemText(i);
            }
            if (auto* t = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < t->count(); ++i)
                    texts << where + t->tabText(i);
            }
            if (auto* m = qobject_cast<QMenu*>(w))
                texts << where + m->title();
            for (QAction* a : w->actions())
                texts << where + a->text() << where + a->toolTip();
        }
        return texts;
    }
    // The color set names are the user's data (the built-in ones keep their names).
    static bool isData(const QWidget* w) {
        return w->objectName() == QLatin1String("cbogColor") ||
               (w->parentWidget() && isData(w->parentWidget()));
    }
    static const QRegularExpression& japanese() {
        static const QRegularExpression pattern(
            QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
        return pattern;
    }
    static void expectEnglish(QWidget* top) {
        const QRegularExpression& japanese = English::japanese();
        const QStringList texts = textsOf(top);
        EXPECT_GT(texts.size(), 1) << top->objectName().toStdString();
        for (const QString& text : texts)
            EXPECT_FALSE(text.contains(japanese)) << text.toStdString();
    }
};

} // namespace

TEST_F(English, EveryWindowAndDialog) {
    root->windowController().togglePictureWindow();
    root->windowController().toggleFrameWindow();
    root->windowController().toggleHelpWindow();
    root->tileViews().show();
    ASSERT_NE(root->tileViews().tileView(), nullptr);
    AnimationWindow* anim = root->animWindow();
    anim->show();
    anim->preview()->show();
    anim->saveGroup()->createFolderDialog()->show();
    root->history().show();
    root->variations().show();

    OptionsDialog options(root->settings().option, dialogs);
    ColorSetCollection sets;
    initColors(sets);
    ColorEditorWindow editor(dialogs, sets, random);
    editor.setEditedIndex(0);
    BrightnessDialog brightness({}, 4, [](const BrightnessDialog::Points&) {});
    SizeDialog size(dialogs, [](int, int) {});
    JpegOptionsDialog jpeg(root->settings().picture);
    PngOptionsDialog png(root->settings().picture);
    AboutDialog about(dialogs);
    bool hello = true;
    WelcomeDialog welcome(hello);
    const std::vector<QWidget*> windows = {main,
                                           root->picture(),
                                           root->frameWindow(),
                                           root->helpWindow(),
                                           root->tileViews().tileView(),
                                           anim,
                                           anim->preview(),
                                           anim->saveGroup()->createFolderDialog(),
                                           root->history().window(),
                                           root->variations().window(),
                                           &options,
                                           &editor,
                                           &brightness,
                                           &size,
                                           &jpeg,
                                           &png,
                                           &about,
                                           &welcome};
    for (QWidget* w : windows) {
        w->show();
        expectEnglish(w);
    }

    // A few exact texts: captions, the picture window's title, the options' tabs.
    EXPECT_EQ(action("mnuSave")->text(), "Save &As...");
    EXPECT_EQ(find<QMenu>("mnuFile")->title(), "&File");
    EXPECT_EQ(button("cmdDraw")->text(), "&Draw");
    EXPECT_EQ(find<QCheckBox>("chkValue_3")->text(), "Circle");
    EXPECT_EQ(options.windowTitle(), "Options");
    EXPECT_EQ(about.windowTitle(), "About Wavory");
    EXPECT_EQ(anim->findChild<QComboBox*>("cboNumber")->itemText(2), "3 digits");
}

TEST_F(English, MessagesAndTextsWithNumbers) {
    // A window's message through the dialogs, with its icon.
    OptionsDialog options(root->settings().option, dialogs);
    for (int i = 0; i < 7; ++i)
        options.findChild<QCheckBox*>(QStringLiteral("chkRndSet_%1").arg(i))->setChecked(false);
    options.findChild<QPushButton*>("cmdOK")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Please choose at least one parameter for the random setting.");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);

    // Core's refusal, shown by the draw command.
    dialogs.shown.clear();
    for (int k = 0; k < kComponentCount; ++k)
        component(k)->setChecked(false);
    button("cmdDraw")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "No component is selected.");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);

    // Core's texts with numbers and names filled in after translation.
    EXPECT_EQ(colorSetLimitMessage().text, "You can have at most " +
                                               std::to_string(ColorSetCollection::kCapacity) +
                                               " color sets.\r\nNo more can be added.");
    EXPECT_EQ(imageSaveFailureMessage("Disk full").text,
              "Disk full\r\nThe file could not be saved.");
    EXPECT_EQ(progressTitle(51, 200), "25 % - Drawing -");
    EXPECT_EQ(finishTitle(DrawOutcome::Stopped), "Picture - Stopped -");
    EXPECT_EQ(find<QLabel>("labISO")->text(), "Phase shift: 0 %");
}

TEST_F(English, QtsOwnTextsAndLocale) {
    EXPECT_EQ(QLocale().language(), QLocale::English);
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), "Cancel");
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), "OK");
}

TEST_F(English, EasyHelpTopicsAndLabels) {
    EasyHelpWindow* help = root->helpWindow();
    help->show();
    const auto label = [help](const char* name) {
        return help->findChild<QLabel*>(QLatin1String(name));
    };
    for (int n : helpTopicNumbers()) {
        help->helpManager(n);
        SCOPED_TRACE(n);
        EXPECT_FALSE(label("labHelpTitle")->text().isEmpty());
        expectEnglish(help);
    }
    help->helpManager(21);
    EXPECT_EQ(label("labHelpTitle")->text(), "Power");
    EXPECT_EQ(label("labHelpLevel")->text(), "For experienced users");
    EXPECT_EQ(label("lblLeft")->text(), "Power 1");
    EXPECT_EQ(label("lblRight")->text(), "Power 32");
    help->helpManager(42);
    EXPECT_EQ(label("labHelp")->text(),
              "Creates a new color set and opens it for editing.\nYou can have at most " +
                  QString::number(ColorSetCollection::kCapacity) + " color sets.");
    help->helpManager(kFirstComponentTopic + 3);
    EXPECT_EQ(label("labHelpTitle")->text(), "Circle");
}

// The help pages open from the English set, which mirrors the Japanese one page by page
// and anchor by anchor (links from the program and between pages name them), and holds
// Japanese only where it is marked as such (the built-in color set names).
TEST_F(English, HelpPagesAreTheEnglishSet) {
    const QString resources = QStringLiteral(WAVORY_SOURCE_DIR "/resources/");
    root->helpPages().setResourceFolder(resources);
    std::vector<QUrl> opened;
    root->helpPages().setUrlOpener([&opened](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    action("mnuPrintHelp")->trigger();
    root->helpPages().show(QStringLiteral("anim.htm"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), (resources + "en/help.htm").toStdString());
    EXPECT_EQ(opened[1].toLocalFile().toStdString(),
              (resources + "en/help/anim.htm").toStdString());
    EXPECT_TRUE(dialogs.shown.empty());

    const auto read = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    static const QRegularExpression anchor(QStringLiteral("\\bid=\"([^\"]+)\""));
    const auto anchors = [](const QString& page) {
        QStringList ids;
        for (const QRegularExpressionMatch& m : anchor.globalMatch(page))
            ids << m.captured(1);
        return ids.join(QLatin1Char(' ')).toStdString();
    };
    static const QRegularExpression markedJapanese(
        QStringLiteral("<(span|pre) lang=\"ja\">[^<]*</\\1>"));
    QStringList pages{QStringLiteral("help.htm")};
    for (const QString& name : QDir(resources + QStringLiteral("help")).entryList({"*.htm"}))
        pages << QStringLiteral("help/") + name;
    ASSERT_GE(pages.size(), 5);
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString ja = read(resources + page);
        const QString en = read(resources + QStringLiteral("en/") + page);
        ASSERT_FALSE(en.isEmpty());
        EXPECT_TRUE(en.contains(QLatin1String("<html lang=\"en\">")));
        EXPECT_EQ(anchors(en), anchors(ja));
        const QString unmarked = QString(en).remove(markedJapanese);
        const QRegularExpressionMatch left = japanese().match(unmarked);
        EXPECT_FALSE(left.hasMatch()) << unmarked.mid(left.capturedStart() - 30, 60).toStdString();
    }
}
