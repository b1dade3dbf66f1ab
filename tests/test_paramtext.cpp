#include "TempFolder.h"

#include "io/FieldStream.h"
#include "io/ParamTextFile.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

using namespace wavory;
using wavory::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A model where every field differs from the defaults.
ParamFields sampleModel() {
    ParamFields f;
    f.componentOn = {true, false, true, false, true, false, true, false};
    for (int i = 0; i < kValueSlotCount; ++i)
        f.values[i] = std::to_string(100 + i * 7);
    f.values[0] = "12.5"; // kept as typed
    f.values[1] = "3x";   // not a clean number: still written and read as typed
    f.values[kPowerSlot] = "2";
    f.center = {"-15", "40"};
    f.bleed = "12";
    f.width = 640;
    f.height = 480;
    f.colorSetIndex = 0;
    f.phase = 37;
    f.frame.enabled = true;
    f.frame.color = 0x123456;
    f.frame.senmei = 5;
    f.frame.shadow = 50;
    f.frame.line = 0;
    f.frame.width = "33";
    f.frame.height = "44";
    return f;
}

void expectSameFields(const ParamFields& a, const ParamFields& b) {
    EXPECT_EQ(a.componentOn, b.componentOn);
    EXPECT_EQ(a.values, b.values);
    EXPECT_EQ(a.center, b.center);
    EXPECT_EQ(a.bleed, b.bleed);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.colorSetIndex, b.colorSetIndex);
    EXPECT_EQ(a.phase, b.phase);
    EXPECT_EQ(a.frame.enabled, b.frame.enabled);
    EXPECT_EQ(a.frame.color, b.frame.color);
    EXPECT_EQ(a.frame.senmei, b.frame.senmei);
    EXPECT_EQ(a.frame.shadow, b.frame.shadow);
    EXPECT_EQ(a.frame.line, b.frame.line);
    EXPECT_EQ(a.frame.width, b.frame.width);
    EXPECT_EQ(a.frame.height, b.frame.height);
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

// A format 4 text with the given lines replaced (0-based line numbers).
std::string textWith(const ParamFields& f, std::string_view colorSet,
                     std::vector<std::pair<int, std::string>> replacements) {
    auto lines = textcodec::splitLines(formatParamText(f, colorSet));
    for (auto& [n, text] : replacements)
        lines.at(n) = text;
    return joinLinesCrLf(lines);
}

// Line numbers of the value lines in a format 4 file.
constexpr int kFormatLine = 1;
constexpr int kCircleValuesLine = 13;
constexpr int kSizeLine = 33;
constexpr int kColorSetLine = 35;
constexpr int kPhaseLine = 37;
constexpr int kFrameEnabledLine = 39;
constexpr int kFrameColorLine = 41;
constexpr int kSenmeiLine = 43;
constexpr int kShadowLine = 45;
constexpr int kLineLine = 47;

const std::vector<std::string> kNames{"虹", "海", "夕焼け", "海"};

} // namespace

TEST(FieldStream, SplitsAtCommasAndLineEnds) {
    FieldStream in("a,b\r\n  c , d\nOn \r\"x,y\"  ,\"q\"zz\n\n\"open,\r\nlast");
    std::vector<std::string> got;
    while (auto f = in.next())
        got.push_back(*f);
    const std::vector<std::string> want{"a",   "b", "c ", "d",     "On ",
                                        "x,y", "q", "",   "open,", "last"};
    EXPECT_EQ(got, want);
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.next());
}

TEST(ParamText, FormatsEverySectionInOrder) {
    ParamFields f; // the start-up defaults
    f.values[7] = std::string("5");
    f.frame.color = 255;
    const std::string want = "[書き出しフォーマット番号]\r\n 4 \r\n"
                             "[垂直成分]\r\nOn \r\n1,0\r\n"
                             "[水平成分]\r\nOn \r\n1,0\r\n"
                             "[斜め成分]\r\nOn \r\n1,0\r\n"
                             "[円型成分]\r\nOn \r\n1,5,1\r\n"
                             "[矩形成分]\r\nOff\r\n1,0\r\n"
                             "[＋型成分]\r\nOff\r\n1,0\r\n"
                             "[リボン型成分]\r\nOff\r\n1,0\r\n"
                             "[波紋型成分]\r\nOff\r\n1,0\r\n"
                             "[べき乗]\r\n1\r\n"
                             "[画像の中心]\r\n0,0\r\n"
                             "[にじみ]\r\n0\r\n"
                             "[画像サイズ]\r\n200,200\r\n"
                             "[色セット]\r\n虹\r\n"
                             "[位相のずれ]\r\n0\r\n"
                             "[枠\\Enabled]\r\n0\r\n"
                             "[枠\\枠色]\r\n255\r\n"
                             "[枠\\全体の色の濃さ]\r\n25\r\n"
                             "[枠\\右下部分の色の濃さ]\r\n25\r\n"
                             "[枠\\境界の鮮明さ]\r\n25\r\n"
                             "[枠\\横幅]\r\n10\r\n"
                             "[枠\\縦幅]\r\n10\r\n";
    EXPECT_EQ(formatParamText(f, "虹"), want);
}

TEST(ParamText, WritesCp932WithCrLf) {
    TempFolder dir;
    const auto path = dir.file("p.txt");
    ASSERT_TRUE(writeParamTextFile(path, sampleModel(), "虹").ok());
    const std::string bytes = readBytes(path);
    // "[書き出しフォーマット番号]" in CP932, then " 4 ".
    const std::string head = "[\x8F\x91\x82\xAB\x8F\x6F\x82\xB5\x83\x74\x83\x48\x81\x5B\x83\x7D"
                             "\x83\x62\x83\x67\x94\xD4\x8D\x86]\r\n 4 \r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find("\r\n[\x98\x67\\Enabled]\r\n1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n[\x90\x46\x83\x5A\x83\x62\x83\x67]\r\n\x93\xF8\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\n640,480\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nOff\r\n"), std::string::npos);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << i;
        }
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(textcodec::decodeFileText(bytes), formatParamText(sampleModel(), "虹"));
}

TEST(ParamText, ColorSetNameOutsideCp932KeepsTheWholeFileUtf8) {
    TempFolder dir;
    const auto path = dir.file("p.txt");
    ASSERT_TRUE(writeParamTextFile(path, ParamFields{}, "虹😀").ok());
    EXPECT_EQ(readBytes(path), formatParamText(ParamFields{}, "虹😀"));
    ParamFields back;
    const auto r = readParamTextFile(path, back, {"a", "虹😀"});
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(back.colorSetIndex, 1);
}

TEST(ParamText, RoundTripRestoresEveryField) {
    TempFolder dir;
    const auto path = dir.file("round trip.txt");
    ParamFields original = sampleModel();
    original.colorSetIndex = 3; // the second "海": the last set of that name is selected
    ASSERT_TRUE(writeParamTextFile(path, original, "海").ok());

    ParamFields back;
    back.componentOn.fill(true);
    back.mode = DrawMode::Xor;
    const auto r = readParamTextFile("\"" + path + "\"", back, kNames);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.formatNumber, 4);
    EXPECT_TRUE(r.sizeApplied);
    EXPECT_FALSE(r.sizeOutOfRange);
    EXPECT_TRUE(r.colorSetSelected);
    EXPECT_TRUE(r.outcome.messages().empty());
    expectSameFields(back, original);
    EXPECT_EQ(back.mode, DrawMode::Xor); // not part of the file
}

TEST(ParamText, ReadsLfOnlyAndUtf8Files) {
    std::string text = formatParamText(sampleModel(), "夕焼け");
    std::string lfOnly;
    for (char c : text)
        if (c != '\r')
            lfOnly += c;
    for (const std::string& bytes :
         {lfOnly, text, textcodec::encodeFileText(lfOnly), "\xEF\xBB\xBF" + text}) {
        ParamFields back;
        EXPECT_TRUE(parseParamText(bytes, back, kNames).ok());
        ParamFields want = sampleModel();
        want.colorSetIndex = 2;
        expectSameFields(back, want);
    }
}

TEST(ParamText, FormatOneScalesPeriodsAndStopsAfterTheCenter) {
    const std::string file = "[書き出しフォーマット番号]\r\n1\r\n"
                             "[垂直成分]\r\nOn\r\n2,7\r\n"
                             "[水平成分]\r\nOff\r\n3,8\r\n"
                             "[斜め成分]\r\n On \r\n0.5,9\r\n"
                             "[円型成分]\r\nOn \r\n4,10,2\r\n"
                             "[矩形成分]\r\noff\r\n5,11\r\n"
                             "[＋型成分]\r\nON\r\n6x,12\r\n"
                             "[リボン型成分]\r\nOff\r\n7,13\r\n"
                             "[波紋型成分]\r\nOff\r\n8,14\r\n"
                             "[べき乗]\r\n3\r\n"
                             "[画像の中心]\r\n5,-5\r\n";
    ParamFields f = sampleModel();
    const ParamFields before = f;
    const auto r = parseParamText(textcodec::encodeFileText(file), f, kNames);
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.sizeApplied);
    const std::array<bool, 8> on{true, false, true, true, false, false, false, false};
    EXPECT_EQ(f.componentOn, on);
    EXPECT_EQ(f.values[0], "3");
    EXPECT_EQ(f.values[2], "4.5");
    EXPECT_EQ(f.values[4], "0.75");
    EXPECT_EQ(f.values[6], "6");
    EXPECT_EQ(f.values[8], "2"); // the circle's period Y is never scaled
    EXPECT_EQ(f.values[10], "7.5");
    EXPECT_EQ(f.values[12], "9");
    EXPECT_EQ(f.values[16], "12");
    EXPECT_EQ(f.values[1], "7");
    EXPECT_EQ(f.values[7], "10");
    EXPECT_EQ(f.values[kPowerSlot], "3");
    EXPECT_EQ(f.center[0], "5");
    EXPECT_EQ(f.center[1], "-5");
    EXPECT_EQ(f.bleed, "0");
    EXPECT_FALSE(f.frame.enabled);
    EXPECT_EQ(f.width, before.width);
    EXPECT_EQ(f.height, before.height);
    EXPECT_EQ(f.colorSetIndex, before.colorSetIndex);
    EXPECT_EQ(f.phase, before.phase);
    EXPECT_EQ(f.frame.color, before.frame.color);
    EXPECT_EQ(f.frame.width, before.frame.width);
}

TEST(ParamText, FormatTwoReadsTheBleedOnly) {
    ParamFields source = sampleModel();
    source.bleed = "77";
    source.width = 999;
    const std::string file = textWith(source, "海", {{kFormatLine, "2"}});
    ParamFields f = sampleModel();
    f.bleed = "1";
    const auto r = parseParamText(file, f, kNames);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(f.bleed, "77");
    EXPECT_EQ(f.values[0], "12.5"); // no scaling beyond format 1
    EXPECT_FALSE(f.frame.enabled);
    EXPECT_EQ(f.width, 640);
    EXPECT_EQ(f.colorSetIndex, 0);
}

TEST(ParamText, FormatThreeAndNegativeFormatNumbers) {
    ParamFields source = sampleModel();
    source.width = 321;
    ParamFields f;
    EXPECT_TRUE(parseParamText(textWith(source, "海", {{kFormatLine, "3"}}), f, kNames).ok());
    EXPECT_EQ(f.width, 321);
    EXPECT_EQ(f.colorSetIndex, 3);
    EXPECT_TRUE(f.frame.enabled);

    // A negative number is accepted and reads like format 1 without the scaling.
    ParamFields g = sampleModel();
    g.bleed = "9";
    EXPECT_TRUE(parseParamText(textWith(source, "海", {{kFormatLine, "-2"}}), g, kNames).ok());
    EXPECT_EQ(g.values[0], "12.5");
    EXPECT_EQ(g.bleed, "0");
    EXPECT_FALSE(g.frame.enabled);
    EXPECT_EQ(g.width, 640);
}

TEST(ParamText, UnsupportedFormatChangesNothing) {
    TempFolder dir;
    ParamFields source;
    source.componentOn.fill(false);
    source.values.fill("42");
    for (const std::string format : {"0", "5", "4.6", "abc", "", "1e300"}) {
        SCOPED_TRACE(format);
        const auto path = dir.file("f.txt");
        writeBytes(path, textWith(source, "海", {{kFormatLine, format}}));
        ParamFields f = sampleModel();
        const auto r = readParamTextFile(path, f, kNames);
        EXPECT_EQ(r.status, ParamReadStatus::UnsupportedFormat);
        expectSameFields(f, sampleModel());
        ASSERT_EQ(r.outcome.messages().size(), 1u);
        EXPECT_EQ(r.outcome.messages()[0],
                  (UserMessage{MessageIcon::Critical, "このファイルは読み込めません。"}));
    }
    // An ordinary text file: one line without a comma, then text.
    ParamFields f = sampleModel();
    EXPECT_EQ(parseParamText("hello there\r\nsecond line\r\n", f, kNames).status,
              ParamReadStatus::UnsupportedFormat);
    // 4.4 rounds to 4 and is accepted.
    EXPECT_TRUE(parseParamText(textWith(source, "海", {{kFormatLine, " 4.4 "}}), f, kNames).ok());
}

TEST(ParamText, QuotedColorSetNameMayHoldACommaButAPlainOneBreaksTheFile) {
    const std::vector<std::string> names{"虹", "虹,改"};
    ParamFields f;
    auto quoted = textWith(sampleModel(), "", {{kColorSetLine, "  \"虹,改\""}});
    EXPECT_TRUE(parseParamText(quoted, f, names).ok());
    EXPECT_EQ(f.colorSetIndex, 1);

    // Written unquoted, the name splits: "虹" is selected, "改" is taken as the next header
    // and the phase header as the phase value, which fails the strict conversion.
    TempFolder dir;
    const auto path = dir.file("comma.txt");
    ParamFields source = sampleModel();
    source.colorSetIndex = 1;
    ASSERT_TRUE(writeParamTextFile(path, source, "虹,改").ok());
    ParamFields back;
    back.colorSetIndex = 1;
    const auto r = readParamTextFile(path, back, names);
    EXPECT_EQ(r.status, ParamReadStatus::ReadFailed);
    EXPECT_EQ(back.colorSetIndex, 0);
    EXPECT_EQ(back.width, 640); // applied before the failure, stays applied
    EXPECT_EQ(back.phase, 0);
    ASSERT_EQ(r.outcome.messages().size(), 1u);
    EXPECT_EQ(r.outcome.messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(r.outcome.messages()[0].text,
              "読み込み中にエラーが発生しました。\r\nこのファイルは読み込めません。\r\n\r\n" +
                  path);
}

TEST(ParamText, MissingColorSetWarnsAndReadingGoesOn) {
    ParamFields f;
    f.colorSetIndex = 2;
    const auto r = parseParamText(formatParamText(sampleModel(), "無い色"), f, kNames);
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.colorSetSelected);
    EXPECT_EQ(f.colorSetIndex, 2);
    EXPECT_EQ(f.phase, 37);
    EXPECT_EQ(f.frame.height, "44");
    ASSERT_EQ(r.outcome.messages().size(), 1u);
    EXPECT_EQ(r.outcome.messages()[0],
              (UserMessage{MessageIcon::Exclamation, "色セット\"無い色\"が存在しません。"}));
}

TEST(ParamText, StrictValuesFailTheReadButEarlierValuesStay) {
    struct Case {
        int line;
        std::string text;
    };
    const std::vector<Case> cases{
        {kPhaseLine, "100"},
        {kPhaseLine, "-1"},
        {kPhaseLine, "abc"},
        {kPhaseLine, ""},
        {kFrameEnabledLine, "2"},
        {kFrameEnabledLine, "1x"},
        {kFrameColorLine, "3000000000"},
        {kFrameColorLine, "red"},
        {kSenmeiLine, "51"},
        {kShadowLine, "-1"},
        {kLineLine, "5 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " on line " + std::to_string(c.line));
        ParamFields f;
        const auto r = parseParamText(textWith(sampleModel(), "海", {{c.line, c.text}}), f, kNames);
        EXPECT_EQ(r.status, ParamReadStatus::ReadFailed);
        EXPECT_TRUE(r.outcome.messages().empty()); // the failure message is readParamTextFile's
        EXPECT_EQ(f.width, 640);
        EXPECT_EQ(f.colorSetIndex, 3);
        EXPECT_EQ(f.frame.width, "10"); // never reached
        if (c.line > kPhaseLine) {
            EXPECT_EQ(f.phase, 37);
        }
        if (c.line > kSenmeiLine) {
            EXPECT_EQ(f.frame.senmei, 5);
        }
    }
    // In range, with blanks and halves rounded to even, they pass.
    ParamFields f;
    EXPECT_TRUE(parseParamText(textWith(sampleModel(), "海",
                                        {{kPhaseLine, " 99 "},
                                         {kSenmeiLine, "0.5"},
                                         {kShadowLine, "49.5"},
                                         {kFrameColorLine, "-1"}}),
                               f, kNames)
                    .ok());
    EXPECT_EQ(f.phase, 99);
    EXPECT_EQ(f.frame.senmei, 0);
    EXPECT_EQ(f.frame.shadow, 50);
    EXPECT_EQ(f.frame.color, -1);
}

TEST(ParamText, FileEndingEarlyFails) {
    const auto lines = textcodec::splitLines(formatParamText(sampleModel(), "海"));
    for (std::size_t keep = 2; keep < lines.size(); ++keep) {
        SCOPED_TRACE(keep);
        const std::vector<std::string> head(lines.begin(), lines.begin() + keep);
        ParamFields f;
        EXPECT_EQ(parseParamText(joinLinesCrLf(head), f, kNames).status,
                  ParamReadStatus::ReadFailed);
    }
    for (std::string_view empty : {"", "[書き出しフォーマット番号]\r\n"}) {
        ParamFields f;
        EXPECT_EQ(parseParamText(empty, f, kNames).status, ParamReadStatus::ReadFailed);
    }
    // The last line may lack its line end.
    std::string whole = formatParamText(sampleModel(), "海");
    whole.resize(whole.size() - 2);
    ParamFields f;
    EXPECT_TRUE(parseParamText(whole, f, kNames).ok());
    EXPECT_EQ(f.frame.height, "44");
}

namespace {

// Every value a format 4 file sets, with its value line, as text for comparing.
struct FileValue {
    int line;
    const char* name;
    std::function<std::string(const ParamFields&)> get;
};

std::vector<FileValue> fileValues() {
    std::vector<FileValue> v;
    for (int i = 0; i < kComponentCount; ++i) {
        v.push_back({3 + 3 * i, "switch", [i](const ParamFields& f) {
                         return std::to_string(f.componentOn[static_cast<std::size_t>(i)]);
                     }});
        v.push_back(
            {4 + 3 * i, "period", [i](const ParamFields& f) { return f.values[kPeriodSlot[i]]; }});
        v.push_back({4 + 3 * i, "amplitude",
                     [i](const ParamFields& f) { return f.values[kAmplitudeSlot[i]]; }});
    }
    v.push_back({kCircleValuesLine, "period Y",
                 [](const ParamFields& f) { return f.values[kCircleYPeriodSlot]; }});
    v.push_back({27, "power", [](const ParamFields& f) { return f.values[kPowerSlot]; }});
    v.push_back(
        {29, "center", [](const ParamFields& f) { return f.center[0] + "," + f.center[1]; }});
    v.push_back({31, "bleed", [](const ParamFields& f) { return f.bleed; }});
    v.push_back({kSizeLine, "size", [](const ParamFields& f) {
                     return std::to_string(f.width) + "x" + std::to_string(f.height);
                 }});
    v.push_back({kColorSetLine, "set",
                 [](const ParamFields& f) { return std::to_string(f.colorSetIndex); }});
    v.push_back(
        {kPhaseLine, "phase", [](const ParamFields& f) { return std::to_string(f.phase); }});
    v.push_back({kFrameEnabledLine, "frame",
                 [](const ParamFields& f) { return std::to_string(f.frame.enabled); }});
    v.push_back({kFrameColorLine, "color",
                 [](const ParamFields& f) { return std::to_string(f.frame.color); }});
    v.push_back({kSenmeiLine, "senmei",
                 [](const ParamFields& f) { return std::to_string(f.frame.senmei); }});
    v.push_back({kShadowLine, "shadow",
                 [](const ParamFields& f) { return std::to_string(f.frame.shadow); }});
    v.push_back(
        {kLineLine, "line", [](const ParamFields& f) { return std::to_string(f.frame.line); }});
    v.push_back({49, "frame width", [](const ParamFields& f) { return f.frame.width; }});
    v.push_back({51, "frame height", [](const ParamFields& f) { return f.frame.height; }});
    return v;
}

// The fields before reading: every value differs from sampleModel()'s.
ParamFields otherModel() {
    ParamFields f;
    f.componentOn = {false, true, false, true, false, true, false, true};
    for (int i = 0; i < kValueSlotCount; ++i)
        f.values[i] = std::to_string(500 + i);
    f.center = {"1", "2"};
    f.bleed = "3";
    f.width = 111;
    f.height = 99;
    f.colorSetIndex = 1;
    f.phase = 5;
    f.frame = {false, 77, 1, 2, 3, "4", "6"};
    return f;
}

// Every value on a line before `firstUnread` comes from the file, none after.
void expectReadUpTo(const ParamFields& f, int firstUnread, const ParamFields& file) {
    for (const FileValue& v : fileValues()) {
        EXPECT_EQ(v.get(f), v.get(v.line < firstUnread ? file : otherModel()))
            << v.name << " on line " << v.line;
    }
}

} // namespace

TEST(ParamText, DamagedFilesLeaveTheValuesReadBeforeTheDamageInFileOrder) {
    ParamFields file = sampleModel();
    file.colorSetIndex = 3; // the last set named "海"
    const auto lines = textcodec::splitLines(formatParamText(file, "海"));
    ASSERT_EQ(lines.size(), 52u);
    // Cut after every line: the values of the lines kept are applied, the others not.
    for (int keep = 2; keep <= 52; ++keep) {
        SCOPED_TRACE("lines kept: " + std::to_string(keep));
        ParamFields f = otherModel();
        const auto r =
            parseParamText(joinLinesCrLf({lines.begin(), lines.begin() + keep}), f, kNames);
        EXPECT_EQ(r.ok(), keep == 52);
        expectReadUpTo(f, keep, file);
    }
    // A value that fails its strict conversion, in each section that has one: what came
    // before stays, nothing from that line on is taken.
    for (int line :
         {kPhaseLine, kFrameEnabledLine, kFrameColorLine, kSenmeiLine, kShadowLine, kLineLine}) {
        SCOPED_TRACE("bad line " + std::to_string(line));
        ParamFields f = otherModel();
        EXPECT_EQ(parseParamText(textWith(file, "海", {{line, "x"}}), f, kNames).status,
                  ParamReadStatus::ReadFailed);
        expectReadUpTo(f, line, file);
    }
    // A missing color set: the fields as they stood at its warning hold the values before
    // the set only; reading goes on, and a later failure leaves what came between.
    ParamFields f = otherModel();
    const auto r = parseParamText(textWith(file, "無い色", {{kFrameColorLine, "red"}}), f, kNames);
    EXPECT_EQ(r.status, ParamReadStatus::ReadFailed);
    ASSERT_TRUE(r.fieldsAtWarning);
    expectReadUpTo(*r.fieldsAtWarning, kColorSetLine, file);
    ParamFields expected = file;
    expected.colorSetIndex = otherModel().colorSetIndex;
    expectReadUpTo(f, kFrameColorLine, expected);
    // Without the warning there is nothing to show with it.
    ParamFields g = otherModel();
    EXPECT_FALSE(parseParamText(formatParamText(file, "海"), g, kNames).fieldsAtWarning);
}

TEST(ParamText, MissingFileReportsTheReadError) {
    TempFolder dir;
    for (const auto& path : {dir.file("none.txt"), dir.file("")}) {
        ParamFields f;
        const auto r = readParamTextFile(path, f, kNames);
        EXPECT_EQ(r.status, ParamReadStatus::ReadFailed);
        ASSERT_EQ(r.outcome.messages().size(), 1u);
        EXPECT_EQ(*r.outcome.failureMessage(), paramReadFailureMessage(path));
        expectSameFields(f, ParamFields{});
    }
}

TEST(ParamText, ImageSizeIsReadTolerantlyAndFlaggedWhenOutOfRange) {
    struct Case {
        std::string line;
        int w, h;
        bool outOfRange;
    };
    for (const auto& c : std::vector<Case>{{"400.5,301.5", 400, 302, false},
                                           {"3000,4", 3000, 4, false},
                                           {"3001,200", 3001, 200, true},
                                           {"abc,3", 0, 3, true},
                                           {"1e30,-1e30", INT32_MAX, INT32_MIN, true}}) {
        SCOPED_TRACE(c.line);
        ParamFields f;
        const auto r =
            parseParamText(textWith(sampleModel(), "海", {{kSizeLine, c.line}}), f, kNames);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(f.width, c.w);
        EXPECT_EQ(f.height, c.h);
        EXPECT_EQ(r.sizeOutOfRange, c.outOfRange);
    }
}

TEST(ParamText, HugeAndBinaryInputsStayBounded) {
    std::string binary(3 * kMaxParamTextBytes, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 131) ^ (i >> 7));
    ParamFields f;
    EXPECT_FALSE(parseParamText(binary, f, kNames).ok());

    // Trailing junk after a complete file does not matter ...
    std::string valid =
        formatParamText(sampleModel(), "海") + std::string(2 * kMaxParamTextBytes, 'x');
    EXPECT_TRUE(parseParamText(valid, f, kNames).ok());
    // ... but fields beyond the limit read as the file ending early.
    std::string late =
        textWith(sampleModel(), "海", {{kCircleValuesLine, std::string(kMaxParamTextBytes, '7')}});
    EXPECT_EQ(parseParamText(late, f, kNames).status, ParamReadStatus::ReadFailed);

    TempFolder dir;
    const auto path = dir.file("big.txt");
    writeBytes(path, valid);
    const auto r = readParamTextFile(path, f, kNames);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.outcome.messages().empty());
}

TEST(ParamText, WriteFailureLeavesTheOldFileWhole) {
    TempFolder dir;
    const auto missing = dir.file("no such folder/p.txt");
    const Result written = writeParamTextFile(missing, sampleModel(), "虹");
    ASSERT_FALSE(written.ok());
    ASSERT_EQ(written.messages().size(), 1u);
    const UserMessage* failure = written.failureMessage();
    EXPECT_EQ(failure->icon, MessageIcon::Critical);
    EXPECT_EQ(failure->text.rfind("書き込み時にエラーが発生しました。\r\n", 0), 0u);
    EXPECT_GT(failure->text.size(), std::string("書き込み時にエラーが発生しました。\r\n").size());

    const auto readOnly = dir.file("ro.txt");
    writeBytes(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(writeParamTextFile(readOnly, sampleModel(), "虹").ok());
    EXPECT_EQ(readBytes(readOnly), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(readOnly).parent_path()), {}), 1);
}
