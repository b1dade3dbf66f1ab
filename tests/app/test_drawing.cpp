// The draw command: drawing, the locked controls, stopping by a second press or F5,
// the refusals, undo, Enter in a field with the focus return, the beep; and drawing as
// values change: one drawing for one event's changes, the stop and restart that coalesce
// a burst, the preview of a large picture, one undo image for a series, the combining
// modes and the values that cannot be drawn.

#include "AppFixture.h"
#include "animation/AnimFrames.h"
#include "drawing/DrawOnChange.h"
#include "drawing/DrawSession.h"
#include "extras/HistoryController.h"
#include "drawing/PictureTitle.h"
#include "drawing/PictureView.h"
#include "extras/TileViewController.h"
#include "widgets/UpDown.h"
#include "animation/AnimationWindow.h"
#include "extras/TileWindow.h"

#include "colorsets/ColorSetCollection.h"
#include "engine/DrawMain.h"
#include "engine/DrawModes.h"
#include "engine/ReferenceRenderer.h"
#include "image/PixelMemory.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <chrono>
#include <system_error>
#include <thread>

using namespace wavory;
using namespace wavory::test;

namespace {

class Drawing : public AppFixture {
  protected:
    // Runs `during` once, at the first progress title of the next drawing.
    void onFirstProgress(std::function<void()> during) {
        auto fired = std::make_shared<bool>(false);
        auto conn = std::make_shared<QMetaObject::Connection>();
        *conn = QObject::connect(root->picture(), &QWidget::windowTitleChanged, main,
                                 [fired, conn, during](const QString& title) {
                                     if (*fired || !title.endsWith(" % -描画中-"))
                                         return;
                                     *fired = true;
                                     QObject::disconnect(*conn);
                                     during();
                                 });
    }
    QImage shown() { return root->picture()->picMain()->shownImage(); }
    Rgb canvasPixel(int x, int y) { return root->document().canvas().pixel(x, y); }
    bool columnBlack(int x) {
        const Canvas& c = root->document().canvas();
        for (int y = 0; y < c.height(); ++y) {
            if (!(c.pixel(x, y) == Rgb{}))
                return false;
        }
        return true;
    }
    bool shownMatchesCanvas() {
        const QImage img = shown();
        const Canvas& c = root->document().canvas();
        if (img.width() != c.width() || img.height() != c.height())
            return false;
        for (int y = 0; y < c.height(); ++y) {
            for (int x = 0; x < c.width(); ++x) {
                const Rgb p = c.pixel(x, y);
                if (img.pixel(x, y) != qRgb(p.r, p.g, p.b))
                    return false;
            }
        }
        return true;
    }
    // After a failed drawing: its message, and the picture, what is shown and what undo
    // gives as before it (`undone` empty: nothing to undo).
    void expectTakenBack(const Canvas& before, const Canvas& undone, const QString& message) {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, message);
        EXPECT_TRUE(root->document().canvas() == before);
        EXPECT_TRUE(shownMatchesCanvas());
        ASSERT_EQ(action("mnuUndo")->isEnabled(), !undone.empty());
        if (undone.empty())
            return;
        action("mnuUndo")->trigger();
        EXPECT_TRUE(root->document().canvas() == undone);
        EXPECT_TRUE(shownMatchesCanvas());
    }
    static QString noMemory() {
        return "メモリ不足のため描画できません。画像サイズを小さくして下さい。";
    }
};

// A thread that cannot start, as std::thread reports it.
const std::system_error noThread(std::make_error_code(std::errc::resource_unavailable_try_again));

} // namespace

// The titles the picture window words from the drawing's numbers.
TEST(PictureTitle, ProgressAndOutcome) {
    EXPECT_EQ(progressTitle(1, 150), "0 % -描画中-");
    EXPECT_EQ(progressTitle(76, 150), "50 % -描画中-");
    EXPECT_EQ(progressTitle(150, 150), "99 % -描画中-");
    EXPECT_EQ(progressTitle(30, 100), "28 % -描画中-");
    EXPECT_EQ(finishTitle(DrawOutcome::Completed), "ピクチャ");
    EXPECT_EQ(finishTitle(DrawOutcome::Stopped), "ピクチャ -描画中止-");
}

TEST_F(Drawing, DrawsAndShowsEveryColumn) {
    simpleParameters();
    button("cmdDraw")->click();
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ");
    EXPECT_FALSE(root->drawSession().isDrawing());
    EXPECT_TRUE(root->picture()->isVisible());
    EXPECT_TRUE(action("mnuPictureWindow")->isChecked());
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    EXPECT_EQ(button("cmdDraw")->text(), "描画(&D)");
    EXPECT_EQ(action("mnuDraw")->text(), "描画(&D)");
    EXPECT_FALSE(columnBlack(100));
    EXPECT_TRUE(shownMatchesCanvas());
    // The same parameters drawn by the engine directly.
    Canvas expected(200, 200);
    ParamFields fields = root->params().fields();
    DrawMain(takeDrawSnapshot(fields), root->colorSets().at(0), expected);
    EXPECT_EQ(root->document().canvas(), expected);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Drawing, ControlsAreLockedWhileDrawingAndStopBySecondPress) {
    simpleParameters();
    root->params().setImageSize(1600, 1600);
    component(4)->setChecked(true);
    // Everything that feeds a drawing, as the draw command locks it: every value field and
    // up-down (switched on or not), centers, bleed, switches, buttons, phase and color set
    // controls, the menu items, the frame window.
    QStringList controls = {"txtCenter_0",   "txtCenter_1",  "txtNizimi",      "updNizimi",
                            "cmdRndSet",     "cmdBig",       "cmdSmall",       "cmdStrong",
                            "cmdWeak",       "cmdSize",      "cmdSave",        "labISO",
                            "hscIso",        "labGColor",    "cbogColor",      "cboMode",
                            "cmdGColorEdit", "cmdAddGColor", "cmdRemoveGColor"};
    for (int i = 0; i < kValueSlotCount; ++i)
        controls << QStringLiteral("txtValue_%1").arg(i) << QStringLiteral("updValue_%1").arg(i);
    for (int k = 0; k < kComponentCount; ++k)
        controls << QStringLiteral("chkValue_%1").arg(k);
    const QStringList items = {
        "mnuInputText",     "mnuUndo",      "mnuSize",         "mnuSave",       "mnuCopy",
        "mnuTile",          "mnuShell",     "mnuOption",       "mnuAnim",       "mnuRndSet",
        "mnuBig",           "mnySmall",     "mnuStrong",       "mnuWeak",       "mnuEditGColor",
        "mnuCopyGColor",    "mnuAddGColor", "mnuRemoveGColor", "mnuGColorLoad", "mnuGColorSave",
        "mnuGColorAllSave", "mnuGcolorInit"};
    bool checked = false;
    onFirstProgress([&] {
        checked = true;
        EXPECT_TRUE(root->drawSession().isDrawing());
        EXPECT_EQ(button("cmdDraw")->text(), "描画中止(&C)");
        EXPECT_EQ(action("mnuDraw")->text(), "描画中止(&C)");
        EXPECT_TRUE(button("cmdDraw")->isEnabled());
        for (const QString& c : controls)
            EXPECT_FALSE(find<QWidget>(c)->isEnabled()) << c.toStdString();
        for (const QString& a : items)
            EXPECT_FALSE(find<QAction>(a)->isEnabled()) << a.toStdString();
        EXPECT_FALSE(find<QMenu>("mnuValue")->isEnabled());
        EXPECT_FALSE(find<QMenu>("mnuColor")->isEnabled());
        EXPECT_FALSE(root->frameWindow()->isEnabled());
        EXPECT_TRUE(action("mnuDraw")->isEnabled());
        // The window keeps serving events: a second press stops the drawing.
        button("cmdDraw")->click();
    });
    button("cmdDraw")->click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ -描画中止-");
    EXPECT_EQ(button("cmdDraw")->text(), "描画(&D)");
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    EXPECT_TRUE(columnBlack(1599)); // never computed
    EXPECT_FALSE(columnBlack(0));
    EXPECT_TRUE(shownMatchesCanvas());
    // Unlocked again, except the fields of the components switched off and the commands
    // not available yet.
    const QStringList staysOff = {
        "txtValue_2",  "updValue_2",  "txtValue_3",  "updValue_3",  "txtValue_4",  "updValue_4",
        "txtValue_5",  "updValue_5",  "txtValue_12", "updValue_12", "txtValue_13", "updValue_13",
        "txtValue_14", "updValue_14", "txtValue_15", "updValue_15", "txtValue_16", "updValue_16",
        "txtValue_17", "updValue_17"};
    for (const QString& c : controls)
        EXPECT_EQ(find<QWidget>(c)->isEnabled(), !staysOff.contains(c)) << c.toStdString();
    for (const QString& a : items)
        EXPECT_EQ(find<QAction>(a)->isEnabled(), !staysOff.contains(a)) << a.toStdString();
    EXPECT_TRUE(find<QMenu>("mnuValue")->isEnabled());
    EXPECT_TRUE(root->frameWindow()->isEnabled());
}

TEST_F(Drawing, F5StopsAndAStoppedDrawingBeeps) {
    simpleParameters();
    root->settings().option.drewBeep = true;
    root->params().setImageSize(1600, 1600);
    onFirstProgress([&] { action("mnuDraw")->trigger(); });
    action("mnuDraw")->trigger();
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ -描画中止-");
    EXPECT_EQ(dialogs.beeps, 1);
    // The next drawing runs to its end: the stop request was used up.
    root->params().setImageSize(100, 100);
    button("cmdDraw")->click();
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ");
    EXPECT_EQ(dialogs.beeps, 2);
    // F5 in the picture window, which covers the main window at large sizes, stops it too.
    root->params().setImageSize(1600, 1600);
    onFirstProgress([&] { QTest::keyClick(root->picture(), Qt::Key_F5); });
    button("cmdDraw")->click();
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ -描画中止-");
}

TEST_F(Drawing, NoMemoryForTheUndoImageRefusesTheDrawing) {
    simpleParameters();
    root->document().setUndoReserve([](std::size_t) { throw std::bad_alloc(); });
    int drawings = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++drawings; });
    button("cmdDraw")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "メモリ不足のため描画できません。画像サイズを小さくして下さい。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(drawings, 0);
    EXPECT_TRUE(columnBlack(100));
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
}

TEST_F(Drawing, AFailedDrawingLeavesThePictureAndItsUndoAsTheyWere) {
    simpleParameters();
    // Each allocation of a drawing in turn runs out of memory (the first is the new canvas),
    // until the drawing needs fewer. The failing drawing has every component, the ones
    // before it only two without tables, so the engine allocates its tables.
    int failed = 0;
    for (int nth = 1; nth <= 64; ++nth) {
        SCOPED_TRACE(nth);
        simpleParameters();
        value(0)->setText("3");
        button("cmdDraw")->click();
        const Canvas undone = root->document().canvas();
        value(0)->setText("7");
        button("cmdDraw")->click();
        const Canvas before = root->document().canvas();
        ASSERT_FALSE(before == undone);
        dialogs.shown.clear();
        for (int k = 0; k < kComponentCount; ++k)
            component(k)->setChecked(true);
        failPixelMemoryAt(nth);
        button("cmdDraw")->click();
        failPixelMemoryAt(0);
        if (dialogs.shown.empty())
            break;
        ++failed;
        expectTakenBack(before, undone, noMemory());
    }
    EXPECT_GE(failed, 3); // the canvas and the engine's tables
}

TEST_F(Drawing, AWorkerThatCannotStartLeavesThePictureAndItsUndoAsTheyWere) {
    simpleParameters();
    const QString message = QString::fromLocal8Bit(noThread.what());
    root->drawSession().setWorkerStart([] { throw noThread; });
    const Canvas black = root->document().canvas();
    button("cmdDraw")->click(); // the first drawing: nothing to undo before or after
    expectTakenBack(black, Canvas(), message);

    root->drawSession().setWorkerStart({});
    button("cmdDraw")->click();
    const Canvas undone = root->document().canvas();
    value(0)->setText("7");
    button("cmdDraw")->click();
    const Canvas before = root->document().canvas();
    root->drawSession().setWorkerStart([] { throw noThread; });
    dialogs.shown.clear();
    value(0)->setText("11");
    button("cmdDraw")->click();
    expectTakenBack(before, undone, message);
}

TEST_F(Drawing, ARendererFailingOverThePictureLeavesItAsItWas) {
    simpleParameters();
    button("cmdDraw")->click();
    const Canvas before = root->document().canvas();
    DrawSession& session = root->drawSession();
    ASSERT_TRUE(session.begin());
    // An animation's frame: half its columns drawn over the picture, then out of memory.
    const auto failing = [](Canvas& canvas, DrawObserver* observer) -> DrawResult {
        observer->started();
        const int half = canvas.width() / 2;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < half; ++x)
                canvas.setPixel(x, y, Rgb{255, 0, 0});
        observer->columnsReady(0, half);
        throw std::bad_alloc();
    };
    EXPECT_EQ(session.drawWith(failing).outcome, DrawOutcome::Failed);
    session.end();
    EXPECT_TRUE(root->document().canvas() == before);
    EXPECT_TRUE(shownMatchesCanvas());
}

// Every way a drawing reaches the picture, each failing at every point on the way: the
// picture, what the screen and the tile view show, what undo gives, and one message.
class FailedDrawing : public Drawing {
  protected:
    struct Caller {
        const char* name;
        std::function<void()> draw; // after prepare(): one drawing that goes wrong
    };
    // Two drawings, so that undo has a picture of its own to give.
    void prepare() {
        root->settings().option.drawOnChange = false;
        simpleParameters();
        value(0)->setText("3");
        button("cmdDraw")->click();
        undone = root->document().canvas();
        value(0)->setText("7");
        button("cmdDraw")->click();
        before = root->document().canvas();
        ASSERT_FALSE(before == undone);
        // Every component: the engine allocates its tables on the way.
        for (int k = 0; k < kComponentCount; ++k)
            component(k)->setChecked(true);
        dialogs.shown.clear();
    }
    bool tileShowsCanvas() {
        TileArea* area = root->tileViews().tileView()->tileArea();
        const QImage shot = area->grab().toImage();
        const Canvas& c = root->document().canvas();
        for (int y = 0; y < std::min(shot.height(), c.height()); ++y)
            for (int x = 0; x < std::min(shot.width(), c.width()); ++x) {
                const Rgb p = c.pixel(x, y);
                if (shot.pixel(x, y) != qRgb(p.r, p.g, p.b))
                    return false;
            }
        return true;
    }
    void expectEveryFailureTakenBack(const Caller& caller) {
        SCOPED_TRACE(caller.name);
        int failed = 0;
        for (int nth = 1; nth <= 64; ++nth) {
            SCOPED_TRACE(nth);
            prepare();
            failPixelMemoryAt(nth);
            caller.draw();
            failPixelMemoryAt(0);
            if (dialogs.shown.empty())
                break;
            ++failed;
            EXPECT_TRUE(tileShowsCanvas());
            expectTakenBack(before, undone, noMemory());
        }
        EXPECT_GE(failed, 1);
        EXPECT_LT(failed, 64); // and it draws once the memory is there

        prepare();
        root->drawSession().setWorkerStart([] { throw noThread; });
        caller.draw();
        root->drawSession().setWorkerStart({});
        EXPECT_TRUE(tileShowsCanvas());
        expectTakenBack(before, undone, QString::fromLocal8Bit(noThread.what()));
    }

    Canvas undone;
    Canvas before;
};

TEST_F(FailedDrawing, EveryCallerPutsThePictureAndItsUndoBack) {
    action("mnuTile")->trigger();
    ASSERT_NE(root->tileViews().tileView(), nullptr);
    const Caller callers[] = {
        {"draw command", [&] { button("cmdDraw")->click(); }},
        {"random setting",
         [&] {
             root->settings().option.drawOnRnd = true;
             button("cmdRndSet")->click();
             root->settings().option.drawOnRnd = false;
         }},
        {"drawing as values change",
         [&] {
             root->settings().option.drawOnChange = true;
             value(0)->setText("11");
             ASSERT_TRUE(waitFor(
                 [&] {
                     return !root->drawOnChange().isPending() && !root->drawSession().isDrawing();
                 },
                 20000));
         }},
        {"history entry",
         [&] {
             // The entry of the drawing before: its picture is brought back.
             const auto& entries = root->history().history().entries();
             ASSERT_GE(entries.size(), 2u);
             ASSERT_TRUE(entries[1].picture);
             root->history().apply(entries[1].id);
         }},
        {"animation frame",
         [&] {
             AnimFrames& frames = root->animWindow()->frames();
             ASSERT_TRUE(frames.prepare(1));
             frames.make(0, 50, 1, [](int) {}, [] { return true; });
         }},
    };
    // Each at a size of its own: the engine's memory kept from the caller before does not
    // fit, so every caller meets its allocations.
    int width = 120;
    for (const Caller& caller : callers) {
        root->params().setImageSize(width += 8, 90);
        expectEveryFailureTakenBack(caller);
    }
}

// What the screen shows of a preview (one pixel for 2 x 2) and of the drawings of its
// values; the picture the tile view reads never has it.
TEST_F(Drawing, ThePreviewStandsWhereNoDrawingOfItsValuesHasReached) {
    PictureView* view = root->picture()->picMain();
    view->setImageSize(8, 4);
    const auto filled = [](int w, int h, Rgb c) {
        Canvas canvas(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                canvas.setPixel(x, y, c);
        return canvas;
    };
    const Canvas old = filled(8, 4, {10, 10, 10});
    const Canvas drawing = filled(8, 4, {200, 0, 0});
    const Canvas preview = filled(4, 2, {0, 0, 200});
    // Per column: 'o' the old picture, 'd' the drawing, 'p' the preview.
    const auto columns = [&](const QImage& image) {
        std::string s;
        for (int x = 0; x < 8; ++x) {
            const QRgb c = image.pixel(x, 3);
            s += c == qRgb(10, 10, 10) ? 'o' : c == qRgb(200, 0, 0) ? 'd' : c == qRgb(0, 0, 200) ? 'p' : '?';
        }
        return s;
    };
    const auto screen = [&] {
        return view->grab(QRect(PictureView::kBorder, PictureView::kBorder, 8, 4)).toImage();
    };
    view->showCanvas(old);
    view->showPreview(preview, 2);
    EXPECT_EQ(columns(screen()), "pppppppp"); // newer than the picture shown
    EXPECT_EQ(columns(shown()), "oooooooo");
    view->beginDrawing(drawing, &old);
    view->transferColumns(0, 2);
    QApplication::processEvents();
    EXPECT_EQ(columns(screen()), "dddppppp");
    EXPECT_EQ(columns(shown()), "dddooooo");
    view->drawingEnded(drawing); // stopped after three columns
    EXPECT_EQ(columns(screen()), "dddppppp");
    EXPECT_EQ(columns(shown()), "dddddddd");
    view->dropPreview();
    EXPECT_EQ(columns(screen()), "dddddddd");
}

TEST_F(Drawing, NoComponentIsRefusedBeforeAnythingChanges) {
    for (int k = 0; k < kComponentCount; ++k)
        component(k)->setChecked(false);
    button("cmdDraw")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "成分が一つも選択されていません。");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    EXPECT_EQ(root->picture()->windowTitle(), "Picture");
    EXPECT_EQ(root->params().model().valueSlots()[1], 0); // not raised
}

TEST_F(Drawing, FrameWithoutWidthIsRefused) {
    simpleParameters();
    FrameFields frame = root->frameWindow()->frameFields();
    frame.enabled = true;
    frame.width = "0";
    root->frameWindow()->setFrameFields(frame);
    button("cmdDraw")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    EXPECT_TRUE(columnBlack(100));
}

TEST_F(Drawing, UndoRestoresThePictureBeforeTheLastDrawing) {
    simpleParameters();
    button("cmdDraw")->click();
    const Canvas first = root->document().canvas();
    value(0)->setText("7");
    button("cmdDraw")->click();
    ASSERT_NE(root->document().canvas(), first);
    action("mnuUndo")->trigger();
    EXPECT_EQ(root->document().canvas(), first);
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    EXPECT_TRUE(shownMatchesCanvas());
}

TEST_F(Drawing, XorTwiceGivesBlackAndBack) {
    simpleParameters();
    button("cmdDraw")->click();
    const Canvas first = root->document().canvas();
    find<QComboBox>("cboMode")->setCurrentIndex(3);
    button("cmdDraw")->click();
    for (int x : {0, 50, 199})
        EXPECT_TRUE(columnBlack(x)) << x;
    button("cmdDraw")->click();
    EXPECT_EQ(root->document().canvas(), first);
    EXPECT_TRUE(shownMatchesCanvas());
}

TEST_F(Drawing, AStoppedDrawingLeavesThePictureBeforeItBeyondItsColumnsAndUndoesToIt) {
    simpleParameters();
    root->params().setImageSize(800, 800);
    button("cmdDraw")->click();
    const Canvas before = root->document().canvas();
    // Column x of the shown image (and of the canvas, if given): black, or the picture
    // before.
    auto columnIs = [&](const Canvas* c, const QImage& img, int x, bool black) {
        for (int y = 0; y < before.height(); ++y) {
            const Rgb want = black ? Rgb{} : before.pixel(x, y);
            if ((c && !(c->pixel(x, y) == want)) || img.pixel(x, y) != qRgb(want.r, want.g, want.b))
                return false;
        }
        return true;
    };
    for (DrawMode mode : {DrawMode::Normal, DrawMode::And, DrawMode::Or, DrawMode::Xor}) {
        SCOPED_TRACE(static_cast<int>(mode));
        find<QComboBox>("cboMode")->setCurrentIndex(static_cast<int>(mode));
        value(0)->setText(QString::number(11 + static_cast<int>(mode)));
        QImage during;
        onFirstProgress([&] {
            // Only column 0 can have been handed over yet: the rest shows what stood there.
            during = shown();
            button("cmdDraw")->click();
        });
        button("cmdDraw")->click();
        ASSERT_EQ(root->picture()->windowTitle(), "ピクチャ -描画中止-");
        const bool normal = mode == DrawMode::Normal;
        const Canvas& c = root->document().canvas();
        for (int x : {400, 799})
            EXPECT_TRUE(columnIs(&c, shown(), x, normal)) << x;
        ASSERT_EQ(during.size(), QSize(800, 800));
        for (int x : {1, 300, 799})
            EXPECT_TRUE(columnIs(nullptr, during, x, normal)) << x;
        EXPECT_FALSE(columnIs(&c, shown(), 0, normal));
        EXPECT_TRUE(shownMatchesCanvas());
        action("mnuUndo")->trigger();
        EXPECT_EQ(root->document().canvas(), before);
        EXPECT_TRUE(shownMatchesCanvas());
    }
}

TEST_F(Drawing, UndoAfterANewImageSizeBringsBackWhatFits) {
    simpleParameters();
    button("cmdDraw")->click();
    const Canvas first = root->document().canvas();
    value(0)->setText("7");
    button("cmdDraw")->click();
    // A parameter file of another size changes the size without a word to the undo item.
    root->params().setImageSize(120, 230);
    action("mnuUndo")->trigger();
    const Canvas& c = root->document().canvas();
    ASSERT_EQ(c.width(), 120);
    ASSERT_EQ(c.height(), 230);
    for (int y = 0; y < 230; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(c.pixel(x, y), y < 200 ? first.pixel(x, y) : Rgb{}) << x << "," << y;
    EXPECT_TRUE(shownMatchesCanvas());
    // Drawn at the new size, the picture before it comes back whole.
    const Canvas cropped = c;
    find<QComboBox>("cboMode")->setCurrentIndex(2);
    button("cmdDraw")->click();
    EXPECT_EQ(root->document().canvas().width(), 120);
    action("mnuUndo")->trigger();
    EXPECT_EQ(root->document().canvas(), cropped);
    EXPECT_TRUE(shownMatchesCanvas());
}

// Counts the times a window is put in front of the program's others.
class RaiseCounter : public QObject {
  public:
    int raised = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::ZOrderChange)
            ++raised;
        return false;
    }
};

TEST_F(Drawing, EnterInAFieldDrawsAndReturnsTheFocus) {
    simpleParameters();
    root->settings().option.activeAfterDrawing = true;
    // The window that gets the focus comes to the front too: the picture window, raised
    // for the drawing, would otherwise hide the fields the keys go into.
    RaiseCounter mainRaised;
    main->installEventFilter(&mainRaised);
    int finished = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++finished; });
    for (const char* name : {"txtValue_1", "txtCenter_1", "txtNizimi"}) {
        auto* field = find<QLineEdit>(QLatin1String(name));
        QApplication::setActiveWindow(main);
        field->setFocus();
        const QString before = field->text();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(field->text(), before) << name; // the Enter key is not typed
        EXPECT_TRUE(waitFor([&] { return QApplication::focusWidget() == field; })) << name;
    }
    EXPECT_EQ(finished, 3);
    EXPECT_EQ(mainRaised.raised, 3);
    EXPECT_EQ(root->picture()->windowTitle(), "ピクチャ");
}

TEST_F(Drawing, WithoutActivateAfterDrawingTheFocusStaysOnThePicture) {
    simpleParameters();
    root->settings().option.activeAfterDrawing = false;
    auto* field = value(1);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_FALSE(waitFor([&] { return QApplication::focusWidget() == field; }, 300));
    EXPECT_EQ(QApplication::activeWindow(), root->picture());
}

TEST_F(Drawing, RandomSettingDrawsOnceWhenAsked) {
    root->settings().option.doRndSet = {true, true, true, false, false, false, true};
    root->settings().option.drawOnRnd = true;
    int finished = 0;
    QObject::connect(&root->drawCommand(), &DrawCommand::finished, [&] { ++finished; });
    button("cmdRndSet")->click();
    EXPECT_EQ(finished, 1);
    root->settings().option.drawOnRnd = false;
    action("mnuRndSet")->trigger();
    EXPECT_EQ(finished, 1);
}

TEST_F(Drawing, ShownZeroAmplitudeDrawsAsOne) {
    simpleParameters();
    value(1)->setText("0");
    button("cmdDraw")->click();
    const Canvas zero = root->document().canvas();
    value(1)->setText("1");
    button("cmdDraw")->click();
    EXPECT_EQ(root->document().canvas(), zero);
    EXPECT_EQ(text(1), "1");
}

class DrawingAsValuesChange : public Drawing {
  protected:
    void SetUp() override {
        Drawing::SetUp();
        simpleParameters();
        root->params().setImageSize(120, 80);
        button("cmdDraw")->click();
        start = root->document().canvas();
        root->settings().option.drawOnChange = true;
        QObject::connect(&root->drawSession(), &DrawSession::drawingStateChanged,
                         [this](bool on) { begun += on ? 1 : 0; });
    }
    // Waits until nothing waits or draws any more.
    bool settled() {
        return waitFor(
            [&] { return !root->drawOnChange().isPending() && !root->drawSession().isDrawing(); },
            20000);
    }
    const Canvas& canvas() { return root->document().canvas(); }
    // The values shown, drawn alone in the normal mode.
    Canvas alone() {
        ParamFields f = root->params().fields();
        f.mode = DrawMode::Normal;
        Canvas c(f.width, f.height);
        DrawMain(takeDrawSnapshot(f), *root->colorSets().selectedSet(), c);
        return c;
    }
    static Canvas combined(DrawMode mode, const Canvas& old, const Canvas& drawn) {
        Canvas c = old;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                c.setPixel(x, y, combinePixel(mode, old.pixel(x, y), drawn.pixel(x, y)));
        return c;
    }

    Canvas start;
    int begun = 0;
};

TEST_F(DrawingAsValuesChange, OffNothingDrawsOnTypedValues) {
    root->settings().option.drawOnChange = false;
    value(0)->setText("17");
    component(1)->setChecked(true);
    EXPECT_FALSE(root->drawOnChange().isPending());
    QTest::qWait(DrawOnChange::kQuietMs + 100);
    EXPECT_EQ(begun, 0);
    EXPECT_EQ(canvas(), start);
}

TEST_F(DrawingAsValuesChange, SettledValuesDrawOnceWithoutTakingTheFocus) {
    QApplication::setActiveWindow(main);
    value(0)->setFocus();
    for (const char* typed : {"1", "17", "173"})
        value(0)->setText(QLatin1String(typed));
    EXPECT_TRUE(root->drawOnChange().isPending());
    EXPECT_EQ(begun, 0); // not before the values have settled
    ASSERT_TRUE(settled());
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(canvas(), alone());
    EXPECT_TRUE(shownMatchesCanvas());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(action("mnuUndo")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), value(0));
    // The same values again draw nothing more.
    value(0)->setText("17");
    value(0)->setText("173");
    EXPECT_FALSE(root->drawOnChange().isPending());
}

TEST_F(DrawingAsValuesChange, ItsDrawingShowsTheHiddenPictureWindowAndIsRecorded) {
    root->windowController().togglePictureWindow(); // hidden by its menu item
    ASSERT_FALSE(root->picture()->isVisible());
    const std::size_t recorded = root->history().history().entries().size();
    value(0)->setText("173");
    ASSERT_TRUE(settled());
    EXPECT_TRUE(root->picture()->isVisible());
    EXPECT_TRUE(action("mnuPictureWindow")->isChecked());
    // Recorded once the picture has stood.
    EXPECT_TRUE(waitFor([&] { return !root->drawOnChange().isRecordPending(); }, 5000));
    EXPECT_EQ(root->history().history().entries().size(), recorded + 1);
}

TEST_F(DrawingAsValuesChange, ASeriesDrawsIntoTheMemoryItsDrawingsHeld) {
    for (const char* typed : {"171", "172"}) {
        value(0)->setText(QLatin1String(typed));
        ASSERT_TRUE(settled());
    }
    failPixelMemoryAt(1); // any new picture memory would fail the drawing
    value(0)->setText("173");
    ASSERT_TRUE(settled());
    failPixelMemoryAt(0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(canvas(), alone());
}

TEST_F(DrawingAsValuesChange, TheHistoryRecordsThePictureThatStandsWhenTheHandRests) {
    const auto& entries = root->history().history().entries();
    const std::size_t recorded = entries.size();
    // Each drawing is drawn over by the next before it has stood: none is recorded.
    for (const char* typed : {"171", "172", "173"}) {
        value(0)->setText(QLatin1String(typed));
        ASSERT_TRUE(settled());
    }
    EXPECT_TRUE(root->drawOnChange().isRecordPending());
    EXPECT_EQ(entries.size(), recorded);
    // Undo does not wait: the picture it replaces is recorded first, with its values.
    const Canvas drawn = canvas();
    action("mnuUndo")->trigger();
    ASSERT_EQ(entries.size(), recorded + 1);
    EXPECT_EQ(entries.front().fields.values[0], "173");
    Canvas kept;
    ASSERT_TRUE(entries.front().picture && entries.front().picture->unpackInto(kept));
    EXPECT_EQ(kept, drawn);
    EXPECT_EQ(canvas(), start);
    // A picture no longer on the canvas is never recorded.
    value(0)->setText("174");
    ASSERT_TRUE(settled());
    root->document().canvas().clear();
    root->document().refreshAll();
    root->drawOnChange().recordNow();
    EXPECT_EQ(entries.size(), recorded + 1);
}

TEST_F(DrawingAsValuesChange, AChangeDuringTheDrawingRestartsItWithTheNewValues) {
    root->settings().option.drawOnChange = false;
    root->params().setImageSize(1600, 1600);
    root->settings().option.drawOnChange = true;
    int stops = 0;
    QObject::connect(root->picture(), &QWidget::windowTitleChanged,
                     [&](const QString& t) { stops += t == "ピクチャ -描画中止-" ? 1 : 0; });
    bool checked = false;
    onFirstProgress([&] {
        checked = true;
        // The value controls stay usable; what needs the picture waits.
        EXPECT_TRUE(value(0)->isEnabled());
        EXPECT_TRUE(component(5)->isEnabled());
        EXPECT_TRUE(find<QComboBox>("cboMode")->isEnabled());
        EXPECT_TRUE(root->frameWindow()->isEnabled());
        EXPECT_FALSE(button("cmdSize")->isEnabled());
        EXPECT_FALSE(action("mnuUndo")->isEnabled());
        EXPECT_FALSE(action("mnuSave")->isEnabled());
        EXPECT_EQ(button("cmdDraw")->text(), "描画中止(&C)");
        value(0)->setText("45");
        // The drawing waits for this window; the change settles meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(DrawOnChange::kQuietMs + 50));
    });
    value(0)->setText("23");
    ASSERT_TRUE(settled());
    EXPECT_TRUE(checked);
    EXPECT_EQ(begun, 1); // stopped and started again within one drawing state
    EXPECT_GE(stops, 1);
    EXPECT_EQ(text(0), "45");
    EXPECT_EQ(canvas(), alone());
    EXPECT_TRUE(button("cmdSize")->isEnabled());
}

TEST_F(DrawingAsValuesChange, ABurstOfChangesStopsTheDrawingAndDrawsTheLastValuesOnly) {
    root->settings().option.drawOnChange = false;
    root->params().setImageSize(1200, 1200);
    root->settings().option.drawOnChange = true;
    int drawings = 0;
    int stops = 0;
    root->drawSession().setWorkerStart([&] { ++drawings; });
    QObject::connect(root->picture(), &QWidget::windowTitleChanged,
                     [&](const QString& t) { stops += t == "ピクチャ -描画中止-" ? 1 : 0; });
    // Fifty changes, each its own event, all but the first arriving while it draws.
    onFirstProgress([&] {
        for (int i = 1; i < 50; ++i)
            QMetaObject::invokeMethod(
                value(0), [this, i] { value(0)->setText(QString::number(100 + i)); },
                Qt::QueuedConnection);
    });
    value(0)->setText("100");
    ASSERT_TRUE(settled());
    root->drawSession().setWorkerStart({});
    EXPECT_EQ(text(0), "149");
    EXPECT_EQ(canvas(), alone());
    EXPECT_GE(stops, 1); // no waiting for the first drawing to end
    EXPECT_LE(drawings, 3);
    EXPECT_EQ(begun, 1);
}

TEST_F(DrawingAsValuesChange, ALargePictureShowsAPreviewFirstThatNeverReachesThePicture) {
    root->settings().option.drawOnChange = false;
    root->params().setImageSize(1600, 1600);
    button("cmdDraw")->click();
    const Canvas before = canvas();
    ASSERT_NE(before.pixel(1599, 0), (Rgb{0, 0, 0}));
    root->settings().option.drawOnChange = true;
    PictureView* view = root->picture()->picMain();
    QStringList titles;
    QObject::connect(root->picture(), &QWidget::windowTitleChanged,
                     [&](const QString& t) { titles << t; });
    bool looked = false;
    onFirstProgress([&] {
        looked = true;
        ASSERT_TRUE(view->previewShown());
        // On screen the preview stands beyond the columns drawn; the picture the tile
        // view reads shows black there, as every drawing in the normal mode does.
        const int x = 1599;
        const QImage screen = view->grab().toImage();
        const QImage picture = shown();
        int previewed = 0;
        for (int y = 0; y < 1600; y += 7) {
            EXPECT_EQ(picture.pixel(x, y), qRgb(0, 0, 0));
            const QRgb s = screen.pixel(x + PictureView::kBorder, y + PictureView::kBorder);
            previewed += s != qRgb(0, 0, 0) ? 1 : 0;
        }
        EXPECT_GT(previewed, 20);
    });
    value(0)->setText("45");
    ASSERT_TRUE(settled());
    EXPECT_TRUE(looked);
    ASSERT_GE(titles.size(), 2);
    EXPECT_EQ(titles.front(), "ピクチャ -プレビュー-");
    EXPECT_EQ(titles.back(), "ピクチャ");
    EXPECT_FALSE(view->previewShown());
    // The picture that stands is the plain renderer's.
    Canvas plain;
    ReferenceRenderer::render(takeDrawSnapshot(root->params().fields()),
                              *root->colorSets().selectedSet(), 0, plain);
    EXPECT_TRUE(canvas() == plain);
    EXPECT_TRUE(shownMatchesCanvas());
    action("mnuUndo")->trigger();
    EXPECT_EQ(canvas(), before);
}

TEST_F(DrawingAsValuesChange, DraggingThePictureMovesTheCenterAndEscPutsItBack) {
    PictureView* view = root->picture()->picMain();
    auto* centerX = find<QLineEdit>("txtCenter_0");
    auto* centerY = find<QLineEdit>("txtCenter_1");
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        const QPointF local = at + QPoint(PictureView::kBorder, PictureView::kBorder);
        QMouseEvent e(type, local, view->mapToGlobal(local), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(view, &e);
    };
    // The picture is 120 x 80: the center (0, 0) lies at (60, 40).
    mouse(QEvent::MouseButtonPress, {60, 40}, Qt::LeftButton);
    EXPECT_TRUE(root->picture()->centerMarkerVisible());
    for (QPoint at : {QPoint(55, 38), QPoint(41, 29), QPoint(200, -5)}) {
        mouse(QEvent::MouseMove, at, Qt::LeftButton);
        ASSERT_TRUE(settled());
    }
    // Held inside the picture: the last move stands at (119, 0).
    EXPECT_EQ(centerX->text(), "-59");
    EXPECT_EQ(centerY->text(), "40");
    EXPECT_EQ(root->picture()->centerMarkerPosition(), QPoint(119 - 3, 0 - 3));
    EXPECT_EQ(canvas(), alone());
    mouse(QEvent::MouseButtonRelease, {119, 0}, Qt::NoButton);
    EXPECT_FALSE(root->picture()->centerMarkerVisible());
    // The whole gesture is one drawing to undo.
    action("mnuUndo")->trigger();
    EXPECT_EQ(canvas(), start);

    mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {20, 70}, Qt::LeftButton);
    ASSERT_TRUE(settled());
    EXPECT_EQ(centerY->text(), "-30");
    QTest::keyClick(view, Qt::Key_Escape);
    mouse(QEvent::MouseButtonRelease, {20, 70}, Qt::NoButton);
    ASSERT_TRUE(settled());
    EXPECT_EQ(centerX->text(), "-59");
    EXPECT_EQ(centerY->text(), "40");
    EXPECT_EQ(canvas(), alone());
    // A release that never reached the picture ends the drag at the next move.
    mouse(QEvent::MouseButtonPress, {60, 40}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {30, 20}, Qt::NoButton);
    EXPECT_FALSE(root->picture()->centerMarkerVisible());
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    ASSERT_TRUE(settled());
    EXPECT_EQ(centerX->text(), "0");
}

TEST_F(DrawingAsValuesChange, ASeriesCombinesWithItsStartPictureAndUndoesAsOne) {
    for (DrawMode mode : {DrawMode::And, DrawMode::Or, DrawMode::Xor}) {
        SCOPED_TRACE(static_cast<int>(mode));
        find<QComboBox>("cboMode")->setCurrentIndex(static_cast<int>(mode));
        ASSERT_TRUE(settled());
        EXPECT_EQ(canvas(), combined(mode, start, alone()));
        value(0)->setText(QString::number(9 + static_cast<int>(mode)));
        ASSERT_TRUE(settled());
        // With the picture the series began with, not with the previous drawing.
        EXPECT_EQ(canvas(), combined(mode, start, alone()));
        EXPECT_TRUE(shownMatchesCanvas());
        action("mnuUndo")->trigger();
        EXPECT_EQ(canvas(), start);
        EXPECT_FALSE(action("mnuUndo")->isEnabled());
    }
    // A drawing of the draw command ends the series: the next one starts from its picture.
    button("cmdDraw")->click();
    const Canvas drawn = canvas();
    value(0)->setText("31");
    ASSERT_TRUE(settled());
    EXPECT_EQ(canvas(), combined(DrawMode::Xor, drawn, alone()));
    action("mnuUndo")->trigger();
    EXPECT_EQ(canvas(), drawn);
}

TEST_F(DrawingAsValuesChange, AFailedDrawingInASeriesLeavesItsPictureAndItsStart) {
    find<QComboBox>("cboMode")->setCurrentIndex(static_cast<int>(DrawMode::Xor));
    ASSERT_TRUE(settled());
    const Canvas shown = canvas();
    ASSERT_FALSE(shown == start);
    dialogs.shown.clear();
    // The series' next drawing: no memory for its canvas, or no thread to draw on.
    failPixelMemoryAt(1);
    value(0)->setText("13");
    ASSERT_TRUE(settled());
    failPixelMemoryAt(0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "メモリ不足のため描画できません。画像サイズを小さくして下さい。");
    EXPECT_TRUE(canvas() == shown);
    EXPECT_TRUE(shownMatchesCanvas());

    root->drawSession().setWorkerStart([] { throw noThread; });
    value(0)->setText("14");
    ASSERT_TRUE(settled());
    root->drawSession().setWorkerStart({});
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, QString::fromLocal8Bit(noThread.what()));
    EXPECT_TRUE(canvas() == shown);
    EXPECT_TRUE(shownMatchesCanvas());
    // The series goes on over its start picture, and undo gives that back.
    value(0)->setText("15");
    ASSERT_TRUE(settled());
    EXPECT_TRUE(canvas() == combined(DrawMode::Xor, start, alone()));
    action("mnuUndo")->trigger();
    EXPECT_TRUE(canvas() == start);
}

TEST_F(DrawingAsValuesChange, ValuesThatCannotBeDrawnDrawNothingAndSayNothing) {
    auto* frameOn = root->frameWindow()->findChild<QCheckBox*>("chkFrameEnabled");
    auto* frameWidth = root->frameWindow()->findChild<QLineEdit*>("txtX");
    frameOn->setChecked(true);
    ASSERT_TRUE(settled());
    const Canvas framed = canvas();
    EXPECT_NE(framed, start);
    EXPECT_EQ(begun, 1);
    frameWidth->setText("0");
    ASSERT_TRUE(settled());
    for (int k = 0; k < kComponentCount; ++k)
        component(k)->setChecked(false);
    ASSERT_TRUE(settled());
    EXPECT_EQ(canvas(), framed);
    EXPECT_EQ(begun, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    // The draw command says why.
    button("cmdDraw")->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "成分が一つも選択されていません。");
    // Valid again: drawn.
    component(0)->setChecked(true);
    frameWidth->setText("3");
    ASSERT_TRUE(settled());
    EXPECT_EQ(begun, 2);
    EXPECT_EQ(canvas(), alone());
}
