// The sample color set files shipped in colorset/: each reads back into the sets it was
// made from, and is exactly what the program writes for them (CP932, CR LF).
#include "ColorSetFileFixture.h"

#include "colorsets/ColorSetFile.h"
#include "colorsets/ColorSetFileCommands.h"

using namespace wavory;
using namespace wavory::testing;

namespace {

struct SampleSet {
    const char* name;
    int level;
    std::vector<Point> points;
};

struct SampleFile {
    const char* file;
    bool wholeCollection; // written by save-all, with "Count"
    std::vector<SampleSet> sets;
};

const std::vector<SampleFile>& samples() {
    static const std::vector<SampleFile> files = {
        {"sunset.cst",
         false,
         {{"夕焼け",
           8,
           {{32, 16, 64},
            {112, 32, 112},
            {216, 56, 88},
            {255, 128, 48},
            {255, 208, 112},
            {255, 128, 48},
            {112, 32, 112},
            {32, 16, 64}}}}},
        {"deepsea.cst",
         false,
         {{"深海",
           8,
           {{0, 8, 32},
            {0, 32, 88},
            {0, 88, 144},
            {32, 168, 192},
            {160, 240, 240},
            {32, 168, 192},
            {0, 88, 144},
            {0, 32, 88},
            {0, 8, 32}}}}},
        {"forest.cst",
         false,
         {{"森林",
           8,
           {{16, 40, 16},
            {32, 88, 32},
            {96, 152, 48},
            {200, 224, 112},
            {96, 152, 48},
            {40, 72, 24},
            {16, 40, 16}}}}},
        {"candy.cst",
         false,
         {{"キャンディ",
           3,
           {{255, 136, 184},
            {255, 248, 252},
            {136, 208, 255},
            {255, 248, 252},
            {255, 232, 136},
            {255, 248, 252},
            {255, 136, 184}}}}},
        {"metals.cst",
         true,
         {{"金", 8, {{88, 56, 8}, {184, 136, 40}, {248, 224, 144}, {184, 136, 40}, {88, 56, 8}}},
          {"銀",
           8,
           {{56, 60, 68}, {152, 158, 168}, {244, 246, 250}, {152, 158, 168}, {56, 60, 68}}},
          {"銅", 8, {{64, 24, 8}, {176, 96, 56}, {248, 184, 144}, {176, 96, 56}, {64, 24, 8}}},
          {"青鋼",
           8,
           {{20, 24, 32}, {80, 92, 112}, {184, 196, 216}, {80, 92, 112}, {20, 24, 32}}}}},
    };
    return files;
}

std::string samplePath(const char* file) {
    return std::string(WAVORY_SOURCE_DIR) + "/colorset/" + file;
}

} // namespace

TEST_F(ColorSetFileTest, ShippedSamplesReadBackIntoTheirSets) {
    std::size_t fileCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(WAVORY_SOURCE_DIR "/colorset"))
        fileCount += entry.path().extension() == ".cst";
    EXPECT_EQ(fileCount, samples().size()); // every shipped file is checked here

    for (const SampleFile& sample : samples()) {
        SCOPED_TRACE(sample.file);
        messages_.clear();
        auto sets = collection();
        const auto result = record(loadColorSetFile(samplePath(sample.file), sets));
        ASSERT_FALSE(result.error);
        EXPECT_TRUE(messages_.empty());
        ASSERT_EQ(sets.colorSetCount(), static_cast<int>(sample.sets.size()));
        auto made = collection();
        for (std::size_t i = 0; i < sample.sets.size(); ++i) {
            const SampleSet& expected = sample.sets[i];
            const GColor& set = sets.at(static_cast<int>(i));
            EXPECT_EQ(set.name, expected.name);
            EXPECT_EQ(set.colorLevelCount, expected.level);
            EXPECT_TRUE(set.drawable());
            expectPoints(set, expected.points);
            addSet(made, expected.name, expected.level, expected.points);
        }

        // Byte for byte what the save commands write for these sets.
        const Result saved = sample.wholeCollection ? saveAllColorSetsFile("made.cst", made)
                                                    : saveColorSetFile("made.cst", made, 0);
        ASSERT_TRUE(saved.ok());
        std::string shipped;
        ASSERT_FALSE(readWholeFile(samplePath(sample.file), shipped));
        EXPECT_EQ(shipped, get("made.cst"));
        EXPECT_FALSE(textcodec::isValidUtf8(shipped)); // CP932 names
        EXPECT_EQ(shipped.starts_with("[ColorSet]\r\nCount="), sample.wholeCollection);
    }
}
