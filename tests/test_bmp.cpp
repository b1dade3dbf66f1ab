#include "BmpReading.h"
#include "TempFolder.h"

#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace wavory;
namespace fs = std::filesystem;

namespace {

std::string le32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string expectedHeader(std::uint32_t w, std::uint32_t h, std::uint32_t imageBytes) {
    return "BM" + le32(54 + imageBytes) + le32(0) + le32(54) + le32(40) + le32(w) + le32(h) +
           std::string("\x01\x00\x18\x00", 4) + le32(0) + le32(imageBytes) + le32(3780) +
           le32(3780) + le32(0) + le32(0);
}

// The file writeBmp writes for the canvas.
std::string bmpBytes(const Canvas& c) {
    const wavory::testing::TempFolder folder;
    const auto path = (folder / "picture.bmp").string();
    std::string bytes;
    EXPECT_FALSE(writeBmp(path, c));
    EXPECT_FALSE(readWholeFile(path, bytes));
    return bytes;
}

} // namespace

TEST(Bmp, TwoByTwoIsBottomUpBgrWithRowPadding) {
    Canvas c(2, 2);
    c.setPixel(0, 0, {1, 2, 3});
    c.setPixel(1, 0, {4, 5, 6});
    c.setPixel(0, 1, {7, 8, 9});
    c.setPixel(1, 1, {10, 11, 12});
    const std::string pixels = std::string("\x09\x08\x07\x0C\x0B\x0A\x00\x00", 8) + // bottom row
                               std::string("\x03\x02\x01\x06\x05\x04\x00\x00", 8);  // top row
    EXPECT_EQ(bmpBytes(c), expectedHeader(2, 2, 16) + pixels);
}

TEST(Bmp, ThreeByOneFileOnDisk) {
    Canvas c(3, 1);
    c.setPixel(0, 0, {255, 0, 0});
    c.setPixel(1, 0, {0, 255, 0});
    c.setPixel(2, 0, {0, 0, 255});
    const std::string pixels("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\x00\x00\x00", 12);
    EXPECT_EQ(bmpBytes(c), expectedHeader(3, 1, 12) + pixels);
}

TEST(Bmp, ReaderRestoresWhatTheWriterWrote) {
    // Widths around the five-pixel shuffles, a picture of more than one 1 MiB block, and
    // one large enough to be written in two halves at once (an odd number of rows).
    for (auto [w, h] : {std::pair{1, 1}, {5, 3}, {4, 7}, {6, 2}, {11, 3}, {16, 2}, {1000, 400},
                        {1500, 1001}}) {
        Canvas c(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                c.setPixel(x, y,
                           {std::uint8_t(x * 40 + y), std::uint8_t(y * 30), std::uint8_t(x ^ y)});
        const auto back = decodeBmp(bmpBytes(c));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, c);
    }
}

TEST(Bmp, ReaderRejectsCutOrForeignData) {
    Canvas c(3, 2);
    const std::string good = bmpBytes(c);
    EXPECT_FALSE(decodeBmp(good.substr(0, good.size() - 1)));
    EXPECT_FALSE(decodeBmp(good.substr(0, 30)));
    EXPECT_FALSE(decodeBmp(""));
    std::string eightBit = good;
    eightBit[28] = 8;
    EXPECT_FALSE(decodeBmp(eightBit));
    std::string hugeWidth = good;
    hugeWidth.replace(18, 4, le32(0x7FFFFFFF));
    EXPECT_FALSE(decodeBmp(hugeWidth));
}

TEST(Bmp, WriteFailuresReportAndLeaveNoFile) {
    const wavory::testing::TempFolder temp;
    const fs::path& folder = temp.path();
    EXPECT_TRUE(writeBmp((folder / "missing" / "a.bmp").string(), Canvas(2, 2)));
    EXPECT_EQ(writeBmp((folder / "empty.bmp").string(), Canvas()),
              std::make_error_code(std::errc::invalid_argument));
    EXPECT_TRUE(writeBmp(folder.string(), Canvas(2, 2))); // a folder is not a file
    EXPECT_TRUE(fs::is_empty(folder));
}
