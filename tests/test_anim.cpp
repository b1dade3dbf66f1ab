// The animation's core: frame phases, series names, the frame store with its spill file,
// the frame maker against drawing every phase in full, and the animated files.

#include "BmpReading.h"
#include "TempFolder.h"
#include "VideoReading.h"
#include "engine_test_support.h"

#include "anim/AnimFrameMaker.h"
#include "anim/AnimPhases.h"
#include "anim/AnimatedFile.h"
#include "anim/FrameFileWriting.h"
#include "anim/FrameSeriesNames.h"
#include "anim/FrameSeriesWriter.h"
#include "anim/FrameStore.h"
#include "anim/VideoFile.h"
#include "common/WorkPool.h"
#include "engine/DrawMain.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webp/demux.h>

using namespace wavory;
using namespace wavory::testing;
namespace fs = std::filesystem;

namespace {

std::vector<int> phases(double from, double to, int n) {
    std::vector<int> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(animFramePhase(from, to, n, i));
    return out;
}

TEST(AnimPhases, StepFromTheLowerBoundAndStopShortOfTheUpper) {
    EXPECT_EQ(phases(0, 99, 10), (std::vector<int>{0, 10, 20, 30, 40, 50, 59, 69, 79, 89}));
    EXPECT_EQ(phases(0, 99, 4), (std::vector<int>{0, 25, 50, 74}));
    EXPECT_EQ(phases(90, 10, 4), (std::vector<int>{90, 70, 50, 30}));
    EXPECT_EQ(phases(30, 30, 3), (std::vector<int>{30, 30, 30}));
    // 99 / 2 x 1 = 49.5 rounds to even.
    EXPECT_EQ(phases(0, 99, 2), (std::vector<int>{0, 50}));
    EXPECT_EQ(phases(0, 1, 2), (std::vector<int>{0, 0}));
}

TEST(FrameSeriesNames, NumbersPadToTheDigitsAndTheCheckFindsTheDigitsThatFit) {
    EXPECT_EQ(frameNumberText(7, 2), "07");
    EXPECT_EQ(frameNumberText(0, 3), "000");
    EXPECT_EQ(frameNumberText(104, 2), "104"); // longer numbers stay whole
    EXPECT_EQ(frameFileName("/tmp/anim", 1, 2), "/tmp/anim01.bmp");
    EXPECT_EQ(frameFileName("/tmp/", 95, 3), "/tmp/095.bmp"); // empty base name
    struct Case {
        std::int64_t start, frames;
        int digits;
        bool fits;
        int index;
    };
    for (const Case& c :
         {Case{1, 10, 2, true, 1}, Case{95, 10, 2, false, 2}, Case{95, 10, 3, true, 2},
          Case{0, 100, 2, true, 2}, Case{1, 100, 2, false, 2}, Case{90, 10, 2, true, 2},
          Case{99999999, 2, 8, false, 7}, Case{0, 999, 1, false, 2}}) {
        SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.frames));
        EXPECT_EQ(frameDigitsSuffice(c.start, c.frames, c.digits), c.fits);
        EXPECT_EQ(fittingDigitIndex(c.start, c.frames), c.index);
    }
}

Canvas noiseFrame(int w, int h, unsigned seed) {
    Canvas c(w, h);
    unsigned s = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < c.rowBytes() * static_cast<std::size_t>(h); ++i) {
        s = s * 1103515245u + 12345u;
        // Half noise, half runs: compresses, but not to nothing.
        c.data()[i] =
            (i / 64) % 2 ? static_cast<std::uint8_t>(s >> 24) : static_cast<std::uint8_t>(i / 640);
    }
    return c;
}

std::vector<std::string> spillFiles(const fs::path& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        out.push_back(e.path().filename().string());
    return out;
}

TEST(FrameStore, FramesBeyondTheBudgetGoToTheSpillFileAndReadBackIdentical) {
    const TempFolder temp;
    const fs::path cache = temp.path() / "cache" / "wavory";
    std::vector<Canvas> frames;
    for (unsigned i = 0; i < 12; ++i)
        frames.push_back(noiseFrame(64, 48, i));
    {
        FrameStore store({20000, cache.string()});
        EXPECT_EQ(store.held(), 0);
        EXPECT_TRUE(spillFiles(cache).empty()); // made only when needed
        for (int i = 0; i < 12; ++i)
            ASSERT_TRUE(store.put(i, frames[static_cast<std::size_t>(i)]).ok());
        EXPECT_LE(store.memoryBytes(), 20000u);
        EXPECT_GT(store.spilledBytes(), 0u);
        ASSERT_EQ(spillFiles(cache).size(), 1u);
        EXPECT_EQ(store.held(), 12);
        Canvas back;
        for (int i = 11; i >= 0; --i) {
            ASSERT_TRUE(store.get(i, back)) << i;
            EXPECT_TRUE(sameCanvas(frames[static_cast<std::size_t>(i)], back)) << i;
        }
        EXPECT_FALSE(store.get(12, back));
        EXPECT_FALSE(store.get(-1, back));

        // A shorter second animation replaces 0..4 and reuses the room of the frames it
        // replaces; frames 5..11 stay held.
        const std::uint64_t spilled = store.spilledBytes();
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(store.put(i, frames[static_cast<std::size_t>(11 - i)]).ok());
        EXPECT_EQ(store.held(), 12);
        EXPECT_LE(store.spilledBytes(), spilled + 20000);
        for (int i = 0; i < 12; ++i) {
            ASSERT_TRUE(store.get(i, back));
            EXPECT_TRUE(sameCanvas(frames[static_cast<std::size_t>(i < 5 ? 11 - i : i)], back));
        }
        // A different size in the same store.
        const Canvas small = noiseFrame(5, 7, 99);
        ASSERT_TRUE(store.put(3, small).ok());
        ASSERT_TRUE(store.get(3, back));
        EXPECT_TRUE(sameCanvas(small, back));

        // The live spill file survives a clean-up; a left-over one does not.
        const fs::path stale = cache / "frames-abc123.spill";
        ASSERT_FALSE(writeFileAtomically(stale, "left by a killed program"));
        const fs::path other = cache / "notes.txt";
        ASSERT_FALSE(writeFileAtomically(other, "not ours"));
        removeStaleFrameSpills(cache.string());
        EXPECT_FALSE(fs::exists(stale));
        EXPECT_TRUE(fs::exists(other));
        EXPECT_TRUE(fs::exists(store.spillPath()));
        ASSERT_TRUE(store.get(11, back));
        EXPECT_TRUE(sameCanvas(frames[11], back));
    }
    EXPECT_EQ(spillFiles(cache), std::vector<std::string>{"notes.txt"}); // removed with the store
}

TEST(FrameStore, TheRoomASmallerFrameLeavesIsReusedWithoutOverwritingIt) {
    const TempFolder temp;
    FrameStore store({0, (temp.path() / "cache").string()}); // every frame spills
    const Canvas large = noiseFrame(64, 48, 1), small = noiseFrame(8, 8, 2);
    const Canvas next = noiseFrame(16, 16, 3), behind = noiseFrame(32, 32, 4);
    ASSERT_TRUE(store.put(0, large).ok());
    ASSERT_TRUE(store.put(1, behind).ok()); // frame 0's room is not the end of the file
    ASSERT_TRUE(store.put(0, small).ok());  // the start of that room
    ASSERT_TRUE(store.put(2, next).ok());   // the rest of it, after the small frame
    const Canvas* expected[] = {&small, &behind, &next};
    Canvas back;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(store.get(i, back)) << i;
        EXPECT_TRUE(sameCanvas(*expected[i], back)) << i;
    }
}

TEST(FrameStore, ReserveRefusesWhatCannotFitAndSaysHowMuchItNeeds) {
    const TempFolder temp;
    FrameStore store({1 << 20, (temp.path() / "spill").string()});
    EXPECT_TRUE(store.reserve(10, 100, 100).ok());
    // 999 frames of 3000 x 3000 at worst: about 25 GB, more than this disk's free space
    // only if the disk is small, so ask for far more than any disk has.
    const Result refused = store.reserve(999999, 3000, 3000);
    ASSERT_FALSE(refused.ok());
    const std::string& text = refused.failureMessage()->text;
    EXPECT_EQ(refused.failureMessage()->icon, MessageIcon::Critical);
    EXPECT_EQ(
        text.rfind("フレームを保存する領域が足りないため、アニメーションを作成できません。\r\n"
                   "3000 × 3000 のフレーム 999999 枚には最大 25",
                   0),
        0u)
        << text; // 999999 x 27 MB
    EXPECT_NE(text.find(" GB が必要ですが、使えるのはメモリ 1 MB と " +
                        (temp.path() / "spill").string() + " の空き "),
              std::string::npos)
        << text;
    EXPECT_EQ(store.held(), 0);
}

TEST(FrameStore, AFailingSpillIsAFailureNotACrash) {
    const TempFolder temp;
    // The spill folder cannot be made: a file stands where a folder would be.
    ASSERT_FALSE(writeFileAtomically(temp.path() / "file", "x"));
    FrameStore blocked({1000, (temp.path() / "file" / "wavory").string()});
    const Canvas frame = noiseFrame(64, 48, 1);
    ASSERT_TRUE(blocked.put(0, frame).ok()); // handed over; the spill fails on the pool
    const Result r = blocked.flush();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failureMessage()->text.rfind("フレームを一時ファイルに書き込めません。\r\n", 0),
              0u);
    Canvas back;
    EXPECT_FALSE(blocked.get(0, back));

    // The disk fills up while spilling: a file size limit stands in for it.
    FrameStore store({1000, (temp.path() / "spill").string()});
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 30000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Result last;
    int stored = 0;
    for (int i = 0; i < 20 && last.ok(); ++i) {
        ASSERT_TRUE(store.put(i, noiseFrame(64, 48, static_cast<unsigned>(i))).ok());
        last = store.flush();
        stored += last.ok();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(last.ok());
    EXPECT_GT(stored, 0);
    EXPECT_EQ(last.failureMessage()->text.rfind("フレームを一時ファイルに書き込めません。\r\n", 0),
              0u);
    EXPECT_FALSE(store.get(stored, back));
    EXPECT_TRUE(store.flush().ok()) << "each failure is told once";
    // The disk has room again: the frame that failed is stored beside the frames kept.
    const Canvas again = noiseFrame(64, 48, static_cast<unsigned>(stored));
    ASSERT_TRUE(store.put(stored, again).ok());
    ASSERT_TRUE(store.flush().ok());
    ASSERT_TRUE(store.get(stored, back));
    EXPECT_TRUE(sameCanvas(again, back));
    for (int i = 0; i < stored; ++i) {
        ASSERT_TRUE(store.get(i, back));
        EXPECT_TRUE(sameCanvas(noiseFrame(64, 48, static_cast<unsigned>(i)), back));
    }
}

// Frames are compressed side by side on the pool while the caller goes on: each frame read
// is the one handed over last at its index, whichever compression ended first.
TEST(FrameStore, FramesHandedOverSideBySideReadBackInTheirOrder) {
    const TempFolder temp;
    WorkPool pool(4);
    FrameStore store({60000, (temp.path() / "spill").string()}, pool); // large frames spill
    std::vector<Canvas> expected;
    Canvas back;
    for (int i = 0; i < 24; ++i) {
        // A large frame, then at once a small one for the same index: the small one is
        // compressed first, and is the one held.
        ASSERT_TRUE(store.put(i, noiseFrame(400, 300, 100u + static_cast<unsigned>(i))).ok());
        expected.push_back(noiseFrame(8 + i, 6, static_cast<unsigned>(i)));
        ASSERT_TRUE(store.put(i, expected.back()).ok());
        ASSERT_TRUE(store.get(i, back)) << i; // waits for this frame
        EXPECT_TRUE(sameCanvas(expected.back(), back)) << i;
        // An earlier large frame read while later ones are in flight.
        ASSERT_TRUE(store.put(24 + i, noiseFrame(400, 300, 200u + static_cast<unsigned>(i))).ok());
        if (i > 0) {
            ASSERT_TRUE(store.get(24 + i - 1, back)) << i;
            EXPECT_TRUE(sameCanvas(noiseFrame(400, 300, 200u + static_cast<unsigned>(i - 1)), back));
        }
    }
    ASSERT_TRUE(store.flush().ok());
    EXPECT_EQ(store.held(), 48);
    EXPECT_GT(store.spilledBytes(), 0u);
    for (int i = 0; i < 24; ++i) {
        ASSERT_TRUE(store.get(i, back)) << i;
        EXPECT_TRUE(sameCanvas(expected[static_cast<std::size_t>(i)], back)) << i;
    }
}

// Memory that runs out for the copy handed over or for the compression is the program's
// out-of-memory failure: the frame is not held, the others stay.
TEST(FrameStore, MemoryRunningOutIsAFailureAndKeepsTheFramesHeld) {
    const TempFolder temp;
    WorkPool pool(2);
    FrameStore store({1 << 20, (temp.path() / "spill").string()}, pool);
    const Canvas first = noiseFrame(64, 48, 1), second = noiseFrame(64, 48, 2);
    ASSERT_TRUE(store.put(0, first).ok());
    ASSERT_TRUE(store.flush().ok());
    struct Case {
        const char* where;
        int nth; // the pixel allocation that fails: 1 the copy, 2 the compression's room
        bool atOnce;
    };
    for (const Case& c : {Case{"copy", 1, true}, Case{"compression", 2, false}}) {
        failPixelMemoryAt(c.nth);
        const Result put = store.put(1, second);
        const Result flushed = store.flush();
        failPixelMemoryAt(0);
        const Result& failed = c.atOnce ? put : flushed;
        EXPECT_EQ(put.ok(), !c.atOnce) << c.where;
        ASSERT_FALSE(failed.ok()) << c.where;
        EXPECT_EQ(failed.failureMessage()->text, "メモリが不足しています。") << c.where;
        EXPECT_EQ(failed.failureMessage()->icon, MessageIcon::Critical) << c.where;
        Canvas back;
        EXPECT_FALSE(store.get(1, back)) << c.where;
        ASSERT_TRUE(store.get(0, back)) << c.where;
        EXPECT_TRUE(sameCanvas(first, back)) << c.where;
    }
}

TEST(FrameStore, WithoutAHomeTheSpillFileGoesToAPrivateFolderRemovedAfterwards) {
    const TempFolder temp;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"HOME", "XDG_CACHE_HOME", "TMPDIR"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        ::unsetenv(name);
    }
    ::setenv("TMPDIR", temp.str().c_str(), 1);
    EXPECT_EQ(frameSpillFolder(), "") << "no folder shared with others is guessed";
    FrameStoreLimits limits = defaultFrameStoreLimits();
    limits.memoryBudget = 0; // every frame to the spill file
    {
        FrameStore store(limits);
        const Canvas frame = noiseFrame(32, 16, 3);
        ASSERT_TRUE(store.put(0, frame).ok());
        const fs::path folder = fs::path(store.spillPath()).parent_path();
        EXPECT_EQ(folder.parent_path(), temp.path());
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
        EXPECT_EQ(st.st_uid, ::geteuid());
        Canvas back;
        ASSERT_TRUE(store.get(0, back));
        EXPECT_TRUE(sameCanvas(frame, back));
    }
    EXPECT_TRUE(fs::is_empty(temp.path())) << "the folder goes with the store";
    for (const auto& [name, value] : saved) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
}

TEST(FrameStore, DefaultLimitsUseTheCacheFolderAndAFractionOfMemory) {
    const char* old = std::getenv("XDG_CACHE_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
    EXPECT_EQ(frameSpillFolder(), "/somewhere/cache/wavory");
    ::setenv("XDG_CACHE_HOME", "relative", 1); // not absolute: ignored
    EXPECT_EQ(frameSpillFolder(), std::string(std::getenv("HOME")) + "/.cache/wavory");
    if (old)
        ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
    const FrameStoreLimits limits = defaultFrameStoreLimits();
    EXPECT_GE(limits.memoryBudget, std::size_t{64} << 20);
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    EXPECT_LT(limits.memoryBudget, static_cast<std::size_t>(pages) * ::sysconf(_SC_PAGESIZE) / 2);
}

// ---- frames against full drawings -----------------------------------------------------

// Records what an observer hears and stops at the n-th question.
class Recorder : public DrawObserver {
  public:
    explicit Recorder(int stopAt = -1) : stopAt_(stopAt) {}
    void started() override { events.push_back("started"); }
    void progress(int done, int total) override {
        events.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
    }
    void finished(DrawOutcome outcome) override {
        events.push_back(outcome == DrawOutcome::Stopped ? "stopped" : "completed");
    }
    bool stopRequested() override { return ++questions_ == stopAt_; }
    void columnsReady(int x0, int x1) override {
        events.push_back("ready " + std::to_string(x0) + " " + std::to_string(x1));
    }
    std::vector<std::string> events;

  private:
    int stopAt_;
    int questions_ = 0;
};

struct MakerCase {
    std::string name;
    ParamFields fields;
    bool recolours;
};

std::vector<MakerCase> makerCases() {
    std::vector<MakerCase> cases;
    cases.push_back({"all components", allComponents(61, 47), true});
    ParamFields framed = fieldsWith(70, 52, {0, 3, 5, 6});
    framed.center = {"9", "-6"};
    framed.values[9] = "3";
    framed.frame.enabled = true;
    framed.frame.width = "9";
    framed.frame.height = "6";
    framed.frame.senmei = 10;
    framed.frame.shadow = 30;
    framed.frame.line = 40;
    framed.frame.color = 0x2050F0;
    cases.push_back({"frame and power", framed, true});
    ParamFields wide = fieldsWith(33, 29, {1, 2, 7});
    wide.values[3] = "2000000000"; // |v| beyond 16 bits
    wide.values[5] = "70000";
    cases.push_back({"large amplitudes", wide, true});
    ParamFields bleed = framed;
    bleed.bleed = "45";
    cases.push_back({"bleed", bleed, false});
    for (DrawMode mode : {DrawMode::And, DrawMode::Or, DrawMode::Xor}) {
        ParamFields combining = allComponents(40, 36);
        combining.mode = mode;
        combining.bleed = mode == DrawMode::Or ? "20" : "0";
        cases.push_back({"mode " + std::to_string(static_cast<int>(mode)), combining, false});
    }
    return cases;
}

TEST(AnimFrameMaker, EveryFrameEqualsTheFullDrawingOfItsPhase) {
    const GColor set = rainbowSet();
    const std::vector<int> phaseList = {0, 10, 59, 59, 99, 3, 50};
    for (const MakerCase& c : makerCases()) {
        SCOPED_TRACE(c.name);
        const DrawParams params = takeDrawSnapshot(c.fields);
        DrawOptions options;
        options.noiseKey = 777;
        options.threads = 2;
        for (bool observed : {false, true}) {
            AnimFrameMaker maker(params, set, options);
            EXPECT_EQ(maker.recolours(), c.recolours);
            const TempFolder temp;
            FrameStore store({1 << 20, temp.str()});
            Canvas frames = solid(params.width, params.height, {200, 100, 50});
            Canvas full = frames; // the combining modes start from the same picture
            std::size_t firstBytes = 0;
            for (std::size_t i = 0; i < phaseList.size(); ++i) {
                DrawParams p = params;
                p.phase = phaseList[i];
                Recorder expectedEvents, events;
                DrawMain(p, set, full, observed ? &expectedEvents : nullptr, options);
                const DrawResult r = maker.draw(phaseList[i], frames, observed ? &events : nullptr);
                ASSERT_EQ(r.outcome, DrawOutcome::Completed);
                EXPECT_EQ(r.columnsDrawn, params.width);
                ASSERT_TRUE(sameCanvas(full, frames)) << "phase " << phaseList[i];
                EXPECT_EQ(events.events, expectedEvents.events);
                ASSERT_TRUE(maker.store(store, static_cast<int>(i), frames).ok());
                if (i == 0)
                    firstBytes = store.memoryBytes();
            }
            Canvas back;
            for (std::size_t i = phaseList.size(); i-- > 0;) {
                DrawParams p = params;
                p.phase = phaseList[i];
                ASSERT_TRUE(store.get(static_cast<int>(i), back));
                if (!isCombiningMode(params.mode)) {
                    Canvas fresh;
                    DrawMain(p, set, fresh, nullptr, options);
                    EXPECT_TRUE(sameCanvas(fresh, back)) << "stored frame " << i;
                }
            }
            if (c.recolours) { // one pattern for every frame
                EXPECT_EQ(store.memoryBytes(), firstBytes);
            }
        }
    }
}

TEST(AnimFrameMaker, AStoppedFrameStopsAsADrawingDoesAndIsNotRecolouredFrom) {
    const GColor set = rainbowSet();
    const DrawParams params = takeDrawSnapshot(allComponents(300, 20)); // G = 4, F = 20
    AnimFrameMaker maker(params, set, {});
    ASSERT_TRUE(maker.recolours());
    Canvas frames, full;
    // Stopped in the first frame: no pattern yet, the next frame is drawn in full again.
    Recorder stopFirst(3), stopFull(3);
    DrawParams p = params;
    p.phase = 20;
    EXPECT_EQ(maker.draw(20, frames, &stopFirst).outcome, DrawOutcome::Stopped);
    DrawMain(p, set, full, &stopFull);
    EXPECT_TRUE(sameCanvas(full, frames));
    EXPECT_EQ(stopFirst.events, stopFull.events);
    for (int phase : {30, 40}) {
        Recorder stop(5), expected(5);
        p.phase = phase;
        const DrawResult r = maker.draw(phase, frames, &stop);
        const DrawResult e = DrawMain(p, set, full, &expected);
        EXPECT_EQ(r.outcome, DrawOutcome::Stopped);
        EXPECT_EQ(r.columnsDrawn, e.columnsDrawn);
        EXPECT_TRUE(sameCanvas(full, frames)) << phase; // the rest black
        EXPECT_EQ(stop.events, expected.events);
        EXPECT_EQ(stop.events.back(), "stopped");
    }
    // A refused drawing changes nothing.
    GColor oneColor = set;
    oneColor.colorCount = 1;
    AnimFrameMaker refused(params, oneColor, {});
    const Canvas before = frames;
    Recorder none;
    EXPECT_EQ(refused.draw(5, frames, &none).outcome, DrawOutcome::Refused);
    EXPECT_TRUE(none.events.empty());
    EXPECT_TRUE(sameCanvas(before, frames));
}

// ---- files -----------------------------------------------------------------------------

// Smooth: two components of small amplitude, so that the colors change slowly.
std::vector<Canvas> sampleFrames(int n, int width = 45, int height = 31, bool smooth = false) {
    const GColor set = rainbowSet();
    ParamFields fields = fieldsWith(width, height, {0, 1, 3});
    if (smooth) {
        fields.componentOn[3] = false;
        fields.values[1] = "40";
        fields.values[3] = "30";
    }
    const DrawParams params = takeDrawSnapshot(fields);
    AnimFrameMaker maker(params, set, {});
    std::vector<Canvas> frames;
    Canvas canvas;
    for (int i = 1; i <= n; ++i) {
        EXPECT_EQ(maker.draw(animFramePhase(0, 99, n, i), canvas).outcome, DrawOutcome::Completed);
        frames.push_back(canvas);
    }
    return frames;
}

AnimatedWriteResult writeFrames(AnimatedFormat format, const std::string& path,
                                const std::vector<Canvas>& frames, int count, int stopAt = -1,
                                std::vector<int>* asked = nullptr) {
    return writeAnimatedFile(
        {format, path, count, 70},
        [&](int k, Canvas& out) {
            if (k < 0 || static_cast<std::size_t>(k) >= frames.size())
                return false;
            out = frames[static_cast<std::size_t>(k)];
            return true;
        },
        [&](int k) {
            if (asked)
                asked->push_back(k);
            return k != stopAt;
        });
}

TEST(AnimatedFile, FormatFollowsTheEndOfTheName) {
    EXPECT_EQ(animatedFormatFor("/a/b.webp"), AnimatedFormat::WebP);
    EXPECT_EQ(animatedFormatFor("B.WebP"), AnimatedFormat::WebP);
    EXPECT_EQ(animatedFormatFor("x.GIF"), AnimatedFormat::Gif);
    EXPECT_EQ(animatedFormatFor("/a/anim"), std::nullopt);
    EXPECT_EQ(animatedFormatFor("/a/gif"), std::nullopt);
    EXPECT_EQ(animatedFormatFor("x.bmp"), std::nullopt);
    EXPECT_EQ(videoFormatFor("/a/b.mp4"), VideoFormat::Mp4);
    EXPECT_EQ(videoFormatFor("B.WebM"), VideoFormat::WebM);
    EXPECT_EQ(videoFormatFor("/a/mp4"), std::nullopt);
    EXPECT_EQ(videoFormatFor("x.webp"), std::nullopt);
    EXPECT_EQ(animatedFormatFor("x.mp4"), std::nullopt);
}

TEST(AnimatedFile, WebPIsLosslessLoopsAndShowsEachFrameForItsTime) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(5);
    const std::string path = (temp.path() / "anim.webp").string();
    std::vector<int> asked;
    const AnimatedWriteResult w = writeFrames(AnimatedFormat::WebP, path, frames, 5, -1, &asked);
    ASSERT_TRUE(w.result.ok()) << w.result.failureMessage()->text;
    EXPECT_FALSE(w.stopped);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2, 3, 4}));

    std::string bytes;
    ASSERT_FALSE(readWholeFile(path, bytes, 1 << 26));
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    WebPAnimDecoderOptions options;
    ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    ASSERT_NE(decoder, nullptr);
    WebPAnimInfo info;
    ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
    EXPECT_EQ(info.frame_count, 5u);
    EXPECT_EQ(info.canvas_width, 45u);
    EXPECT_EQ(info.canvas_height, 31u);
    EXPECT_EQ(info.loop_count, 0u);
    int k = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        std::uint8_t* rgba = nullptr;
        int timestamp = 0;
        ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &rgba, &timestamp));
        EXPECT_EQ(timestamp, 70 * (k + 1)); // the end of the frame
        Canvas decoded(45, 31);
        for (int i = 0; i < 45 * 31; ++i)
            for (int ch = 0; ch < 3; ++ch)
                decoded.data()[3 * i + ch] = rgba[4 * i + ch];
        EXPECT_TRUE(sameCanvas(frames[static_cast<std::size_t>(k)], decoded)) << "frame " << k;
        ++k;
    }
    EXPECT_EQ(k, 5);
    WebPAnimDecoderDelete(decoder);
}

TEST(AnimatedFile, GifHasOnePaletteForEveryFrameAndLoopsForever) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(4);
    const std::string path = (temp.path() / "anim.gif").string();
    const AnimatedWriteResult w = writeFrames(AnimatedFormat::Gif, path, frames, 4);
    ASSERT_TRUE(w.result.ok()) << w.result.failureMessage()->text;

    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->ImageCount, 4);
    EXPECT_EQ(gif->SWidth, 45);
    EXPECT_EQ(gif->SHeight, 31);
    ASSERT_NE(gif->SColorMap, nullptr);
    // The loop extension comes before the first image, which carries it.
    bool loops = false;
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& b = first.ExtensionBlocks[i];
        const ExtensionBlock& next = first.ExtensionBlocks[i + 1];
        if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
            std::string(reinterpret_cast<char*>(b.Bytes), 11) == "NETSCAPE2.0")
            loops = next.ByteCount == 3 && next.Bytes[0] == 1 && next.Bytes[1] == 0 &&
                    next.Bytes[2] == 0;
    }
    EXPECT_TRUE(loops);
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        EXPECT_EQ(image.ImageDesc.ColorMap, nullptr) << "no palette of its own";
        EXPECT_EQ(image.ImageDesc.Width, 45);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, k, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 7);
        // Close to the frame: a palette of up to 256 colors for these smooth frames.
        double error2 = 0;
        for (int i = 0; i < 45 * 31; ++i) {
            const GifColorType c = gif->SColorMap->Colors[image.RasterBits[i]];
            const std::uint8_t* p = frames[static_cast<std::size_t>(k)].data() + 3 * i;
            error2 += std::abs(c.Red - p[0]) + std::abs(c.Green - p[1]) + std::abs(c.Blue - p[2]);
        }
        EXPECT_LT(error2 / (45 * 31 * 3), 6.0) << "frame " << k;
    }
    DGifCloseFile(gif, &error);
}

TEST(AnimatedFile, AWebPThatCannotStayWithin4GiBIsRefusedUpFront) {
    // Noise in every byte: lossless coding keeps about its 3 bytes a pixel (786 KB here).
    Canvas noise(512, 512);
    unsigned s = 7;
    for (std::size_t i = 0; i < noise.rowBytes() * 512; ++i) {
        s = s * 1103515245u + 12345u;
        noise.data()[i] = static_cast<std::uint8_t>(s >> 24);
    }
    EXPECT_TRUE(checkAnimatedFileFits(AnimatedFormat::WebP, noise, 4000).ok());      // ~3.1 GB
    const Result refused = checkAnimatedFileFits(AnimatedFormat::WebP, noise, 7000); // ~5.5 GB
    ASSERT_FALSE(refused.ok());
    const std::string& text = refused.failureMessage()->text;
    EXPECT_EQ(text.rfind("WebP ファイルは 4 GB までですが、512 × 512 のフレーム 7000 枚は約 5.", 0),
              0u)
        << text;
    EXPECT_TRUE(text.ends_with(" GB になるため保存できません。\r\nBMP の連番で保存して下さい。"))
        << text;
    EXPECT_EQ(refused.failureMessage()->icon, MessageIcon::Critical);
    // Smooth frames compress to little; GIF has no such limit.
    EXPECT_TRUE(checkAnimatedFileFits(AnimatedFormat::WebP, sampleFrames(1)[0], 7000).ok());
    EXPECT_TRUE(checkAnimatedFileFits(AnimatedFormat::Gif, noise, 7000).ok());
}

TEST(AnimatedFile, AGifGoesToItsFileFrameByFrame) {
    const TempFolder temp;
    std::vector<Canvas> frames;
    for (unsigned k = 0; k < 4; ++k)
        frames.push_back(noiseFrame(256, 256, k));
    std::uintmax_t writtenBeforeLast = 0;
    int taken = 0;
    const AnimatedWriteResult w =
        writeAnimatedFile({AnimatedFormat::Gif, (temp.path() / "a.gif").string(), 4, 70},
                          [&](int k, Canvas& out) {
                              // The second pass over the frames, at its last: the earlier ones are
                              // on disk.
                              if (++taken == 8)
                                  for (const auto& e : fs::directory_iterator(temp.path()))
                                      writtenBeforeLast += e.file_size();
                              out = frames[static_cast<std::size_t>(k)];
                              return true;
                          },
                          {});
    ASSERT_TRUE(w.result.ok());
    EXPECT_GT(writtenBeforeLast, 3u * 256 * 256 / 4) << "three frames' worth at least";
    EXPECT_GT(fs::file_size(temp.path() / "a.gif"), writtenBeforeLast);
}

TEST(AnimatedFile, StopWritesNothingAndAMissingFrameFailsWithoutAFile) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(3);
    for (AnimatedFormat format : {AnimatedFormat::WebP, AnimatedFormat::Gif}) {
        const std::string path = (temp.path() / "a").string();
        AnimatedWriteResult w = writeFrames(format, path, frames, 3, 2);
        EXPECT_TRUE(w.stopped);
        EXPECT_TRUE(w.result.ok());
        w = writeFrames(format, path, frames, 4); // one frame more than there are
        EXPECT_FALSE(w.stopped);
        ASSERT_FALSE(w.result.ok());
        EXPECT_EQ(w.result.failureMessage()->text,
                  "フレームがありません。\r\n保存を中止しました。");
        EXPECT_EQ(w.result.failureMessage()->icon, MessageIcon::Critical);
        EXPECT_TRUE(fs::is_empty(temp.path())); // not even a temporary file
        // A folder that does not exist: the system's text.
        w = writeFrames(format, (temp.path() / "none" / "a.gif").string(), frames, 3);
        ASSERT_FALSE(w.result.ok());
        EXPECT_NE(w.result.failureMessage()->text.find("\r\n保存を中止しました。"),
                  std::string::npos);
    }
}

VideoJob videoJob(VideoFormat format, const std::string& path, int frames) {
    VideoJob job;
    job.format = format;
    job.path = path;
    job.frames = frames;
    return job;
}

Result writeVideo(const VideoJob& job, const std::vector<Canvas>& frames) {
    VideoWriter video(job);
    for (const Canvas& frame : frames)
        if (Result r = video.add(frame); !r.ok())
            return r;
    return video.finish();
}

// The picture as the video holds it: odd sides grown by a copy of the last column or row.
Canvas paddedToEven(const Canvas& picture) {
    Canvas padded(videoSide(picture.width()), videoSide(picture.height()));
    for (int y = 0; y < padded.height(); ++y)
        for (int x = 0; x < padded.width(); ++x)
            padded.setPixel(x, y, picture.pixel(std::min(x, picture.width() - 1),
                                                std::min(y, picture.height() - 1)));
    return padded;
}

TEST(VideoFile, EveryFrameDecodesAtItsSizeTimeAndQuality) {
    const TempFolder temp;
    struct Case {
        VideoFormat format;
        int width, height;         // the picture's
        int videoWidth, videoHeight;
        std::string codec;
    };
    // AV1 below 64 pixels and from 64 on are two encoders.
    for (const Case& c : {Case{VideoFormat::Mp4, 64, 48, 64, 48, "h264"},
                          Case{VideoFormat::Mp4, 65, 47, 66, 48, "h264"},
                          Case{VideoFormat::WebM, 64, 48, 64, 48, "av1"},
                          Case{VideoFormat::WebM, 65, 47, 66, 48, "av1"},
                          Case{VideoFormat::WebM, 65, 65, 66, 66, "av1"},
                          // Whole pages of pixels: nothing may be read beyond them.
                          Case{VideoFormat::Mp4, 1024, 704, 1024, 704, "h264"}}) {
        SCOPED_TRACE(c.codec + " " + std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::vector<Canvas> frames = sampleFrames(10, c.width, c.height, true);
        const std::string path = (temp.path() / (std::to_string(c.width) + std::to_string(c.height) +
                                                 (c.format == VideoFormat::Mp4 ? ".mp4" : ".webm")))
                                     .string();
        VideoJob job = videoJob(c.format, path, 10);
        job.frameTime = {70, 1000};
        const Result written = writeVideo(job, frames);
        ASSERT_TRUE(written.ok()) << written.failureMessage()->text;
        const DecodedVideo video = decodeVideo(path);
        ASSERT_TRUE(video.ok);
        EXPECT_EQ(video.codec, c.codec);
        EXPECT_EQ(video.pixels, "yuv420p");
        EXPECT_EQ(video.width, c.videoWidth);
        EXPECT_EQ(video.height, c.videoHeight);
        ASSERT_EQ(video.frames.size(), 10u);
        // Evenly timed from 0, the last frame as long as the others: a player's loop is seamless.
        EXPECT_NEAR(video.duration, 0.7, 0.0015);
        for (std::size_t k = 0; k < 10; ++k) {
            EXPECT_NEAR(video.starts[k], 0.07 * static_cast<double>(k), 0.0015) << k;
            EXPECT_GE(psnr(paddedToEven(frames[k]), video.frames[k]), 40.0) << k;
        }
    }
    // The scale: a lower quality makes a smaller file.
    const std::vector<Canvas> frames = sampleFrames(10, 64, 48, true);
    std::uintmax_t bytes[3] = {};
    for (int i = 0; const int quality : {kMinVideoQuality, kDefaultVideoQuality, kMaxVideoQuality}) {
        const fs::path path = temp.path() / ("q" + std::to_string(quality) + ".mp4");
        VideoJob job = videoJob(VideoFormat::Mp4, path.string(), 10);
        job.quality = quality;
        ASSERT_TRUE(writeVideo(job, frames).ok());
        bytes[i++] = fs::file_size(path);
    }
    EXPECT_LT(bytes[0], bytes[1]);
    EXPECT_LT(bytes[1], bytes[2]);
}

TEST(VideoFile, AStoppedOrFailedVideoLeavesNoFile) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(3, 64, 48);
    for (const VideoFormat format : {VideoFormat::Mp4, VideoFormat::WebM}) {
        const std::string path = (temp.path() / "a").string();
        {
            VideoWriter stopped(videoJob(format, path, 3));
            ASSERT_TRUE(stopped.add(frames[0]).ok());
            ASSERT_TRUE(stopped.add(frames[1]).ok());
        }
        EXPECT_TRUE(fs::is_empty(temp.path())); // not even a temporary file
        VideoWriter mixed(videoJob(format, path, 3));
        ASSERT_TRUE(mixed.add(frames[0]).ok());
        const Result r = mixed.add(sampleFrames(1, 66, 48)[0]);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.failureMessage()->text, "フレームの大きさが揃っていません。\r\n保存を中止しました。");
        EXPECT_EQ(r.failureMessage()->icon, MessageIcon::Critical);
        EXPECT_FALSE(mixed.add(frames[1]).ok());
        EXPECT_FALSE(mixed.finish().ok());
        EXPECT_TRUE(fs::is_empty(temp.path()));
        VideoWriter empty(videoJob(format, path, 3));
        ASSERT_FALSE(empty.finish().ok());
        EXPECT_EQ(empty.finish().failureMessage()->text,
                  "フレームがありません。\r\n保存を中止しました。");
        // A folder that does not exist: the system's text.
        VideoWriter gone(videoJob(format, (temp.path() / "none" / "a.mp4").string(), 3));
        const Result g = gone.add(frames[0]);
        ASSERT_FALSE(g.ok());
        EXPECT_TRUE(g.failureMessage()->text.ends_with("\r\n保存を中止しました。"));
    }
    // A size the encoder does not take is told with the size.
    VideoWriter tall(videoJob(VideoFormat::WebM, (temp.path() / "tall.webm").string(), 1));
    const Result t = tall.add(Canvas(64, 8706));
    ASSERT_FALSE(t.ok());
    EXPECT_EQ(t.failureMessage()->text.rfind("64 × 8706 の動画は作れません（libsvtav1: ", 0), 0u)
        << t.failureMessage()->text;
    EXPECT_TRUE(fs::is_empty(temp.path()));
    // The file it replaces stays whole until the new one is finished.
    const fs::path old = temp.path() / "old.mp4";
    ASSERT_FALSE(writeFileAtomically(old, "an older video"));
    {
        VideoWriter replacing(videoJob(VideoFormat::Mp4, old.string(), 3));
        ASSERT_TRUE(replacing.add(frames[0]).ok());
    }
    std::string bytes;
    ASSERT_FALSE(readWholeFile(old, bytes));
    EXPECT_EQ(bytes, "an older video");
    ASSERT_TRUE(writeVideo(videoJob(VideoFormat::Mp4, old.string(), 3), frames).ok());
    EXPECT_EQ(decodeVideo(old.string()).frames.size(), 3u);
}

TEST(FrameFileWriting, FrameBmpIsTheSingleImageFormatAndFailuresSayWhy) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(1);
    const std::string path = (temp.path() / "anim01.bmp").string();
    ASSERT_TRUE(writeFrameBmp(path, frames[0]).ok());
    std::string bytes;
    ASSERT_FALSE(readWholeFile(path, bytes));
    const auto decoded = decodeBmp(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(sameCanvas(frames[0], *decoded));
    const Result failed = writeFrameBmp((temp.path() / "none" / "a.bmp").string(), frames[0]);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.failureMessage()->text,
              systemErrorText(std::make_error_code(std::errc::no_such_file_or_directory)) +
                  "\r\n保存を中止しました。");
}

TEST(FrameSeriesWriter, WritesEveryFrameWholeAndStopsAtTheFirstFailure) {
    const TempFolder temp;
    const std::vector<Canvas> frames = sampleFrames(6);
    {
        FrameSeriesWriter writer(2);
        for (int k = 0; k < 6; ++k)
            ASSERT_TRUE(writer
                            .write(frameFileName(temp.str() + "/f", k, 1),
                                   frames[static_cast<std::size_t>(k)])
                            .ok());
        ASSERT_TRUE(writer.finish().ok());
        for (int k = 0; k < 6; ++k) {
            std::string bytes;
            ASSERT_FALSE(readWholeFile(frameFileName(temp.str() + "/f", k, 1), bytes));
            const auto decoded = decodeBmp(bytes);
            ASSERT_TRUE(decoded);
            EXPECT_TRUE(sameCanvas(frames[static_cast<std::size_t>(k)], *decoded)) << k;
        }
    }
    FrameSeriesWriter writer(2);
    ASSERT_TRUE(writer.write(temp.str() + "/ok.bmp", frames[0]).ok());
    const std::string bad = temp.str() + "/none/x.bmp";
    ASSERT_TRUE(writer.write(bad, frames[1]).ok()); // queued; fails later
    Result later;
    for (int k = 0; k < 50 && later.ok(); ++k)
        later = writer.write(temp.str() + "/later" + std::to_string(k) + ".bmp", frames[2]);
    const Result finished = writer.finish();
    ASSERT_FALSE(finished.ok());
    EXPECT_EQ(finished.failureMessage()->text,
              systemErrorText(std::make_error_code(std::errc::no_such_file_or_directory)) +
                  "\r\n保存を中止しました。\r\n保存したのは ok.bmp だけです。x.bmp "
                  "から後は揃っていません。");
    EXPECT_FALSE(later.ok()) << "a failure stops the series";
    EXPECT_TRUE(fs::exists(temp.str() + "/ok.bmp"));
}

TEST(FrameSeriesWriter, AFullDiskNamesTheFramesWrittenAndTheFirstMissing) {
    const std::vector<Canvas> frames = sampleFrames(1);
    const std::string full = "ディスクの空き領域が足りません。\r\n保存を中止しました。";
    struct Case {
        unsigned threads;
        int failAt;
        std::string note; // after the fixed sentence
    };
    for (const Case& c :
         {Case{3, 4,
               "\r\n保存したのは a01.bmp から a04.bmp までです。a05.bmp から後は揃っていません。"},
          {1, 1, "\r\n保存したのは a01.bmp だけです。a02.bmp から後は揃っていません。"},
          {2, 0, ""}}) {
        SCOPED_TRACE(c.failAt);
        const TempFolder temp;
        // The disk fills up at frame failAt (0-based): that file and every later one fail.
        FrameSeriesWriter writer(c.threads, [&](const std::string& path, const Canvas& frame) {
            if (path >= frameFileName(temp.str() + "/a", c.failAt + 1, 2))
                return std::make_error_code(std::errc::no_space_on_device);
            return writeBmp(path, frame);
        });
        Result written;
        for (int k = 0; k < 10 && written.ok(); ++k)
            written = writer.write(frameFileName(temp.str() + "/a", k + 1, 2), frames[0]);
        const Result finished = writer.finish();
        ASSERT_FALSE(finished.ok());
        EXPECT_EQ(finished.failureMessage()->text, full + c.note);
        if (!written.ok()) {
            EXPECT_EQ(written.failureMessage()->text, finished.failureMessage()->text);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()),
                  c.failAt);
    }
}

} // namespace
