#include "io/OutputNames.h"

#include <gtest/gtest.h>

using namespace wavory;

TEST(OutputNames, FormatFollowsTheEndOfTheName) {
    struct Case {
        const char* name;
        ImageFileFormat format;
    };
    for (const auto& c :
         {Case{"a.jpg", ImageFileFormat::Jpeg}, Case{"a.JPG", ImageFileFormat::Jpeg},
          Case{"a.Jpeg", ImageFileFormat::Jpeg}, Case{"ajpeg", ImageFileFormat::Jpeg},
          Case{"a.png", ImageFileFormat::Png}, Case{"/x/A.PNG", ImageFileFormat::Png},
          Case{"mypng", ImageFileFormat::Png}, Case{"png", ImageFileFormat::Png},
          Case{"a.jpe", ImageFileFormat::Bmp}, Case{"a.gif", ImageFileFormat::Bmp},
          Case{"a", ImageFileFormat::Bmp}, Case{"", ImageFileFormat::Bmp},
          Case{"pg", ImageFileFormat::Bmp}, Case{"a.png.bmp", ImageFileFormat::Bmp},
          Case{"写真.ｐｎｇ", ImageFileFormat::Bmp}, Case{"/p.jpg/a", ImageFileFormat::Bmp}}) {
        EXPECT_EQ(imageFormatForName(c.name), c.format) << c.name;
    }
}

TEST(OutputNames, CompanionTextReplacesTheExtension) {
    EXPECT_EQ(companionTextName("/a/wave.jpg"), "/a/wave.txt");
    EXPECT_EQ(companionTextName("/a/wave"), "/a/wave.txt");
    EXPECT_EQ(companionTextName("/a/wave.tar.png"), "/a/wave.tar.txt");
    EXPECT_EQ(companionTextName("/a.b/c"), "/a.b/c.txt");
    EXPECT_EQ(companionTextName("wave.bmp"), "wave.txt");
    EXPECT_EQ(companionTextName(".bmp"), ".bmp.txt");   // a leading dot is no extension dot
    EXPECT_EQ(companionTextName("/a/.bmp"), "/a/.txt"); // only the path's first character counts
    EXPECT_EQ(companionTextName("/a/b."), "/a/b.txt");
}
