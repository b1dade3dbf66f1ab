#pragma once
// The easy help window's topics: what it shows for each topic number a control reports.
// Topic 0, and any number no control uses, is the empty topic that clears the window.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wavory {

enum class HelpLevel { None = 0, Basic = 1, Advanced = 2 };

struct HelpTopic {
    std::string title;
    std::string explanation; // one or two lines joined by CR LF
    std::string redNote;     // empty: no note
    HelpLevel level = HelpLevel::None;
    // The labels under the first and the second illustration; absent for most topics.
    std::optional<std::pair<std::string, std::string>> range;
    // Illustrations 1..kIllustrationCount, 0 = none.
    int firstPicture = 0;
    int secondPicture = 0;
};

inline constexpr int kIllustrationCount = 32;

// The eight component switches report 10 + their index.
inline constexpr int kFirstComponentTopic = 10;

// The topic record of a number in the interface's language (UiText::tr); the empty
// record for 0 and for unknown numbers.
HelpTopic helpTopic(int number);

// Every topic number with content, ascending.
std::vector<int> helpTopicNumbers();

// The badge text of a level: "基本", "中・上級者向け機能" (translated), or empty.
std::string levelBadgeText(HelpLevel level);

// The window's banner, for one channel c (0..255) of its background color: line b
// (40..80) of the ramp at its left edge, 255 - (255 - c) x b / 80, and the caption,
// 255 - (255 - c) x 0.64; both rounded half to even. Line 80 is the background itself.
inline constexpr int kBannerRampFirst = 40;
inline constexpr int kBannerRampLast = 80;
int bannerRampChannel(int c, int b);
int bannerCaptionChannel(int c);

} // namespace wavory
