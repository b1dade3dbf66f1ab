#include "TempFolder.h"

#include "common/Numbers.h"
#include "io/AtomicFile.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace wavory;

TEST(Numbers, RoundsHalfToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(127.5), 128.0);
    EXPECT_EQ(roundToInt32(200.5), 200);
    EXPECT_EQ(roundToInt32(201.5), 202);
    EXPECT_EQ(roundToInt32(1e20), INT32_MAX);
}

TEST(Numbers, LeadingNumberIsTolerant) {
    EXPECT_EQ(leadingNumber("  12abc"), 12.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("-5"), -5.0);
    EXPECT_EQ(leadingNumber("1.3"), 1.3);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1e3x"), 1000.0);
    EXPECT_EQ(leadingNumber("2e"), 2.0);
    EXPECT_EQ(leadingNumber("- 5"), 0.0);
    EXPECT_EQ(leadingNumber(" 4 "), 4.0);
    EXPECT_EQ(leadingNumber("0x10"), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingInt32("200.5"), 200);
    EXPECT_EQ(leadingInt32("99999999999999"), INT32_MAX);
}

TEST(Numbers, StrictConversionsRejectNonNumbers) {
    EXPECT_EQ(strictInt32(" 42 "), 42);
    EXPECT_EQ(strictInt32("2.5"), 2);
    EXPECT_FALSE(strictInt32(""));
    EXPECT_FALSE(strictInt32("12abc"));
    EXPECT_FALSE(strictInt32("[位相のずれ]"));
    EXPECT_FALSE(strictInt32("3000000000"));
}

TEST(Numbers, TextForms) {
    EXPECT_EQ(plainDecimal(640.0), "640");
    EXPECT_EQ(plainDecimal(4.5), "4.5");
    EXPECT_EQ(plainDecimal(-3.0), "-3");
    EXPECT_EQ(plainDecimal(0.1 * 3), "0.3");
    EXPECT_EQ(plainDecimal(1e20), "1E+20");
    EXPECT_EQ(signPositionForm(3), " 3");
    EXPECT_EQ(signPositionForm(0), " 0");
    EXPECT_EQ(signPositionForm(-3), "-3");
}

TEST(TextCodec, ReadsUtf8AndCp932) {
    // "虹" in CP932 is 0x93 0xF8.
    EXPECT_EQ(textcodec::decodeFileText("\x93\xF8"), "虹");
    EXPECT_EQ(textcodec::decodeFileText("虹"), "虹");
    EXPECT_EQ(textcodec::decodeFileText("\xEF\xBB\xBF" "abc"), "abc");
    EXPECT_EQ(textcodec::decodeFileText("a\xFF" "b"), "a\uFFFD" "b");
}

TEST(TextCodec, WritesCp932ByteExactlyAndFallsBackToUtf8) {
    // The wave dash / fullwidth tilde and the horizontal bar round-trip byte-exactly.
    const std::string cp932 = "\x81\x60\x81\x5C\x93\xF8";
    const std::string text = textcodec::decodeFileText(cp932);
    EXPECT_EQ(textcodec::encodeFileText(text), cp932);
    EXPECT_EQ(textcodec::encodeFileText("\u301C"), "\x81\x60");
    EXPECT_EQ(textcodec::encodeFileText("\uFF5E"), "\x81\x60");
    // A character CP932 cannot hold keeps the whole text in UTF-8.
    EXPECT_EQ(textcodec::encodeFileText("虹😀"), "虹😀");
    EXPECT_EQ(textcodec::cp932ByteLength("ab虹"), 4u);
    EXPECT_EQ(textcodec::cp932ByteLength("ｱ"), 1u);
    EXPECT_EQ(textcodec::cp932ByteLength("😀"), 2u);
}

TEST(TextCodec, SplitsLines) {
    EXPECT_EQ(textcodec::splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(textcodec::splitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(textcodec::splitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(AtomicFile, ReplacesWholeOrNothing) {
    const wavory::testing::TempFolder temp;
    const std::filesystem::path& dir = temp.path();
    const auto target = dir / "a.txt";
    ASSERT_FALSE(writeFileAtomically(target, "old"));
    {
        AtomicFileWriter writer(target);
        ASSERT_FALSE(writer.open());
        ASSERT_FALSE(writer.write("new but abandoned"));
    } // not committed: the old file stays
    std::string content;
    ASSERT_FALSE(readWholeFile(target, content));
    EXPECT_EQ(content, "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    EXPECT_TRUE(writeFileAtomically(dir, "x")) << "a folder is not a file";
    EXPECT_TRUE(writeFileAtomically(dir / "missing" / "b.txt", "x"));
    ::chmod(target.c_str(), 0444);
    EXPECT_TRUE(writeFileAtomically(target, "x")) << "a read-only file stays protected";
    ASSERT_FALSE(readWholeFile(target, content));
    EXPECT_EQ(content, "old");
}
