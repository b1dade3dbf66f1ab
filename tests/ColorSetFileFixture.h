#pragma once
// Shared by the color set file tests: a fresh program folder per test, file helpers and
// a record of the messages the operations return.

#include "TempFolder.h"

#include "colorsets/ColorSetCollection.h"
#include "io/AtomicFile.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace wavory::testing {

struct Point {
    int r, g, b;
    friend bool operator==(const Point&, const Point&) = default;
};

// "\n" line ends to the CR LF the program writes.
inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The CP932 bytes of a UTF-8 text (every test text fits CP932).
inline std::string cp932(std::string_view utf8) {
    return textcodec::toCp932(utf8).value_or("<not CP932>");
}

// One set section as the program writes it, "\n" line ends.
inline std::string setSection(int number, std::string_view name, int level,
                              const std::vector<Point>& points) {
    std::string text = "[ColorSet " + std::to_string(number) + "]\n";
    text += "ColorSetName=" + std::string(name) + "\n";
    text += "ColorCount=" + std::to_string(points.size()) + "\n";
    text += "ColorLevelCount=" + std::to_string(level) + "\n";
    int i = 0;
    for (const Point& p : points) {
        const std::string key = "Color " + std::to_string(i++);
        text += key + "R=" + std::to_string(p.r) + "\n";
        text += key + "G=" + std::to_string(p.g) + "\n";
        text += key + "B=" + std::to_string(p.b) + "\n";
    }
    return text;
}

inline void addSet(ColorSetCollection& sets, std::string_view name, int level,
                   const std::vector<Point>& points) {
    ASSERT_TRUE(sets.addColorSet(name, static_cast<std::int16_t>(level)).ok());
    const int index = sets.colorSetCount() - 1;
    for (const Point& p : points)
        ASSERT_TRUE(sets.addColorPoint(index, p.r, p.g, p.b));
}

inline void expectPoints(const GColor& set, const std::vector<Point>& points) {
    ASSERT_EQ(set.colorCount, static_cast<int>(points.size())) << set.name;
    int i = 0;
    for (const Point& p : points) {
        EXPECT_EQ(set.r[i], p.r) << set.name << " point " << i;
        EXPECT_EQ(set.g[i], p.g) << set.name << " point " << i;
        EXPECT_EQ(set.b[i], p.b) << set.name << " point " << i;
        ++i;
    }
}

class ColorSetFileTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return home_ + "/" + name; }
    void put(const std::string& name, const std::string& bytes) const {
        ASSERT_FALSE(writeFileAtomically(file(name), bytes));
    }
    std::string get(const std::string& name) const {
        std::string bytes;
        EXPECT_FALSE(readWholeFile(file(name), bytes)) << name;
        return bytes;
    }

    ColorSetCollection collection() { return {}; }
    // Keeps the messages of an operation's outcome, in order, for the test to check.
    template <class Read> Read record(Read read) {
        const auto& shown = read.outcome.messages();
        messages_.insert(messages_.end(), shown.begin(), shown.end());
        return read;
    }

    TempProgramFolder folder_;
    std::string home_ = folder_.str();
    std::vector<UserMessage> messages_;
};

} // namespace wavory::testing
