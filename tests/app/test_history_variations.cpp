// The menu "拡張(&X)"'s history and variations windows: completed drawings are listed
// newest first and brought back with their picture (undo returns the one before), a
// stopped one is not listed, the list is cleared after asking and kept across runs when
// asked; nine variations are drawn, one adopted into the model, a new set replaces them.

#include "AppFixture.h"
#include "extras/HistoryController.h"
#include "files/ImageSaving.h"
#include "extras/VariationController.h"
#include "guide/EasyHelpWindow.h"
#include "extras/HistoryBrowser.h"
#include "extras/VariationPicker.h"

#include "common/ProgramFolder.h"
#include "history/HistoryFile.h"
#include "image/Thumbnail.h"
#include "io/AtomicFile.h"

#include <QListWidget>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

#include <filesystem>
#include <map>

using namespace wavory;
using namespace wavory::test;

namespace {

class HistoryWindow : public AppFixture {
  protected:
    QListWidget* list() { return find<QListWidget>(QStringLiteral("lstHistory")); }
    // Draws and returns the picture drawn.
    Canvas draw() {
        button("cmdDraw")->click();
        return root->document().canvas();
    }
};

class VariationsWindow : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        root->settings().option.doRndSet = {true, true, false, false, false, false, false};
        simpleParameters();
        QObject::connect(&root->variations().drawings(), &VariationDrawings::ready, main,
                         [this](int i, const QImage& image) { ready[i] = image; });
        QObject::connect(&root->variations(), &VariationController::setMade, main,
                         [this] { ready.clear(); });
    }
    bool allNineShown() {
        return waitFor([this] { return ready.size() == 9; }, 20000) &&
               root->variations().window()->shownCount() == 9;
    }
    std::map<int, QImage> ready; // the thumbnails of the current set
};

} // namespace

TEST_F(HistoryWindow, CompletedDrawingsComeBackWithTheirPictureAndUndo) {
    simpleParameters();
    const Canvas first = draw();
    value(0)->setText("7");
    const Canvas second = draw();
    // A stopped drawing is unfinished and not listed.
    value(0)->setText("9");
    QObject::connect(root->picture(), &QWidget::windowTitleChanged, main,
                     [this](const QString& t) {
                         if (t.endsWith(" % -描画中-"))
                             root->drawSession().requestStop();
                     });
    draw();
    QObject::disconnect(root->picture(), &QWidget::windowTitleChanged, main, nullptr);
    const Canvas stopped = root->document().canvas();

    action("mnuHistory")->trigger();
    ASSERT_TRUE(root->history().window()->isVisible());
    ASSERT_EQ(list()->count(), 2);
    EXPECT_EQ(root->history().history().entries()[0].fields.values[0], "7");
    EXPECT_EQ(root->history().history().entries()[1].fields.values[0], "30");
    EXPECT_EQ(list()->item(1)->icon().pixmap(128, 128).size(), QSize(128, 128));

    list()->setCurrentRow(1);
    find<QPushButton>(QStringLiteral("cmdApply"))->click();
    EXPECT_EQ(text(0), "30");
    EXPECT_EQ(root->document().canvas(), first);
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    action("mnuUndo")->trigger();
    EXPECT_EQ(root->document().canvas(), stopped);

    // An entry whose picture is no longer held is drawn again from its values, with undo;
    // the history gets no second entry for it.
    value(0)->setText("11");
    for (int i = 0; i < 3; ++i)
        draw();
    const Canvas now = root->document().canvas();
    const auto& entries = root->history().history().entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_FALSE(entries[3].picture);
    list()->setCurrentRow(3); // the second drawing
    find<QPushButton>(QStringLiteral("cmdApply"))->click();
    EXPECT_EQ(text(0), "7");
    EXPECT_EQ(root->document().canvas(), second);
    EXPECT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[3].thumbnail, makeThumbnail(second, kHistoryThumbnailSide));
    action("mnuUndo")->trigger();
    EXPECT_EQ(root->document().canvas(), now);
}

TEST_F(HistoryWindow, AKeptEntryOfAnEarlierRunDrawsItsPictureAgainExactly) {
    simpleParameters();
    QLineEdit* bleed = find<QLineEdit>(QStringLiteral("txtNizimi"));
    bleed->setText(QStringLiteral("200")); // noise in every pixel
    root->params().setImageSize(90, 70);
    const Canvas original = draw();
    root->settings().extras.keepHistory = true;
    root->history().saveKept();

    // The next run: its own drawing first, then the kept entry brought back.
    makeProgram();
    main->show();
    root->settings().extras.keepHistory = true;
    root->history().loadKept();
    simpleParameters();
    bleed = find<QLineEdit>(QStringLiteral("txtNizimi"));
    bleed->setText(QStringLiteral("0"));
    root->params().setImageSize(90, 70);
    const Canvas before = draw();
    ASSERT_EQ(root->history().history().entries().size(), 2u);
    ASSERT_FALSE(root->history().history().entries()[1].picture);
    action("mnuHistory")->trigger();
    list()->setCurrentRow(1);
    find<QPushButton>(QStringLiteral("cmdApply"))->click();
    EXPECT_EQ(bleed->text(), "200");
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ");
    EXPECT_EQ(root->document().canvas(), original);
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    action("mnuUndo")->trigger();
    EXPECT_EQ(root->document().canvas(), before);
    EXPECT_TRUE(dialogs.shown.empty());
    std::filesystem::remove(programFolder() + kHistoryFileName);
}

TEST_F(HistoryWindow, ClearAsksFirstAndTheListIsKeptWhenAsked) {
    simpleParameters();
    draw();
    draw();
    action("mnuHistory")->trigger();
    auto* keep = find<QCheckBox>(QStringLiteral("chkKeepHistory"));
    keep->setChecked(true);
    EXPECT_TRUE(root->settings().extras.keepHistory);
    root->history().saveKept();
    const std::filesystem::path file = programFolder() + kHistoryFileName;
    EXPECT_EQ(readHistoryFile(file).entries.size(), 2u);

    dialogs.answers.push_back(MessageAnswer::No);
    find<QPushButton>(QStringLiteral("cmdClear"))->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("履歴をすべて消去します。\r\nよろしいですか？"));
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.shown[0].defaultButton, DefaultButton::Negative);
    EXPECT_EQ(list()->count(), 2);
    find<QPushButton>(QStringLiteral("cmdClear"))->click(); // answered Yes
    EXPECT_EQ(list()->count(), 0);

    // The next run finds the kept entries behind its own; switched off, nothing is kept.
    root->history().loadKept();
    EXPECT_EQ(list()->count(), 2);
    keep->setChecked(false);
    root->history().saveKept();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(HistoryWindow, NewWindowsOpenOnTheScreenAndClearOfTheEasyHelp) {
    QWidget* help = root->helpWindow();
    if (!help->isVisible())
        root->windowController().toggleHelpWindow();
    const QRect screen = main->screen()->availableGeometry();
    // A small help window at the left, where a window centred on the main one would lie.
    main->move(screen.topLeft());
    help->resize(100, 100);
    help->move(screen.left(), screen.top() + 100);
    for (const char* item : {"mnuHistory", "mnuVariations"}) {
        action(item)->trigger();
        QWidget* window = std::string(item) == "mnuHistory"
                              ? static_cast<QWidget*>(root->history().window())
                              : static_cast<QWidget*>(root->variations().window());
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(screen.contains(window->frameGeometry())) << item;
        EXPECT_FALSE(window->frameGeometry().intersects(help->frameGeometry())) << item;
        window->close();
    }
}

TEST_F(HistoryWindow, MixedShapesGetEqualCellsWithWholeCaptionsAndTheListScrolls) {
    // Pictures of three shapes: a wide strip, a small one, a square.
    const QSize shapes[] = {{2000, 100}, {200, 160}, {3000, 3000}};
    for (int i = 0; i < 12; ++i) {
        const QSize shape = shapes[i % 3];
        root->params().setImageSize(shape.width(), shape.height()); // black, drawn opaque
        ParamFields fields = root->params().fields();
        fields.width = shape.width();
        fields.height = shape.height();
        root->history().record(fields, root->colorSets().at(0), 0);
    }
    action("mnuHistory")->trigger();
    ASSERT_EQ(list()->count(), 12);

    // Each icon is the same square with its thumbnail centred, its aspect kept.
    for (int i = 0; i < 3; ++i) {
        const QImage icon = list()->item(i)->icon().pixmap(kHistoryThumbnailSide).toImage();
        ASSERT_EQ(icon.size(), QSize(kHistoryThumbnailSide, kHistoryThumbnailSide)) << i;
        QRect painted;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                if (qAlpha(icon.pixel(x, y)) != 0)
                    painted |= QRect(x, y, 1, 1);
        const Canvas& thumb =
            root->history().history().entries()[static_cast<std::size_t>(i)].thumbnail;
        EXPECT_EQ(painted.size(), QSize(thumb.width(), thumb.height())) << i;
        EXPECT_EQ(painted.center(),
                  QRect(0, 0, kHistoryThumbnailSide, kHistoryThumbnailSide).center())
            << i;
    }
    // Equal cells, each holding its icon and both caption lines.
    const QSize cell = list()->visualItemRect(list()->item(0)).size();
    const int captionHeight = 2 * list()->fontMetrics().lineSpacing();
    EXPECT_GE(cell.height(), kHistoryThumbnailSide + captionHeight);
    for (int i = 0; i < list()->count(); ++i) {
        EXPECT_EQ(list()->visualItemRect(list()->item(i)).size(), cell) << i;
        for (const QString& line : list()->item(i)->text().split(QLatin1Char('\n')))
            EXPECT_LE(list()->fontMetrics().horizontalAdvance(line), cell.width()) << i;
    }
    // Twelve cells do not fit the window's first size: the list scrolls to its last row,
    // which is then shown whole.
    QScrollBar* scroll = list()->verticalScrollBar();
    EXPECT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum());
    QApplication::processEvents();
    const QRect last = list()->visualItemRect(list()->item(list()->count() - 1));
    EXPECT_TRUE(list()->viewport()->rect().contains(last)) << last.bottom();
}

TEST_F(HistoryWindow, AKeptFileThatCannotBeReadWholeIsSetAsideBeforeTheExitWrites) {
    simpleParameters();
    draw();
    root->settings().extras.keepHistory = true;
    root->history().saveKept();
    const std::filesystem::path file = programFolder() + kHistoryFileName;
    std::string damaged;
    ASSERT_FALSE(readWholeFile(file, damaged));
    damaged += "damage after the entry";
    ASSERT_FALSE(writeFileAtomically(file, damaged));

    root->history().loadKept();
    EXPECT_EQ(root->history().history().entries().size(), 2u); // the readable entry is taken
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("history.dat.unreadable-")))
        << dialogs.shown[0].text.toStdString();
    std::filesystem::path aside;
    for (const auto& entry : std::filesystem::directory_iterator(programFolder()))
        if (entry.path().filename().string().starts_with("history.dat.unreadable-"))
            aside = entry.path();
    EXPECT_FALSE(std::filesystem::exists(file));
    root->history().saveKept();
    std::string kept;
    ASSERT_FALSE(readWholeFile(aside, kept));
    EXPECT_EQ(kept, damaged);
    EXPECT_FALSE(readHistoryFile(file).damaged);
}

TEST_F(VariationsWindow, NineAppearChoosingOneSetsTheModelAndANewSetReplacesThem) {
    action("mnuVariations")->trigger();
    ASSERT_TRUE(allNineShown());
    const auto spread = find<QSlider>(QStringLiteral("sldSpread"));
    spread->setValue(80);
    EXPECT_EQ(root->settings().extras.variationSpread, 80);

    const Variations first = *root->variations().variations();
    find<QToolButton>(QStringLiteral("picVariation_4"))->click();
    EXPECT_EQ(root->params().model().fields().values, first[4].fields().values);
    for (int i = 0; i < kValueSlotCount; ++i)
        EXPECT_EQ(text(i).toStdString(), first[4].fields().values[i]) << i;
    // Nothing is drawn until the user draws; then the picture is the thumbnail's.
    EXPECT_TRUE(root->history().history().entries().empty());
    button("cmdDraw")->click();
    EXPECT_EQ(canvasImage(makeThumbnail(root->document().canvas(), 128)), ready[4]);

    find<QPushButton>(QStringLiteral("cmdNew"))->click();
    EXPECT_LT(ready.size(), 9u);
    ASSERT_TRUE(allNineShown());
    // Made from the adopted values with the new spread.
    EXPECT_FALSE(root->variations().variations()->at(0).fields() == first[0].fields());
}
