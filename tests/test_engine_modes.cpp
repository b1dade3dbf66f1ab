// Draw modes, the one-level undo, and what the picture window sees while a drawing runs:
// progress reports, stop requests and the handing over of finished columns.

#include "engine_test_support.h"

#include "engine/DrawMain.h"
#include "engine/DrawModes.h"
#include "engine/DrawingMemory.h"
#include "engine/ReferenceRenderer.h"
#include "engine/UndoImage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace wavory;
using namespace wavory::testing;

namespace {

DrawParams withMode(ParamFields f, DrawMode mode) {
    f.mode = mode;
    return takeDrawSnapshot(f);
}

// Records every call and asks to stop at the n-th stop question (never when n < 0).
class Recorder : public DrawObserver {
  public:
    explicit Recorder(int stopAt = -1, const Canvas* canvas = nullptr)
        : stopAt_(stopAt), canvas_(canvas) {}

    void started() override { events.push_back("started"); }
    void progress(int done, int total) override {
        events.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
    }
    void finished(DrawOutcome outcome) override {
        events.push_back(outcome == DrawOutcome::Stopped ? "stopped" : "completed");
    }
    bool stopRequested() override {
        ++questions;
        if (canvas_)
            snapshots.push_back(*canvas_);
        return questions == stopAt_;
    }
    void columnsReady(int x0, int x1) override {
        events.push_back("ready " + std::to_string(x0) + " " + std::to_string(x1));
        ready.emplace_back(x0, x1);
    }

    std::vector<std::string> events;
    std::vector<std::pair<int, int>> ready;
    std::vector<Canvas> snapshots;
    int questions = 0;

  private:
    int stopAt_;
    const Canvas* canvas_;
};

} // namespace

TEST(DrawModes, CombineBitByBit) {
    const Rgb old{0b1100, 0xF0, 0x0F};
    const Rgb drawn{0b1010, 0xFF, 0x00};
    EXPECT_EQ(combinePixel(DrawMode::Normal, old, drawn), drawn);
    EXPECT_EQ(combinePixel(DrawMode::And, old, drawn), (Rgb{0b1000, 0xF0, 0x00}));
    EXPECT_EQ(combinePixel(DrawMode::Or, old, drawn), (Rgb{0b1110, 0xFF, 0x0F}));
    EXPECT_EQ(combinePixel(DrawMode::Xor, old, drawn), (Rgb{0b0110, 0x0F, 0x0F}));
    EXPECT_EQ(kDrawModeNames[0], "通常");
    EXPECT_EQ(kDrawModeNames[3], "XOR");
}

TEST(DrawModes, XorTwiceRestoresAndNormalThenXorIsBlack) {
    const ParamFields f = allComponents(45, 33);
    Canvas canvas(45, 33);
    fillDistinct(canvas);
    DrawMain(withMode(f, DrawMode::Normal), rainbowSet(), canvas);
    const Canvas first = canvas;
    DrawMain(withMode(f, DrawMode::Xor), rainbowSet(), canvas);
    EXPECT_TRUE(sameCanvas(solid(45, 33, {0, 0, 0}), canvas));
    DrawMain(withMode(f, DrawMode::Xor), rainbowSet(), canvas);
    EXPECT_TRUE(sameCanvas(first, canvas));
}

TEST(DrawModes, OrOverWhiteAndAndOverBlackKeepThePicture) {
    const ParamFields f = allComponents(20, 16);
    const Canvas white = solid(20, 16, {255, 255, 255});
    const Canvas black = solid(20, 16, {0, 0, 0});
    Canvas canvas = white;
    DrawMain(withMode(f, DrawMode::Or), rainbowSet(), canvas);
    EXPECT_TRUE(sameCanvas(white, canvas));
    canvas = black;
    DrawMain(withMode(f, DrawMode::And), rainbowSet(), canvas);
    EXPECT_TRUE(sameCanvas(black, canvas));
}

TEST(DrawModes, ANewSizeStartsAClearedCanvas) {
    const ParamFields f = allComponents(12, 9);
    Canvas canvas = solid(30, 30, {255, 255, 255});
    DrawMain(withMode(f, DrawMode::Or), rainbowSet(), canvas);
    Canvas expected;
    DrawMain(withMode(f, DrawMode::Normal), rainbowSet(), expected);
    EXPECT_TRUE(sameCanvas(expected, canvas)); // OR with a black canvas
}

TEST(DrawModes, WorkingMemoryFollowsTheLastPictureSize) {
    Canvas canvas;
    DrawMain(takeDrawSnapshot(allComponents(60, 50)), rainbowSet(), canvas);
    const std::size_t large = keptDrawingMemory();
    EXPECT_GT(large, 0u);
    EXPECT_LE(large, 60u * 50u * 11u); // tables, ribbon terms and values: at most 11 a pixel
    // A drawing whose memory is its own leaves the kept memory as it is, and draws the same.
    DrawOptions apart;
    apart.keepMemory = false;
    Canvas own;
    DrawMain(takeDrawSnapshot(allComponents(12, 9)), rainbowSet(), own, nullptr, apart);
    EXPECT_EQ(keptDrawingMemory(), large);
    // A smaller picture does not keep the larger one's memory alive.
    DrawMain(takeDrawSnapshot(allComponents(12, 9)), rainbowSet(), canvas);
    EXPECT_TRUE(sameCanvas(own, canvas));
    EXPECT_LT(keptDrawingMemory(), large);
    EXPECT_LE(keptDrawingMemory(), 12u * 9u * 11u);
}

TEST(DrawModes, WorkingMemoryIsKnownBeforeTheDrawing) {
    // A watched XOR drawing uses every kept block (staging image, symmetric and ribbon
    // tables, pattern values); the estimate covers them and overshoots by the parts by row
    // and column only.
    // The center: in the middle, near a corner (tables shrunk to their budget), off-center.
    struct Size {
        int w, h;
        const char* cx;
        const char* cy;
    };
    for (const Size& s : {Size{600, 400, "0", "0"}, Size{500, 500, "250", "250"},
                          Size{700, 300, "-200", "40"}, Size{300, 640, "100", "-250"}}) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        ParamFields f = allComponents(s.w, s.h);
        f.center = {s.cx, s.cy};
        const DrawParams params = withMode(f, DrawMode::Xor);
        Canvas canvas(s.w, s.h);
        DrawObserver watching;
        DrawOptions options;
        options.threads = 2;
        DrawMain(params, rainbowSet(), canvas, &watching, options);
        const std::uint64_t kept = keptDrawingMemory();
        const std::uint64_t estimate = drawingWorkingBytes(params, 2, true);
        EXPECT_GE(estimate, kept);
        EXPECT_LE(estimate - kept, std::uint64_t{512} * (s.w + s.h)); // scratch of 2 threads
    }
}

TEST(Undo, RestoresThePictureBeforeTheLastDrawingOnce) {
    // As the window draws: the picture is kept, the drawing goes over it into the canvas.
    const ParamFields f = allComponents(25, 20);
    Canvas canvas(25, 20);
    fillDistinct(canvas);
    const Canvas original = canvas;
    UndoImage undo;
    EXPECT_FALSE(undo.available());
    EXPECT_FALSE(undo.restore(canvas));
    auto drawOverKept = [&](const ParamFields& fields, DrawMode mode) {
        DrawOptions o;
        o.previous = undo.picture();
        DrawMain(withMode(fields, mode), rainbowSet(), canvas, nullptr, o);
    };

    ASSERT_TRUE(undo.keep(canvas));
    EXPECT_TRUE(sameCanvas(original, *undo.picture()));
    drawOverKept(f, DrawMode::Normal);
    const Canvas firstDrawing = canvas;
    ASSERT_TRUE(undo.keep(canvas));
    ParamFields second = f;
    second.phase = 40;
    drawOverKept(second, DrawMode::Xor);
    Canvas xorOverFirst = firstDrawing;
    DrawMain(withMode(second, DrawMode::Xor), rainbowSet(), xorOverFirst);
    EXPECT_TRUE(sameCanvas(xorOverFirst, canvas)); // XOR read the kept picture

    EXPECT_TRUE(undo.restore(canvas));
    EXPECT_TRUE(sameCanvas(firstDrawing, canvas)); // draw twice, undo: the first drawing
    EXPECT_FALSE(undo.available());
    EXPECT_EQ(undo.picture(), nullptr);
    EXPECT_FALSE(undo.restore(canvas)); // one level only
    EXPECT_TRUE(sameCanvas(firstDrawing, canvas));
    EXPECT_FALSE(sameCanvas(original, canvas));

    // After a change of the image size, what still fits comes back, the rest black.
    ASSERT_TRUE(undo.keep(canvas));
    canvas = Canvas(30, 10);
    EXPECT_TRUE(undo.restore(canvas));
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(canvas.pixel(x, y), x < 25 ? firstDrawing.pixel(x, y) : Rgb{})
                << x << "," << y;

    // A copy for a picture put on the canvas by other means: the canvas stays as it is.
    const Canvas cropped = canvas;
    ASSERT_TRUE(undo.save(canvas));
    EXPECT_EQ(canvas, cropped);
    canvas.clear();
    EXPECT_TRUE(undo.restore(canvas));
    EXPECT_EQ(canvas, cropped);

    ASSERT_TRUE(undo.keep(canvas));
    undo.discard();
    EXPECT_FALSE(undo.restore(canvas));
}

TEST(Undo, KeepAfterANewHeightOrWidthAloneKeepsTheCanvasSize) {
    // The picture kept before differs from the canvas in one side only: its memory must
    // not become the canvas. Undone straight away (a drawing refused after the keep) and
    // after a drawing over the kept picture, the picture before comes back whole.
    for (const auto& [w, h] : {std::pair{25, 31}, std::pair{33, 20}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        UndoImage undo;
        Canvas canvas(25, 20);
        ASSERT_TRUE(undo.keep(canvas)); // a 25 x 20 picture kept
        canvas = Canvas(w, h);          // the image size changed
        fillDistinct(canvas);
        const Canvas before = canvas;

        ASSERT_TRUE(undo.keep(canvas));
        EXPECT_EQ(canvas.width(), w);
        EXPECT_EQ(canvas.height(), h);
        EXPECT_TRUE(undo.restore(canvas));
        EXPECT_TRUE(sameCanvas(before, canvas));

        ASSERT_TRUE(undo.keep(canvas));
        DrawOptions o;
        o.previous = undo.picture();
        DrawMain(withMode(allComponents(w, h), DrawMode::Xor), rainbowSet(), canvas, nullptr, o);
        Canvas xorOverBefore = before;
        DrawMain(withMode(allComponents(w, h), DrawMode::Xor), rainbowSet(), xorOverBefore);
        EXPECT_TRUE(sameCanvas(xorOverBefore, canvas));
        EXPECT_TRUE(undo.restore(canvas));
        EXPECT_TRUE(sameCanvas(before, canvas));
    }
}

TEST(DrawProgress, TitlesStopQuestionsAndHandOversInColumnOrder) {
    // W = 150: G = 4, F = 20.
    const ParamFields f = allComponents(150, 6);
    for (unsigned threads : {1u, 2u, 3u}) {
        Canvas canvas;
        Recorder recorder;
        DrawOptions o;
        o.threads = threads;
        const DrawResult r = DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, &recorder, o);
        EXPECT_EQ(r.outcome, DrawOutcome::Completed);
        std::vector<std::string> expected{"started"};
        int handed = 0;
        for (int x = 0; x < 150; ++x) {
            if (x % 4 == 0)
                expected.push_back("progress " + std::to_string(x + 1) + "/150");
            if (x % 20 == 0) {
                expected.push_back("ready " + std::to_string(handed) + " " + std::to_string(x + 1));
                handed = x + 1;
            }
        }
        expected.push_back("ready 141 150");
        expected.push_back("completed");
        EXPECT_EQ(recorder.events, expected);
        EXPECT_EQ(recorder.questions, 38); // columns 0, 4, ..., 148
        EXPECT_EQ(recorder.events[1], "progress 1/150");
    }
}

TEST(DrawProgress, EveryStopQuestionSeesExactlyTheColumnsBeforeIt) {
    // Columns up to the question are final; later ones are black or, where a thread has
    // drawn ahead, already final too: never the old picture. (One thread: the columns
    // right of the center come with their mirrors on the left, and no helper writes while
    // the snapshot is taken.)
    const ParamFields f = allComponents(60, 10);
    Canvas expected;
    ReferenceRenderer::render(takeDrawSnapshot(f), rainbowSet(), 0, expected);
    Canvas canvas(60, 10);
    fillDistinct(canvas);
    Recorder recorder(-1, &canvas);
    DrawOptions o;
    o.threads = 1;
    DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, &recorder, o);
    ASSERT_EQ(recorder.snapshots.size(), 15u); // G = 4
    for (std::size_t i = 0; i < recorder.snapshots.size(); ++i) {
        const int last = static_cast<int>(i) * 4;
        const Canvas& seen = recorder.snapshots[i];
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 10; ++y) {
                const Rgb p = seen.pixel(x, y);
                if (x <= last)
                    ASSERT_EQ(p, expected.pixel(x, y)) << "question " << i << " " << x << "," << y;
                else
                    ASSERT_TRUE(p == Rgb{} || p == expected.pixel(x, y))
                        << "question " << i << " pixel " << x << "," << y;
            }
    }
}

TEST(DrawProgress, StopInNormalModeLeavesLaterColumnsBlack) {
    const ParamFields f = allComponents(150, 8);
    Canvas expected;
    ReferenceRenderer::render(takeDrawSnapshot(f), rainbowSet(), 0, expected);
    Canvas kept(150, 8);
    fillDistinct(kept);
    // Over the canvas itself, and over a picture kept apart (the canvas's old pixels are
    // not black then).
    for (const bool overKept : {false, true})
        for (unsigned threads : {1u, 2u, 3u}) {
            Canvas canvas(150, 8);
            fillDistinct(canvas);
            Recorder recorder(6); // the sixth question comes after column 20
            DrawOptions o;
            o.threads = threads;
            o.previous = overKept ? &kept : nullptr;
            const DrawResult r = DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, &recorder, o);
            EXPECT_EQ(r.outcome, DrawOutcome::Stopped);
            EXPECT_EQ(r.columnsDrawn, 21);
            EXPECT_EQ(recorder.events.back(), "stopped");
            // Column 20 was to be handed over after the question; the finish hands it over.
            EXPECT_EQ(recorder.ready.back(), (std::pair{1, 21}));
            for (int x = 0; x < 150; ++x)
                for (int y = 0; y < 8; ++y)
                    ASSERT_EQ(canvas.pixel(x, y), (x <= 20 ? expected.pixel(x, y) : Rgb{0, 0, 0}))
                        << x << "," << y;
        }
}

TEST(DrawProgress, StopInXorModeLeavesTheOldPictureInLaterColumns) {
    ParamFields f = allComponents(100, 7);
    f.mode = DrawMode::Xor;
    Canvas background(100, 7);
    fillDistinct(background);
    Canvas expected = background;
    ReferenceRenderer::render(takeDrawSnapshot(f), rainbowSet(), 0, expected);
    // Over the canvas itself, and over the background kept apart from a canvas of other
    // pixels (AND, OR and XOR read the kept picture; the canvas is only written).
    for (const bool overKept : {false, true}) {
        Canvas canvas(100, 7);
        if (!overKept)
            canvas = background;
        Recorder recorder(1); // right after column 0
        DrawOptions o;
        o.previous = overKept ? &background : nullptr;
        const DrawResult r = DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, &recorder, o);
        EXPECT_EQ(r.outcome, DrawOutcome::Stopped);
        EXPECT_EQ(r.columnsDrawn, 1);
        EXPECT_EQ(recorder.ready, (std::vector<std::pair<int, int>>{{0, 1}}));
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 7; ++y)
                ASSERT_EQ(canvas.pixel(x, y),
                          x == 0 ? expected.pixel(x, y) : background.pixel(x, y))
                    << overKept << " " << x << "," << y;
    }
    // Completed, every mode over the kept picture gives what it gives over the canvas,
    // watched or not.
    for (const DrawMode mode : {DrawMode::Normal, DrawMode::And, DrawMode::Or, DrawMode::Xor}) {
        Canvas itself = background;
        DrawMain(withMode(f, mode), rainbowSet(), itself);
        for (const bool watched : {false, true}) {
            Canvas other(100, 7);
            Recorder watching;
            DrawOptions over;
            over.previous = &background;
            DrawMain(withMode(f, mode), rainbowSet(), other, watched ? &watching : nullptr, over);
            EXPECT_TRUE(sameCanvas(itself, other)) << static_cast<int>(mode) << " " << watched;
        }
    }
}

TEST(DrawProgress, AnObserverErrorEndsTheDrawingCleanly) {
    struct Throwing : DrawObserver {
        void progress(int, int) override { throw std::runtime_error("window gone"); }
    } observer;
    const ParamFields f = allComponents(80, 30);
    Canvas canvas;
    DrawOptions o;
    o.threads = 3;
    EXPECT_THROW(DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, &observer, o),
                 std::runtime_error);
    // The threads are gone and the engine is usable again.
    EXPECT_EQ(DrawMain(takeDrawSnapshot(f), rainbowSet(), canvas, nullptr, o).outcome,
              DrawOutcome::Completed);
}
