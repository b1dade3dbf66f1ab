#include "TempFolder.h"

#include "io/AtomicFile.h"
#include "io/HuffmanDeflate.h"
#include "io/PaletteQuantizer.h"
#include "io/PictureSaving.h"
#include "io/PngRowFilter.h"
#include "io/PictureCodec.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

// The kind of picture the program draws: smooth, saturated cosine gradients.
Canvas gradientPattern(int width, int height) {
    Canvas canvas(width, height);
    auto channel = [](double v) {
        return static_cast<std::uint8_t>(std::lround(127.5 + 127.5 * std::cos(v)));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - width * 0.4, y - height * 0.6);
            canvas.setPixel(x, y,
                            {channel(x / 23.0 + y / 41.0), channel(r / 17.0),
                             channel(x / 31.0 - y / 19.0 + std::cos(y / 29.0))});
        }
    }
    return canvas;
}

// What a drawing looks like: the sum of a few cosine waves looked up in a gradient
// through four color points, so the colors lie on one curve through the RGB cube.
Canvas colorSetPattern(int width, int height) {
    const Rgb points[] = {{10, 20, 120}, {0, 200, 220}, {250, 240, 80}, {220, 30, 40}};
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - width * 0.4, y - height * 0.6);
            const double v =
                (std::cos(x / 23.0 + y / 41.0) + std::cos(r / 17.0) + std::cos(y / 19.0)) / 3.0;
            const double t = (v + 1) / 2 * 3;
            const int i = std::min(2, static_cast<int>(t));
            const double f = t - i;
            auto mix = [f](std::uint8_t a, std::uint8_t b) {
                return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
            };
            const Rgb a = points[i], b = points[i + 1];
            canvas.setPixel(x, y, {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
        }
    }
    return canvas;
}

Canvas noisePattern(int width, int height) {
    Canvas canvas(width, height);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < canvas.rowBytes() * height; ++i)
        canvas.data()[i] = static_cast<std::uint8_t>(random());
    return canvas;
}

// A gradient with a little noise on every channel: the kind of picture where plain
// Huffman coding beats matching.
Canvas noisyGradientPattern(int width, int height) {
    Canvas canvas = gradientPattern(width, height);
    std::mt19937 random(11);
    for (std::size_t i = 0; i < canvas.rowBytes() * height; ++i)
        canvas.data()[i] = static_cast<std::uint8_t>(
            std::clamp(int{canvas.data()[i]} + static_cast<int>(random() % 9) - 4, 0, 255));
    return canvas;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> folderEntries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct DecodedJpeg {
    bool ok = false;
    Canvas canvas;
    bool progressive = false;
    int lumaHSampling = 0;
    int lumaVSampling = 0;
};

struct TestJpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

extern "C" void testJpegErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<TestJpegErrors*>(cinfo->err)->jump, 1);
}

bool decodeJpegInto(const std::string& bytes, DecodedJpeg& out) {
    jpeg_decompress_struct cinfo{};
    TestJpegErrors errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = testJpegErrorExit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    out.progressive = jpeg_has_multiple_scans(&cinfo);
    out.lumaHSampling = cinfo.comp_info[0].h_samp_factor;
    out.lumaVSampling = cinfo.comp_info[0].v_samp_factor;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.canvas.resize(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.canvas.data() + cinfo.output_scanline * out.canvas.rowBytes();
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

DecodedJpeg decodeJpeg(const fs::path& path) {
    DecodedJpeg out;
    out.ok = decodeJpegInto(fileBytes(path), out);
    return out;
}

struct DecodedPng {
    bool ok = false;
    Canvas canvas;
    bool palette = false;
    unsigned paletteSize = 0;
};

DecodedPng decodePng(const fs::path& path) {
    DecodedPng out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return out;
    out.palette = (image.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
    out.paletteSize = image.colormap_entries;
    image.format = PNG_FORMAT_RGB;
    out.canvas.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    out.ok = png_image_finish_read(&image, nullptr, out.canvas.data(),
                                   static_cast<png_int_32>(out.canvas.rowBytes()), nullptr) != 0;
    png_image_free(&image);
    return out;
}

// Bit depth and color type from IHDR, zlib's FLEVEL (0 fastest .. 3 best) from the
// first IDAT's stream header, and whether every chunk's CRC holds and the chunks come
// in a valid order (IHDR first, IDATs in one run, IEND last with nothing after it).
struct PngHeaderFacts {
    int bitDepth = -1;
    int colorType = -1;
    int zlibLevelClass = -1;
    bool crcsHold = true;
    bool wellOrdered = false;
};

PngHeaderFacts pngHeaderFacts(const fs::path& path) {
    const std::string bytes = fileBytes(path);
    PngHeaderFacts facts;
    std::vector<std::string> types;
    std::size_t at = 8;
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    auto big32 = [&](std::size_t i) {
        return (std::uint32_t{byte(i)} << 24) | (std::uint32_t{byte(i + 1)} << 16) |
               (std::uint32_t{byte(i + 2)} << 8) | byte(i + 3);
    };
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = big32(at);
        if (at + 12 + length > bytes.size())
            return facts;
        const std::string type = bytes.substr(at + 4, 4);
        const auto* typeAndData = reinterpret_cast<const Bytef*>(bytes.data() + at + 4);
        if (crc32(0, typeAndData, 4 + length) != big32(at + 8 + length))
            facts.crcsHold = false;
        if (type == "IHDR") {
            facts.bitDepth = byte(at + 16);
            facts.colorType = byte(at + 17);
        } else if (type == "IDAT" && facts.zlibLevelClass < 0) {
            facts.zlibLevelClass = byte(at + 9) >> 6;
        }
        if (types.empty() || types.back() != type || type != "IDAT")
            types.push_back(type);
        at += 12 + length;
    }
    const auto idats = std::count(types.begin(), types.end(), "IDAT");
    facts.wellOrdered = at == bytes.size() && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
                        types.size() >= 3 && types.front() == "IHDR" && types.back() == "IEND" &&
                        idats == 1;
    return facts;
}

// The pixels ImageMagick decodes from a file, as 8-bit RGB rows.
bool decodeWithImageMagick(const fs::path& file, const fs::path& rawOut, Canvas& out) {
    const std::string command =
        "convert '" + file.string() + "' -depth 8 'rgb:" + rawOut.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return false;
    const std::string raw = fileBytes(rawOut);
    if (raw.size() != out.rowBytes() * static_cast<std::size_t>(out.height()))
        return false;
    std::memcpy(out.data(), raw.data(), raw.size());
    return true;
}

struct ErrorStats {
    double mean = 0;
    int max = 0;
};

ErrorStats channelError(const Canvas& a, const Canvas& b) {
    ErrorStats stats;
    const std::size_t n = a.rowBytes() * a.height();
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int d = std::abs(int{a.data()[i]} - int{b.data()[i]});
        sum += d;
        stats.max = std::max(stats.max, d);
    }
    stats.mean = sum / static_cast<double>(n);
    return stats;
}

class Codec : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = root_ / "out";
        home_ = root_ / "home";
        fs::create_directories(dir_);
        fs::create_directories(home_);
        ::setenv("WAVORY_HOME", home_.c_str(), 1);
        sink_ = [this](const UserMessage& m) { messages_.push_back(m); };
    }
    const wavory::testing::TempFolder temp_;
    const fs::path root_ = temp_.path();
    fs::path dir_, home_;
    PictureCodec transG_;
    std::vector<UserMessage> messages_;
    MessageSink sink_;
};

TEST_F(Codec, JpegDecodesBackWithChromaByQualityAndProgressiveMarker) {
    const Canvas picture = gradientPattern(173, 91);
    struct Case {
        std::uint8_t quality;
        bool progressive;
        int sampling;
        double maxMeanError;
    };
    // Mean error bounds a little above what was measured (q100: 0.40, q90: 1.0, q89: 1.3).
    for (const Case c : {Case{100, false, 1, 0.6}, Case{100, true, 1, 0.6}, Case{90, false, 1, 1.5},
                         Case{89, true, 2, 2.0}, Case{1, false, 2, 60.0}}) {
        SCOPED_TRACE(::testing::Message() << "quality " << int{c.quality});
        const fs::path target = dir_ / "wave.jpg";
        ASSERT_EQ(transG_.saveJpeg(picture, target, c.quality, c.progressive, sink_), 0);
        const DecodedJpeg decoded = decodeJpeg(target);
        ASSERT_TRUE(decoded.ok);
        ASSERT_EQ(decoded.canvas.width(), 173);
        ASSERT_EQ(decoded.canvas.height(), 91);
        EXPECT_EQ(decoded.progressive, c.progressive);
        EXPECT_EQ(decoded.lumaHSampling, c.sampling);
        EXPECT_EQ(decoded.lumaVSampling, c.sampling);
        EXPECT_LT(channelError(picture, decoded.canvas).mean, c.maxMeanError);
        EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"wave.jpg"});
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, LosslessPngModesKeepEveryPixelForLibpngAndImageMagick) {
    struct Case {
        const char* name;
        Canvas picture;
    };
    // The large ones are compressed in several parts that are joined into one stream:
    // the smooth one by matching in mode 0 (parts of 4 MiB), the noisy ones by Huffman
    // coding (parts of 1 MiB). The thin ones have rows of one pixel and pictures of one row.
    const Case cases[] = {
        {"small gradient", gradientPattern(150, 97)},
        {"smooth, several parts", colorSetPattern(1500, 1300)},
        {"noisy, several parts", noisyGradientPattern(700, 600)},
        {"noise", noisePattern(333, 201)},
        {"one pixel", gradientPattern(1, 1)},
        {"one column", gradientPattern(1, 300)},
        {"one row", noisyGradientPattern(2000, 1)},
    };
    const int expectedLevelClass[] = {2, 0}; // FLEVEL: 2 balanced, 0 fastest
    for (const Case& c : cases) {
        for (std::uint8_t mode : {0, 1}) {
            SCOPED_TRACE(::testing::Message() << c.name << ", mode " << int{mode});
            const fs::path target = dir_ / "wave.png";
            ASSERT_EQ(transG_.savePng(c.picture, target, mode, sink_), 0);
            const DecodedPng decoded = decodePng(target);
            ASSERT_TRUE(decoded.ok);
            EXPECT_FALSE(decoded.palette);
            EXPECT_TRUE(decoded.canvas == c.picture);
            Canvas magick(c.picture.width(), c.picture.height());
            ASSERT_TRUE(decodeWithImageMagick(target, root_ / "wave.rgb", magick));
            EXPECT_TRUE(magick == c.picture);
            const PngHeaderFacts facts = pngHeaderFacts(target);
            EXPECT_EQ(facts.colorType, PNG_COLOR_TYPE_RGB);
            EXPECT_EQ(facts.bitDepth, 8);
            EXPECT_EQ(facts.zlibLevelClass, expectedLevelClass[mode]);
            EXPECT_TRUE(facts.crcsHold);
            EXPECT_TRUE(facts.wellOrdered);
        }
    }
    EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"wave.png"});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, LossyPngIsSmallerPaletteImageCloseToTheOriginal) {
    const Canvas picture = colorSetPattern(320, 240);
    ASSERT_EQ(transG_.savePng(picture, dir_ / "standard.png", 0), 0);
    ASSERT_EQ(transG_.savePng(picture, dir_ / "lossy.png", 2, sink_), 0);
    EXPECT_LT(fs::file_size(dir_ / "lossy.png"), fs::file_size(dir_ / "standard.png"));

    const DecodedPng decoded = decodePng(dir_ / "lossy.png");
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.canvas.width(), 320);
    ASSERT_EQ(decoded.canvas.height(), 240);
    EXPECT_TRUE(decoded.palette);
    EXPECT_LE(decoded.paletteSize, 256u);
    // Dithered: single channels stray further than the mean. Measured: max 6, mean 0.30.
    const ErrorStats error = channelError(picture, decoded.canvas);
    EXPECT_LE(error.max, 12);
    EXPECT_LT(error.mean, 0.6);
    const PngHeaderFacts facts = pngHeaderFacts(dir_ / "lossy.png");
    EXPECT_EQ(facts.zlibLevelClass, 3);
    EXPECT_TRUE(facts.crcsHold);
    EXPECT_TRUE(facts.wellOrdered);
    Canvas magick(320, 240);
    ASSERT_TRUE(decodeWithImageMagick(dir_ / "lossy.png", root_ / "lossy.rgb", magick));
    EXPECT_TRUE(magick == decoded.canvas);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, LossyPngOfFewColorsKeepsThemWithTrimmedPaletteAndDepth) {
    // Two bits a pixel: 39 pixels end in the middle of a row's last byte.
    Canvas picture(39, 30);
    const Rgb colors[] = {{255, 0, 0}, {0, 128, 255}, {20, 200, 20}};
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 39; ++x)
            picture.setPixel(x, y, colors[(x / 7 + y / 5) % 3]);
    ASSERT_EQ(transG_.savePng(picture, dir_ / "three.png", 2), 0);
    const DecodedPng decoded = decodePng(dir_ / "three.png");
    ASSERT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.canvas == picture);
    EXPECT_EQ(decoded.paletteSize, 3u);
    EXPECT_EQ(pngHeaderFacts(dir_ / "three.png").bitDepth, 2);
    Canvas magick(39, 30);
    ASSERT_TRUE(decodeWithImageMagick(dir_ / "three.png", root_ / "three.rgb", magick));
    EXPECT_TRUE(magick == picture);
}

// The decoder's side of the five PNG filters, written from the format's definition.
std::vector<std::uint8_t> unfilterRow(const std::vector<std::uint8_t>& filtered,
                                      const std::vector<std::uint8_t>& prior) {
    const int type = filtered[0];
    std::vector<std::uint8_t> row(prior.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        const int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
        const int predictor[] = {0, a, b, (a + b) / 2, paeth};
        row[i] = static_cast<std::uint8_t>(filtered[i + 1] + predictor[type]);
    }
    return row;
}

TEST(PngRowFilter, EachFilterWinsWhereItPredictsTheRowAndDecodesBack) {
    constexpr std::size_t kBytes = 3 * 50;
    std::mt19937 random(9);
    std::vector<std::uint8_t> prior(kBytes);
    for (std::uint8_t& b : prior)
        b = static_cast<std::uint8_t>(random());
    // Rows that one filter predicts best (ties go to the lower type): zeros, a run of one
    // color, the row above, the average of left and above.
    auto build = [&](auto predict) {
        std::vector<std::uint8_t> row(kBytes);
        for (std::size_t i = 0; i < kBytes; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
            row[i] = static_cast<std::uint8_t>(predict(i, a, b, c));
        }
        return row;
    };
    const std::vector<std::uint8_t> rows[] = {
        build([](std::size_t, int, int, int) { return 0; }),
        build([](std::size_t i, int a, int, int) { return i < 3 ? int(i) + 1 : a; }),
        build([](std::size_t, int, int b, int) { return b; }),
        build([](std::size_t, int a, int b, int) { return (a + b) / 2; }),
        // Against the flat row above (below), one shade darker: Paeth follows the left
        // neighbour after the first pixel, and that pixel costs it 1.
        std::vector<std::uint8_t>(kBytes, 99),
    };
    const std::vector<std::uint8_t> flat(kBytes, 100);
    std::vector<std::uint8_t> scratch(4 * kBytes);
    for (int type = 0; type < 5; ++type) {
        SCOPED_TRACE(::testing::Message() << "filter " << type);
        const std::vector<std::uint8_t>& above = type == 4 ? flat : prior;
        std::vector<std::uint8_t> out(kBytes + 1);
        codec::filterRowAdaptive(rows[type].data(), above.data(), kBytes, 3, out.data(),
                                 scratch.data());
        EXPECT_EQ(out[0], type);
        EXPECT_EQ(unfilterRow(out, above), rows[type]);
    }
}

// zlib's inflate of a raw deflate stream, or nullopt when it refuses it.
std::optional<std::string> inflateRaw(const std::vector<std::uint8_t>& stream, std::size_t size) {
    std::string out(size + 1, '\0'); // one spare byte shows output beyond the expected
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK)
        return std::nullopt;
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const bool whole = status == Z_STREAM_END && z.avail_in == 0;
    out.resize(z.total_out);
    inflateEnd(&z);
    return whole ? std::optional<std::string>(out) : std::nullopt;
}

// The code lengths the first block of a stream declares (a dynamic block whose lengths
// are sent without runs, as ours are): the code-length code's 19 three-bit lengths, then
// the literal code lengths decoded with that code (a symbol above 15 is a run code,
// which such a block never holds: a length beyond deflate's 15 bits sent as it is).
struct DeclaredLengths {
    std::vector<int> lengthCode, literals;
};
std::optional<DeclaredLengths> declaredLengths(const std::vector<std::uint8_t>& stream) {
    std::size_t bit = 0;
    const auto take = [&](int n) {
        int v = 0;
        for (int i = 0; i < n && bit / 8 < stream.size(); ++i, ++bit)
            v |= ((stream[bit / 8] >> (bit % 8)) & 1) << i;
        return v;
    };
    take(1);
    if (take(2) != 2)
        return std::nullopt;
    const int literals = take(5) + 257, distances = take(5) + 1, sent = take(4) + 4;
    constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    DeclaredLengths out;
    out.lengthCode.assign(19, 0);
    for (int i = 0; i < sent; ++i)
        out.lengthCode[kOrder[i]] = take(3);
    // Canonical decoding, one bit at a time: codes of each length follow those before.
    for (int n = 0; n < literals + distances; ++n) {
        int code = 0, first = 0, index = 0, symbol = -1;
        for (int length = 1; length <= 7 && symbol < 0; ++length) {
            code |= take(1);
            std::vector<int> ofLength;
            for (int s = 0; s < 19; ++s)
                if (out.lengthCode[s] == length)
                    ofLength.push_back(s);
            const int count = static_cast<int>(ofLength.size());
            if (code - first < count)
                symbol = ofLength[code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        if (symbol < 0)
            return std::nullopt;
        if (n < literals)
            out.literals.push_back(symbol);
    }
    return out;
}

TEST(HuffmanDeflate, EveryKindOfBlockInflatesBackAndPartsJoin) {
    auto bytes = [](std::size_t n, auto value) {
        std::vector<std::uint8_t> v(n);
        for (std::size_t i = 0; i < n; ++i)
            v[i] = static_cast<std::uint8_t>(value(i));
        return v;
    };
    // Byte k 2^k times (k = 0..15) in one block: each merge takes the next byte, so the
    // Huffman code would be 16 bits deep, one more than deflate allows.
    std::vector<std::uint8_t> skewed;
    for (int k = 0; k < 16; ++k)
        skewed.insert(skewed.end(), std::size_t{1} << k, static_cast<std::uint8_t>(k));
    // Byte k F(k+1) times (Fibonacci, k = 0..19): the unlimited code would be 20 deep.
    std::vector<std::uint8_t> fibonacci;
    for (std::size_t k = 0, a = 1, b = 1; k < 20; ++k, b = std::exchange(a, b) + b)
        fibonacci.insert(fibonacci.end(), a, static_cast<std::uint8_t>(k));
    // Dyadic counts (2^(15 - L) for a byte of length L) that give this many bytes each
    // length (the end of block is one of length 15). The code-length code built for those
    // counts, with 128 unused bytes and the two distance codes of length 1, would be
    // 8 deep, one more than its three-bit lengths hold.
    constexpr std::pair<int, int> kLengthCounts[] = {{1, 1},  {3, 1},   {4, 3},   {6, 4},  {7, 8},
                                                     {8, 8},  {9, 2},   {10, 14}, {11, 22},
                                                     {12, 3}, {13, 1},  {14, 6},  {15, 55}};
    std::vector<std::uint8_t> deepLengths;
    int nextByte = 0;
    for (const auto& [length, count] : kLengthCounts)
        for (int i = 0; i < count; ++i, ++nextByte)
            deepLengths.insert(deepLengths.end(), std::size_t{1} << (15 - length),
                               static_cast<std::uint8_t>(nextByte));
    std::mt19937 random(5);
    const struct {
        const char* name;
        std::vector<std::uint8_t> data;
    } cases[] = {
        {"empty", {}},
        {"one byte", {42}},
        {"one value, several blocks", bytes(150000, [](std::size_t) { return 7; })},
        {"deep code", skewed},
        {"Fibonacci code", fibonacci},
        {"deep code-length code", deepLengths},
        {"every value", bytes(70000, [&](std::size_t) { return random(); })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string expected(c.data.begin(), c.data.end());
        const std::vector<std::uint8_t> stream = codec::huffmanDeflate(c.data, true);
        EXPECT_EQ(inflateRaw(stream, c.data.size()), expected);
        // Every literal length within deflate's 15 bits (the code-length code's bound of 7
        // shows in the inflating above: its lengths have three bits).
        const auto lengths = declaredLengths(stream);
        ASSERT_TRUE(lengths);
        EXPECT_LE(*std::max_element(lengths->literals.begin(), lengths->literals.end()), 15);
        // A part that does not end the stream, then another one that does.
        std::vector<std::uint8_t> joined = codec::huffmanDeflate(c.data, false);
        const std::vector<std::uint8_t> tail = codec::huffmanDeflate(c.data, true);
        joined.insert(joined.end(), tail.begin(), tail.end());
        EXPECT_EQ(inflateRaw(joined, 2 * c.data.size()), expected + expected);
    }
}

TEST(PaletteQuantizer, PicturesAboveFourMegapixelsAreQuantizedToo) {
    // Above 4 Mi pixels libimagequant keeps working rows of its own; the sanitizer run
    // (and valgrind) report any of them not released.
    const Canvas picture = gradientPattern(2049, 2048);
    const codec::QuantizeResult result = codec::quantizeCanvas(picture);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_LE(result.image.palette.size(), 256u);
    EXPECT_GT(result.image.palette.size(), 64u) << "a smooth gradient needs many colors";
}

TEST(PaletteQuantizer, TrimKeepsOrderOfUsedColorsAndRenumbersPixels) {
    codec::IndexedImage image;
    image.width = 4;
    image.height = 1;
    image.palette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    image.indices = {3, 1, 3, 1};
    codec::trimUnusedColors(image);
    EXPECT_EQ(image.palette, (std::vector<Rgb>{{2, 2, 2}, {4, 4, 4}}));
    EXPECT_EQ(image.indices, (std::vector<std::uint8_t>{1, 0, 1, 0}));
}

TEST_F(Codec, OutOfRangeParametersAre252BeforeTheDiskIsTouched) {
    const Canvas picture = gradientPattern(8, 8);
    // Even a missing folder is not looked at: the parameter check comes first.
    for (const fs::path& target : {dir_ / "a.jpg", root_ / "missing" / "a.jpg"}) {
        EXPECT_EQ(transG_.saveJpeg(picture, target, 0, false, sink_), 252);
        EXPECT_EQ(transG_.saveJpeg(picture, target, 101, true, sink_), 252);
        EXPECT_EQ(transG_.savePng(picture, target, 3, sink_), 252);
        EXPECT_EQ(transG_.savePng(picture, target, 255, sink_), 252);
    }
    EXPECT_TRUE(folderEntries(dir_).empty());
    EXPECT_TRUE(folderEntries(home_).empty());
    EXPECT_FALSE(fs::exists(root_ / "missing"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, UnopenableTargetsAreCode1AndLeaveNothing) {
    const Canvas picture = gradientPattern(16, 16);
    fs::create_directories(dir_ / "folder.png");
    const fs::path targets[] = {root_ / "missing" / "a.png", dir_ / "folder.png",
                                dir_ / "folder.png" / ""};
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        EXPECT_EQ(transG_.saveJpeg(picture, target, 100, false, sink_), 1);
        for (std::uint8_t mode : {0, 1, 2})
            EXPECT_EQ(transG_.savePng(picture, target, mode, sink_), 1);
    }
    EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"folder.png"});
    EXPECT_TRUE(fs::is_empty(dir_ / "folder.png"));
    EXPECT_TRUE(messages_.empty()); // the caller shows code 1 itself
}

TEST_F(Codec, EmptyPictureAndEncoderFailuresAre255WithTheWrapperMessage) {
    const Canvas empty;
    EXPECT_EQ(transG_.savePng(empty, dir_ / "e.png", 0, sink_), 255);
    EXPECT_EQ(transG_.saveJpeg(empty, dir_ / "e.jpg", 100, false, sink_), 255);
    // Wider than JPEG allows: libjpeg refuses, and must not end the process.
    const Canvas tooWide(65501, 1);
    EXPECT_EQ(transG_.saveJpeg(tooWide, dir_ / "w.jpg", 100, false, sink_), 255);
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_EQ(messages_[0].text, "PNG保存時にエラーが発生しました。\r\n保存する画像がありません。");
    EXPECT_EQ(messages_[1].text,
              "JPEG保存時にエラーが発生しました。\r\n保存する画像がありません。");
    EXPECT_EQ(messages_[2].text.rfind("JPEG保存時にエラーが発生しました。\r\n", 0), 0u);
    EXPECT_NE(messages_[2].text.find("65500"), std::string::npos);
    EXPECT_TRUE(folderEntries(dir_).empty());
}

// Simulates a full disk for this process: writes beyond the limit fail with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    sighandler_t previousHandler_{};
};

TEST_F(Codec, FailedWriteIsCode2AndKeepsTheOldFileByteForByte) {
    const Canvas picture = noisePattern(200, 200); // compresses to well over 16 KiB
    const std::string old = "the previous picture";
    for (std::uint8_t mode : {0, 1, 2}) {
        SCOPED_TRACE(::testing::Message() << "png mode " << int{mode});
        ASSERT_FALSE(writeFileAtomically(dir_ / "keep.png", old));
        {
            FileSizeLimit limit(16 * 1024);
            EXPECT_EQ(transG_.savePng(picture, dir_ / "keep.png", mode, sink_), 2);
        }
        EXPECT_EQ(fileBytes(dir_ / "keep.png"), old);
        EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"keep.png"});
    }
    {
        FileSizeLimit limit(16 * 1024);
        EXPECT_EQ(transG_.saveJpeg(picture, dir_ / "new.jpg", 100, true, sink_), 2);
    }
    EXPECT_EQ(fileBytes(dir_ / "keep.png"), old);
    EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"keep.png"});
    EXPECT_TRUE(folderEntries(home_).empty());
    // A full disk is the caller's to report, not a failure inside the layer.
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, ASaveThatFailsSaysTheSystemsReasonFirstAsBmpDoes) {
    const Canvas picture = noisePattern(200, 200);
    const std::string missing =
        systemErrorText(std::make_error_code(std::errc::no_such_file_or_directory));
    const std::string tooLarge = systemErrorText(std::make_error_code(std::errc::file_too_large));
    const auto failure = [](const Result& r) {
        return r.ok() ? std::string() : r.failureMessage()->text;
    };
    EXPECT_EQ(failure(savePngPicture(picture, root_ / "missing" / "a.png", 0)),
              missing + "\r\nPNG保存時のエラーです。\r\nファイルがオープンできません。");
    EXPECT_EQ(failure(saveJpegPicture(picture, root_ / "missing" / "a.jpg", 90, false)),
              missing + "\r\nJpeg保存時のエラーです。\r\nファイルがオープンできません。");
    EXPECT_EQ(failure(saveBmpPicture((root_ / "missing" / "a.bmp").string(), picture)),
              missing + "\r\n保存に失敗しました。");
    FileSizeLimit limit(16 * 1024);
    for (std::uint8_t mode : {0, 1, 2})
        EXPECT_EQ(failure(savePngPicture(picture, dir_ / "full.png", mode)),
                  tooLarge + "\r\nPNG保存時のエラーです。\r\nファイルに書きこめません。")
            << int{mode};
    EXPECT_EQ(failure(saveJpegPicture(picture, dir_ / "full.jpg", 100, false)),
              tooLarge + "\r\nJpeg保存時のエラーです。\r\nファイルに書きこめません。");
    EXPECT_TRUE(folderEntries(dir_).empty());
}

TEST_F(Codec, FullFileSystemIsCode2AndLeavesNoTemporaryFile) {
    const fs::path small = root_ / "small";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
    struct Unmount {
        fs::path path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{small};

    const std::string old = "old";
    ASSERT_FALSE(writeFileAtomically(small / "keep.jpg", old));
    const Canvas picture = noisePattern(200, 200);
    EXPECT_EQ(transG_.saveJpeg(picture, small / "keep.jpg", 100, false, sink_), 2);
    EXPECT_EQ(transG_.savePng(picture, small / "keep.jpg", 0, sink_), 2);
    // The reason in the interface's language, whichever writer met the full disk.
    for (std::uint8_t mode : {0, 1}) {
        const Result png = savePngPicture(picture, small / "keep.jpg", mode);
        ASSERT_FALSE(png.ok());
        EXPECT_EQ(png.failureMessage()->text,
                  "ディスクの空き領域が足りません。\r\n"
                  "PNG保存時のエラーです。\r\nファイルに書きこめません。");
    }
    const Result jpeg = saveJpegPicture(picture, small / "keep.jpg", 100, false);
    ASSERT_FALSE(jpeg.ok());
    EXPECT_EQ(jpeg.failureMessage()->text,
              "ディスクの空き領域が足りません。\r\n"
              "Jpeg保存時のエラーです。\r\nファイルに書きこめません。");
    EXPECT_EQ(fileBytes(small / "keep.jpg"), old);
    EXPECT_EQ(folderEntries(small), std::set<std::string>{"keep.jpg"});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Codec, ReadOnlyTargetIsCode1AndUnchanged) {
    const std::string old = "protected";
    ASSERT_FALSE(writeFileAtomically(dir_ / "ro.png", old));
    fs::permissions(dir_ / "ro.png", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(transG_.savePng(gradientPattern(8, 8), dir_ / "ro.png", 0), 1);
    EXPECT_EQ(fileBytes(dir_ / "ro.png"), old);
    EXPECT_EQ(folderEntries(dir_), std::set<std::string>{"ro.png"});
}

TEST(TransG, Messages) {
    const PictureCodec transG;
    EXPECT_EQ(transG.errorMessage(0), "成功しました。");
    EXPECT_EQ(transG.errorMessage(1), "ファイルがオープンできません。");
    EXPECT_EQ(transG.errorMessage(2), "ファイルに書きこめません。");
    EXPECT_EQ(transG.errorMessage(3), "ファイルのフォーマットエラーです。");
    EXPECT_EQ(transG.errorMessage(4), "スタックオーバーフローです。");
    EXPECT_EQ(transG.errorMessage(252), "保存品質の指定が間違っています。");
    EXPECT_EQ(transG.errorMessage(255), "clsTransG内部エラー : 255");
    EXPECT_EQ(transG.errorMessage(5), "clsTransG内部エラー : 5");
    EXPECT_EQ(transG.errorMessage(-1), "clsTransG内部エラー : -1");
    EXPECT_EQ(kPngModeCaptions[0], "標準");
    EXPECT_EQ(kPngModeCaptions[1], "圧縮速度優先（低圧縮率）");
    EXPECT_EQ(kPngModeCaptions[2], "圧縮率優先(不可逆圧縮、低速)");
}

} // namespace
