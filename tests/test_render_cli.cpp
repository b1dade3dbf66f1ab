// The command-line renderer, run as a process the way a user runs it.

#include "BmpReading.h"
#include "TempFolder.h"
#include "VideoReading.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/RandomSource.h"
#include "engine/ReferenceRenderer.h"
#include "io/AtomicFile.h"
#include "io/ParamTextFile.h"
#include "io/IniFile.h"
#include "params/DrawParams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

class RenderCli : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("WAVORY_HOME", (dir_ / "home").c_str(), 1); }

    struct Run {
        int status = -1;
        std::string err;
    };
    // `shell`: what the shell runs before the program (limits, the environment).
    Run run(const std::string& args, const std::string& shell = {}) {
        const std::string errFile = (dir_ / "stderr.txt").string();
        const std::string command =
            shell + " " + std::string(WAVORY_RENDER_EXE) + " " + args + " 2>" + errFile;
        const int raw = std::system(command.c_str());
        Run r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        readWholeFile(errFile, r.err);
        return r;
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string writeParams(const std::string& name, const ParamFields& fields,
                            const std::string& setName = "虹") {
        const std::string p = path(name);
        EXPECT_TRUE(writeParamTextFile(p, fields, setName).ok());
        return p;
    }
    Canvas readBmp(const std::string& name) {
        std::string bytes;
        EXPECT_FALSE(readWholeFile(path(name), bytes));
        auto canvas = decodeBmp(bytes);
        EXPECT_TRUE(canvas);
        return canvas.value_or(Canvas{});
    }
    // What the program draws for these fields onto a canvas, one drawing after the other.
    static Canvas expected(const std::vector<ParamFields>& drawings, std::uint64_t seed) {
        RandomSource random(seed);
        Canvas canvas;
        for (const auto& f : drawings) {
            const DrawParams p = takeDrawSnapshot(f);
            if (canvas.width() != p.width || canvas.height() != p.height)
                canvas.resize(p.width, p.height);
            ReferenceRenderer::render(p,
                                      builtinColorSets()[static_cast<std::size_t>(f.colorSetIndex)],
                                      random.nextBits(), canvas);
        }
        return canvas;
    }

    const wavory::testing::TempFolder temp_;
    const fs::path dir_ = temp_.path();
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif

ParamFields smallPicture() {
    ParamFields f;
    f.componentOn = {true, false, true, true, false, true, true, true};
    f.values = {"7", "90", "1", "0", "11", "60", "5", "80", "9",
                "2", "1", "0", "300", "40", "2", "70", "1", "50"};
    f.center = {"3", "-4"};
    f.bleed = "30";
    f.width = 37;
    f.height = 23;
    f.colorSetIndex = 2; // 虹
    f.phase = 17;
    f.frame.enabled = true;
    f.frame.width = "5";
    f.frame.height = "4";
    f.frame.color = 0x3080C0;
    return f;
}

} // namespace

TEST_F(RenderCli, RendersAFileExactlyAsTheEngineDrawsIt) {
    const ParamFields f = smallPicture();
    const auto r =
        run(writeParams("a.txt", f) + " -o " + path("out.bmp") + " --seed 42 --threads 3");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readBmp("out.bmp") == expected({f}, 42));
    // The same seed gives the same noise; another seed other noise.
    ASSERT_EQ(run(path("a.txt") + " -o " + path("again.bmp") + " --seed 42 --threads 1").status, 0);
    EXPECT_TRUE(readBmp("again.bmp") == readBmp("out.bmp"));
    ASSERT_EQ(run(path("a.txt") + " -o " + path("other.bmp") + " --seed 43").status, 0);
    EXPECT_FALSE(readBmp("other.bmp") == readBmp("out.bmp"));
}

TEST_F(RenderCli, LayersDrawingsWithTheirModesAndStartsAfreshOnANewSize) {
    ParamFields a = smallPicture();
    a.bleed = "0";
    ParamFields b = a;
    b.mode = DrawMode::Xor;
    const std::string fa = writeParams("a.txt", a);
    // Normal then XOR with the same parameters: all black; a further XOR brings it back.
    ASSERT_EQ(run(fa + " --mode XOR " + fa + " -o " + path("black.bmp")).status, 0);
    const Canvas black = readBmp("black.bmp");
    for (int x = 0; x < black.width(); ++x)
        for (int y = 0; y < black.height(); ++y) ASSERT_EQ(black.pixel(x, y), (Rgb{0, 0, 0}));
    ASSERT_EQ(run(fa + " --mode xor " + fa + " --mode 通常 " + fa + " --mode XOR " + fa +
                  " --mode XOR " + fa + " -o " + path("back.bmp"))
                  .status,
              0);
    EXPECT_TRUE(readBmp("back.bmp") == expected({a}, 1));

    // A second file of another size draws on a new, cleared canvas.
    ParamFields c = a;
    c.width = 20;
    c.height = 20;
    c.mode = DrawMode::Or;
    const std::string fc = writeParams("c.txt", c);
    ASSERT_EQ(run(fa + " --mode OR " + fc + " -o " + path("c.bmp")).status, 0);
    EXPECT_TRUE(readBmp("c.bmp") == expected({c}, 1));
}

TEST_F(RenderCli, OlderFormatsKeepTheStartUpValues) {
    // Format 2: no size, color set, phase or frame in the file.
    std::ofstream(path("old.txt"), std::ios::binary)
        << "[v]\r\n 2 \r\n[a]\r\nOn \r\n30,100\r\n[b]\r\nOff\r\n1,0\r\n[c]\r\nOff\r\n1,0\r\n"
           "[d]\r\nOff\r\n1,0,1\r\n[e]\r\nOff\r\n1,0\r\n[f]\r\nOff\r\n1,0\r\n[g]\r\nOff\r\n1,0\r\n"
           "[h]\r\nOff\r\n1,0\r\n[p]\r\n1\r\n[c]\r\n0,0\r\n[n]\r\n0\r\n";
    const auto r =
        run(path("old.txt") + " -o " + path("old.bmp") + " --write-params " + path("written.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    ParamFields f;
    f.componentOn = {true, false, false, false, false, false, false, false};
    f.values[0] = "30";
    f.values[1] = "100";
    const Canvas picture = readBmp("old.bmp");
    EXPECT_EQ(picture.width(), 200);
    EXPECT_EQ(picture.height(), 200);
    EXPECT_TRUE(picture == expected({f}, 0)) << "first color set, phase 0, frame off";

    // The written parameter file is format 4 and draws the same picture again.
    ParamFields back;
    ASSERT_TRUE(readParamTextFile(path("written.txt"), back, {"紫水黄"}).ok());
    EXPECT_EQ(back.width, 200);
    ASSERT_EQ(run(path("written.txt") + " -o " + path("again.bmp")).status, 0);
    EXPECT_TRUE(readBmp("again.bmp") == picture);
}

TEST_F(RenderCli, WarnsAboutAMissingColorSetAndUsesTheFirst) {
    ParamFields f = smallPicture();
    f.bleed = "0";
    const auto r = run(writeParams("a.txt", f, "どこにもない") + " -o " + path("out.bmp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("色セット\"どこにもない\"が存在しません。"), std::string::npos) << r.err;
    f.colorSetIndex = 0;
    EXPECT_TRUE(readBmp("out.bmp") == expected({f}, 0));
}

TEST_F(RenderCli, FailuresGiveTheMessageAndLeaveNoFile) {
    std::ofstream(path("notes.txt"), std::ios::binary) << "shopping list\r\nmilk\r\n";
    auto r = run(path("notes.txt") + " -o " + path("out.bmp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("このファイルは読み込めません。"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.bmp")));

    r = run(path("missing.txt") + " -o " + path("out.bmp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("読み込み中にエラーが発生しました。\nこのファイルは読み込めません。"), std::string::npos)
        << r.err;

    ParamFields off = smallPicture();
    off.componentOn.fill(false);
    r = run(writeParams("off.txt", off) + " -o " + path("out.bmp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("成分が一つも選択されていません。"), std::string::npos) << r.err;

    const std::string good = writeParams("good.txt", smallPicture());
    // Option values out of range fail before any file is read or drawn: the missing
    // parameter file is never reported.
    for (const std::string option :
         {"--quality 0", "--quality 101", "--quality x", "--png-mode 3", "--png-mode -1",
          "--threads 257", "--threads x", "--seed -1", "--seed 1.5", "--anim 0,99",
          "--anim 0,100,10", "--anim 0,99,0", "--anim 0,99,1000", "--anim -1,5,3", "--anim 1.5,9,3",
          "--start -1", "--start 100000000", "--digits 0", "--digits 9", "--size 3x100",
          "--size 100x16385", "--size 16385x4", "--size 100", "--size 10x10x", "--size x20",
          "--fps 0", "--fps 0.999", "--fps 240.001", "--fps x", "--fps 2.", "--fps 12.3456"}) {
        r = run(path("missing.txt") + " -o " + path("out.png") + " " + option + " --write-params " +
                path("w.txt"));
        EXPECT_EQ(r.status, 1) << option;
        EXPECT_NE(r.err.find(option.substr(0, option.find(' ')) + " needs "), std::string::npos)
            << option << ": " << r.err;
        EXPECT_EQ(r.err.find("読み込み中"), std::string::npos) << option << ": " << r.err;
    }
    r = run(good + " -o " + path("no/such/folder/out.png"));
    EXPECT_NE(r.err.find("ファイルがオープンできません。"), std::string::npos) << r.err;
    r = run(good + " -o " + path("no/such/folder/out.bmp"));
    EXPECT_NE(r.err.find("保存に失敗しました。"), std::string::npos) << r.err;

    // A size the program holds to its range is drawn at that size, with a warning.
    ParamFields huge = smallPicture();
    huge.width = 5000;
    huge.height = 2;
    r = run(writeParams("huge.txt", huge) + " -o " + path("big.bmp"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("4..3000"), std::string::npos) << r.err;
    const Canvas big = readBmp("big.bmp");
    EXPECT_EQ(big.width(), 3000);
    EXPECT_EQ(big.height(), 4);
    fs::remove(path("big.bmp"));

    EXPECT_EQ(run("--bogus").status, 2);
    EXPECT_EQ(run(good).status, 2) << "no output named";
    EXPECT_EQ(run(good + " --start 3 -o " + path("out.bmp")).status, 2) << "--start without --anim";
    EXPECT_EQ(run(good + " --fps 30 -o " + path("out.bmp")).status, 2) << "--fps without --anim";
    EXPECT_EQ(run(good + " -o " + path("out.MP4")).status, 2) << "a video without --anim";
    EXPECT_EQ(run(good + " " + good + " --anim 0,99,2 -o " + path("out")).status, 2)
        << "--anim with two files";
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
}

TEST_F(RenderCli, DrawsEveryLayerAtTheSizeGivenWhateverTheFilesSay) {
    ParamFields a = smallPicture();
    ParamFields b = smallPicture();
    b.bleed = "0";
    b.mode = DrawMode::Xor;
    b.width = 9000; // held to 3000 without --size, with a warning
    const std::string files = writeParams("a.txt", a) + " --mode xor " + writeParams("b.txt", b);
    for (auto [w, h] : {std::pair{5000, 7}, std::pair{4, 16384}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        SCOPED_TRACE(size);
        a.width = b.width = w;
        a.height = b.height = h;
        const auto r = run(files + " --size " + size + " --seed 7 -o " + path("big.bmp") +
                           " --write-params " + path("w.txt"));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_TRUE(readBmp("big.bmp") == expected({a, b}, 7));
        ParamFields written;
        ASSERT_TRUE(readParamTextFile(path("w.txt"), written, {"虹"}).ok());
        EXPECT_EQ(written.width, w); // the size drawn
        EXPECT_EQ(written.height, h);
    }
}

TEST_F(RenderCli, ALargePictureThatCannotBeHeldOrSavedIsRefusedBeforeDrawing) {
    const std::string good = writeParams("good.txt", smallPicture());
    // 16384 x 16384 takes gigabytes: refused with both amounts, before anything is drawn.
    const std::string little = "WAVORY_MEMORY_AVAILABLE=300000000";
    auto r = run(good + " --size 16384x16384 -o " + path("big.png"), little);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("メモリが足りないため描画できません。\nこの画像には約 ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(" GB のメモリが必要ですが、使えるのは 287 MB です。"), std::string::npos)
        << r.err;
    EXPECT_EQ(run(good + " --size 4x16384 -o " + path("thin.png"), little).status, 0);
    // The AV1 encoder's window of frames ahead is counted: far beyond the picture itself.
    r = run(good + " --anim 0,99,2 --size 2000x2000 -o " + path("big.webm"), little);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_FALSE(fs::exists(path("big.webm")));
    // Memory that runs out all the same ends with the message, and no file. (Under
    // AddressSanitizer, whose shadow memory is address space, no such limit can be set.)
    if (kAddressSpaceCanBeLimited) {
        r = run(good + " --size 16384x16384 -o " + path("big.png"),
                "ulimit -v 700000; WAVORY_MEMORY_AVAILABLE=100000000000000");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "メモリが不足しています。\n");
        EXPECT_FALSE(fs::exists(path("big.png")));
    }

    // An animated WebP holds 16383 pixels a side; GIF and the BMP series take more.
    const std::string cache = "XDG_CACHE_HOME=" + path("cache");
    r = run(good + " --anim 0,99,2 --size 4x16384 -o " + path("tall.webp"), cache);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("WebP ファイルの幅と高さは 16383 ピクセルまでのため、4 × 16384 の", 0), 0u)
        << r.err;
    EXPECT_FALSE(fs::exists(path("tall.webp")));
    for (const char* name : {"tall.webp", "tall.gif"}) {
        const char* size = std::string_view(name).ends_with("webp") ? "4x16383" : "4x16384";
        r = run(good + " --anim 0,99,2 --size " + size + " -o " + path(name), cache);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    }
}

TEST_F(RenderCli, AnimationFramesAreTheDrawingsOfTheirPhases) {
    // Bleed and frame: every frame drawn in full, all with one noise key.
    const ParamFields f = smallPicture();
    const std::string file = writeParams("a.txt", f);
    fs::create_directory(path("out"));
    auto r = run(file + " --anim 0,99,10 -o " + path("out/anim") + " --seed 42 --write-params " +
                 path("w.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::uint64_t key = RandomSource(42).nextBits();
    const int phases[] = {0, 10, 20, 30, 40, 50, 59, 69, 79, 89};
    for (int k = 0; k < 10; ++k) {
        ParamFields at = f;
        at.phase = phases[k];
        Canvas canvas(f.width, f.height);
        ReferenceRenderer::render(takeDrawSnapshot(at), builtinColorSets()[2], key, canvas);
        const std::string name =
            "out/anim" + std::string(k + 1 < 10 ? "0" : "") + std::to_string(k + 1) + ".bmp";
        EXPECT_TRUE(readBmp(name) == canvas) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(path("out")), fs::directory_iterator()), 10);
    ParamFields written;
    ASSERT_TRUE(readParamTextFile(path("w.txt"), written, {"虹"}).ok());
    EXPECT_EQ(written.phase, 89); // where the window leaves the phase

    // XOR: each frame combines with the one before, starting from a black canvas.
    ParamFields x = f;
    x.bleed = "0";
    r = run("--mode XOR " + writeParams("x.txt", x) + " --anim 90,10,3 --start 7 --digits 1 -o " +
            path("x-"));
    ASSERT_EQ(r.status, 0) << r.err;
    Canvas combined(f.width, f.height);
    const int downwards[] = {90, 63, 37}; // 90 - 80 / 3 x (i - 1)
    for (int k = 0; k < 3; ++k) {
        ParamFields at = x;
        at.phase = downwards[k];
        at.mode = DrawMode::Xor;
        ReferenceRenderer::render(takeDrawSnapshot(at), builtinColorSets()[2], 0, combined);
        EXPECT_TRUE(readBmp("x-" + std::to_string(7 + k) + ".bmp") == combined) << k;
    }

    // The last number needs a third digit: nothing is written.
    r = run(file + " --anim 0,99,10 --start 95 -o " + path("d/anim"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "連番の桁数が足りません。\n");
    EXPECT_FALSE(fs::exists(path("d")));
    fs::create_directory(path("d"));
    r = run(file + " --anim 0,99,10 --start 95 -o " + path("d/anim"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(fs::is_empty(path("d")));
    ASSERT_EQ(run(file + " --anim 0,99,10 --start 95 --digits 3 -o " + path("d/anim")).status, 0);
    EXPECT_TRUE(fs::exists(path("d/anim095.bmp")));
    EXPECT_TRUE(fs::exists(path("d/anim104.bmp")));
    EXPECT_FALSE(fs::exists(path("d/anim105.bmp")));
    ASSERT_EQ(run(file + " --anim 0,99,100 --start 0 -o " + path("d/z")).status, 0); // up to 99
    EXPECT_TRUE(fs::exists(path("d/z99.bmp")));

    // One animated file; the digits do not matter there.
    for (const char* name : {"a.webp", "b.GIF"}) {
        r = run(file + " --anim 5,50,4 --start 99 --digits 1 -o " + path(name));
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        std::string bytes;
        ASSERT_FALSE(readWholeFile(path(name), bytes));
        if (std::string(name) == "a.webp")
            EXPECT_EQ(bytes.substr(8, 4), "WEBP");
        else
            EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    }
    r = run(file + " --anim 5,50,4 -o " + path("no/such/folder/a.webp"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("保存を中止しました。"), std::string::npos) << r.err;

    // Videos: every frame at its time, the odd sides grown to even ones.
    for (const auto& [name, codec] : {std::pair{"c.mp4", "h264"}, {"d.WebM", "av1"}}) {
        r = run(file + " --anim 5,50,4 --fps 12.5 --quality 90 -o " + path(name));
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        const wavory::testing::DecodedVideo video = wavory::testing::decodeVideo(path(name));
        ASSERT_TRUE(video.ok) << name;
        EXPECT_EQ(video.codec, codec);
        EXPECT_EQ(video.width, 38);
        EXPECT_EQ(video.height, 24);
        ASSERT_EQ(video.frames.size(), 4u) << name;
        EXPECT_NEAR(video.starts[3], 0.24, 0.0015) << name;
        EXPECT_NEAR(video.duration, 0.32, 0.0015) << name;
    }
    // The quality's scale: the least quality, the smaller file.
    ASSERT_EQ(run(file + " --anim 5,50,4 --quality 1 -o " + path("e.mp4")).status, 0);
    EXPECT_LT(fs::file_size(path("e.mp4")), fs::file_size(path("c.mp4")));
    r = run(file + " --anim 5,50,4 -o " + path("no/such/folder/a.mp4"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("保存を中止しました。"), std::string::npos) << r.err;
}

TEST_F(RenderCli, AnAnimationRemovesSpillFilesOfKilledRuns) {
    const fs::path cache = dir_ / "cache" / "wavory";
    fs::create_directories(cache);
    const fs::path killed = cache / "frames-k1Lm2N.spill", running = cache / "frames-Ab3dE4.spill";
    std::ofstream(killed) << "frames of a run that was killed";
    std::ofstream(running) << "frames of a run still going";
    const int held = ::open(running.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0); // as a living store holds its file
    const char* oldCache = std::getenv("XDG_CACHE_HOME");
    const std::string saved = oldCache ? oldCache : "";
    ::setenv("XDG_CACHE_HOME", (dir_ / "cache").c_str(), 1);
    const auto r = run(writeParams("a.txt", smallPicture()) + " --anim 5,50,3 -o " + path("a.gif"));
    if (oldCache)
        ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(running));
    ::close(held);
}

TEST_F(RenderCli, AWebPBeyondItsLimitIsRefusedAfterTheFirstFrame) {
    ParamFields noisy; // the rainbow sample with bleed: about 5 MB a frame as lossless WebP
    ASSERT_TRUE(readParamTextFile(WAVORY_SOURCE_DIR "/samples/rainbow.txt", noisy, {"虹"}).ok());
    noisy.bleed = "200";
    noisy.width = 3000;
    noisy.height = 1200;
    const std::string errFile = path("stderr.txt");
    // Bounded, so that a renderer drawing all 999 frames fails instead of taking minutes.
    const int raw =
        std::system(("XDG_CACHE_HOME=" + path("cache") + " timeout 60 " +
                     std::string(WAVORY_RENDER_EXE) + " " + writeParams("noisy.txt", noisy) +
                     " --anim 0,99,999 -o " + path("big.webp") + " 2>" + errFile)
                        .c_str());
    std::string err;
    readWholeFile(errFile, err);
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << err;
    EXPECT_EQ(err.rfind("WebP ファイルは 4 GB までですが、3000 × 1200 のフレーム 999 枚は約 ", 0),
              0u)
        << err;
    EXPECT_NE(err.find("BMP の連番で保存して下さい。"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(path("big.webp")));
}

TEST_F(RenderCli, ChoosesTheFormatByTheEndOfTheName) {
    const std::string good = writeParams("good.txt", smallPicture());
    for (const char* name : {"a.JPG", "b.jpeg", "c.png", "dpng", "e.gif", "f"}) {
        ASSERT_EQ(
            run(good + " -o " + path(name) + " --quality 80 --progressive --png-mode 2").status, 0)
            << name;
        std::string bytes;
        ASSERT_FALSE(readWholeFile(path(name), bytes));
        const std::string n = name;
        if (n == "a.JPG" || n == "b.jpeg")
            EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8") << name;
        else if (n == "c.png" || n == "dpng")
            EXPECT_EQ(bytes.substr(1, 3), "PNG") << name;
        else
            EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
    }
}

TEST_F(RenderCli, LooksTheColorSetUpInAColorSetFile) {
    ParamFields f = smallPicture();
    f.bleed = "0";
    const std::string good = writeParams("good.txt", f, "銅");
    const std::string metals = std::string(WAVORY_SOURCE_DIR) + "/colorset/metals.cst";
    const auto r = run(good + " --colorsets " + metals + " -o " + path("copper.bmp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;

    // The same picture drawn with that set directly.
    ColorSetCollection sets;
    IniFile ini;
    ini.initFile(metals);
    ASSERT_EQ(readColorSetsAtStartup(ini, sets).source, StartupColorSets::FromFile);
    const int copper = sets.indexOfName("銅");
    ASSERT_GE(copper, 0);
    Canvas canvas(f.width, f.height);
    ReferenceRenderer::render(takeDrawSnapshot(f), sets.at(copper), RandomSource(0).nextBits(),
                              canvas);
    EXPECT_TRUE(readBmp("copper.bmp") == canvas);

    // The built-in name is not in that file: warned, and the file's first set is used.
    const auto missing =
        run(writeParams("b.txt", f, "虹") + " --colorsets " + metals + " -o " + path("b.bmp"));
    EXPECT_EQ(missing.status, 0);
    EXPECT_NE(missing.err.find("色セット\"虹\"が存在しません。"), std::string::npos) << missing.err;

    EXPECT_EQ(run(good + " --colorsets " + path("none.cst") + " -o " + path("c.bmp")).status, 1);
    EXPECT_FALSE(fs::exists(path("c.bmp")));

    // Every sample file, single saved sets and the collection alike, gives its sets as the
    // program's load command reads them: the last one drawn by its name.
    for (const auto& entry : fs::directory_iterator(std::string(WAVORY_SOURCE_DIR) + "/colorset")) {
        const std::string file = entry.path().string();
        SCOPED_TRACE(file);
        ColorSetCollection loaded;
        ASSERT_TRUE(loadColorSetFile(file, loaded).outcome.ok());
        ASSERT_FALSE(loaded.empty());
        const GColor& last = loaded.at(loaded.colorSetCount() - 1);
        const auto drawn = run(writeParams("s.txt", f, last.name) + " --colorsets " + file +
                               " -o " + path("s.bmp"));
        ASSERT_EQ(drawn.status, 0) << drawn.err;
        EXPECT_TRUE(drawn.err.empty()) << drawn.err;
        Canvas sample(f.width, f.height);
        ReferenceRenderer::render(takeDrawSnapshot(f), last, RandomSource(0).nextBits(), sample);
        EXPECT_TRUE(readBmp("s.bmp") == sample);
    }
}

TEST_F(RenderCli, AColorSetFileThatCannotBeUsedFailsWithTheReason) {
    const std::string good = writeParams("good.txt", smallPicture());
    ASSERT_EQ(::mkfifo(path("fifo.cst").c_str(), 0600), 0);
    fs::create_directory(path("folder.cst"));
    std::ofstream(path("large.cst"), std::ios::binary) << "[ColorSet]\r\nCount=1\r\n";
    fs::resize_file(path("large.cst"), kMaxTextFileBytes + 1);
    const char junk[] = "\0\x89PNG\xff\xfe junk";
    std::ofstream(path("junk.cst"), std::ios::binary) << std::string(junk, sizeof junk - 1);
    // A collection whose only set has too few points to be used.
    std::ofstream(path("empty.cst"), std::ios::binary)
        << "[ColorSet]\r\nCount=1\r\n[ColorSet 0]\r\nColorSetName=a\r\nColorCount=1\r\n";
    const std::string notRegular = systemErrorText(make_error_code(FileError::NotRegularFile));
    const std::string damaged = "no color set can be read from it";
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {path("fifo.cst"), notRegular}, // read without waiting for a writer
        {path("folder.cst"), systemErrorText(std::make_error_code(std::errc::is_a_directory))},
        {"/dev/zero", notRegular},
        {path("missing.cst"),
         systemErrorText(std::make_error_code(std::errc::no_such_file_or_directory))},
        {path("large.cst"), systemErrorText(make_error_code(FileError::TooLarge))},
        {path("junk.cst"), damaged},
        {path("empty.cst"), damaged},
    };
    for (const auto& c : cases) {
        const auto r = run(good + " --colorsets " + c.file + " -o " + path("out.bmp"));
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_NE(r.err.find("読み込み時にエラーが発生しました。\n" + c.file + ": " + c.reason), std::string::npos)
            << c.file << ": " << r.err;
        EXPECT_FALSE(fs::exists(path("out.bmp"))) << c.file;
    }
}

TEST_F(RenderCli, VersionAsTheProgramGivesIt) {
    const auto r = run("--version >" + path("version.txt"));
    EXPECT_EQ(r.status, 0) << r.err;
    std::string text;
    ASSERT_FALSE(readWholeFile(path("version.txt"), text));
    EXPECT_EQ(text.rfind("wavory-render " WAVORY_VERSION "\nLicense GPL-3.0-or-later", 0), 0u)
        << text;
}

TEST_F(RenderCli, AColorSetNameSurvivesTheParameterFileItWrites) {
    // Names as Linux input methods type them; from CP932 each would read back as another
    // character.
    for (const std::string name : {"波\u301C", "線\u2016\u2212\u2014", "値\u00A2\u00A3\u00AC", "虹😀"}) {
        SCOPED_TRACE(name);
        std::ofstream(path("sets.cst"), std::ios::binary)
            << "[ColorSet]\r\nCount=1\r\n[ColorSet 0]\r\nColorSetName=" << name
            << "\r\nColorCount=2\r\nColorLevelCount=8\r\nColor 0R=0\r\nColor 0G=0\r\nColor 0B=0\r\n"
               "Color 1R=255\r\nColor 1G=128\r\nColor 1B=0\r\n";
        const std::string sets = " --colorsets " + path("sets.cst");
        auto r = run(writeParams("in.txt", smallPicture(), name) + sets + " --seed 1 -o " +
                     path("a.bmp") + " --write-params " + path("out.txt"));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        r = run(path("out.txt") + sets + " --seed 1 -o " + path("b.bmp"));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_TRUE(readBmp("a.bmp") == readBmp("b.bmp"));
    }
}
