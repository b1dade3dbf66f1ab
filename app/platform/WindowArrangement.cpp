#include "WindowArrangement.h"

#include <algorithm>

namespace wavory {

namespace {

// Integer division truncating towards zero, then a negative offset becomes 0.
std::int64_t halfOffset(std::int64_t room) {
    return std::max<std::int64_t>(room / 2, 0);
}

} // namespace

Arrangement arrangeWindows(const TwipsRect& main, const TwipsRect& frame, const TwipsRect& picture,
                           const TwipsRect& help, bool frameShown) {
    Arrangement a;
    a.help = {main.left, main.top + main.height};
    if (frameShown) {
        a.frame = {main.left + main.width, main.top};
        const std::int64_t dx = halfOffset(frame.width - picture.width);
        const std::int64_t dy =
            halfOffset(a.help.top + help.height - a.frame.top - frame.height - picture.height);
        a.picture = {a.frame.left + dx, a.frame.top + frame.height + dy};
    } else {
        a.frame = {frame.left, frame.top};
        a.picture = {main.left + main.width, main.top};
    }
    return a;
}

} // namespace wavory
