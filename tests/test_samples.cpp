#include "SampleModels.h"
#include "io/AtomicFile.h"
#include "io/ParamTextFile.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

using namespace wavory;

namespace {

struct Sample {
    const char* file;
    ParamFields (*model)();
};

const Sample kSamples[] = {{"rainbow.txt", samples::rainbow},
                           {"bench-power1.txt", samples::benchPower1},
                           {"bench-power3.txt", samples::benchPower3}};

} // namespace

TEST(Samples, AreWhatOutputTextWritesAndReadBack) {
    const std::vector<std::string> names{"紫水黄", "RGB", "虹", "パステル"};
    for (const auto& s : kSamples) {
        SCOPED_TRACE(s.file);
        const std::string path = std::string(WAVORY_SOURCE_DIR) + "/samples/" + s.file;
        std::string bytes;
        ASSERT_FALSE(readWholeFile(path, bytes));
        const ParamFields model = s.model();
        EXPECT_EQ(bytes, textcodec::encodeFileText(formatParamText(model, samples::kColorSetName)));
        EXPECT_FALSE(textcodec::isValidUtf8(bytes)); // CP932: "虹" and the headers

        ParamFields back;
        const auto r = readParamTextFile(path, back, names);
        ASSERT_TRUE(r.ok());
        EXPECT_FALSE(r.sizeOutOfRange);
        EXPECT_EQ(back.colorSetIndex, 2);
        EXPECT_EQ(back.componentOn, model.componentOn);
        EXPECT_EQ(back.values, model.values);
        EXPECT_EQ(back.bleed, model.bleed);
        EXPECT_EQ(back.width, model.width);
        EXPECT_EQ(back.height, model.height);
        EXPECT_EQ(back.frame.enabled, model.frame.enabled);
        EXPECT_EQ(back.frame.width, model.frame.width);
    }
}
