#include "engine/DrawRefusal.h"

#include <algorithm>
#include <string>

namespace wavory {

namespace {
UserMessage critical(std::string_view text) {
    return UserMessage{MessageIcon::Critical, std::string(text)};
}
} // namespace

std::optional<UserMessage> DrawCheck(const ParamFields& fields) {
    const bool anyOn = std::any_of(fields.componentOn.begin(), fields.componentOn.end(),
                                   [](bool on) { return on; });
    if (anyOn) return std::nullopt;
    return critical(kNoComponentMessage);
}

std::optional<UserMessage> drawRefusal(const DrawParams& params, const GColor& colorSet) {
    if (params.width < 1 || params.height < 1) return critical(kImageSizeMessage);
    if (params.width > kMaxDrawSide || params.height > kMaxDrawSide)
        return critical(kImageTooLargeMessage);
    if (colorSet.colorCount < 2) return critical(kColorSetTooSmallMessage);
    if (colorSet.colorCount > kMaxColorPoints) return critical(kColorSetTooLargeMessage);
    if (params.frame.enabled && (params.frame.fx < 1 || params.frame.fy < 1))
        return critical(kFrameSizeMessage);
    return std::nullopt;
}

} // namespace wavory
