#include "engine/DrawRefusal.h"

#include <algorithm>
#include <string>

namespace wavory {

namespace {
Result refused(std::string_view text) {
    return Result::failure(MessageIcon::Critical, UiText::tr(text));
}
} // namespace

Result checkComponents(const ParamFields& fields) {
    const bool anyOn = std::any_of(fields.componentOn.begin(), fields.componentOn.end(),
                                   [](bool on) { return on; });
    if (anyOn)
        return {};
    return refused(kNoComponentMessage);
}

Result drawRefusal(const DrawParams& params, const GColor& colorSet) {
    if (params.width < 1 || params.height < 1)
        return refused(kImageSizeMessage);
    if (params.width > kMaxDrawSide || params.height > kMaxDrawSide)
        return refused(kImageTooLargeMessage);
    if (colorSet.colorCount < 2)
        return refused(kColorSetTooSmallMessage);
    if (colorSet.colorCount > kMaxColorPoints)
        return refused(kColorSetTooLargeMessage);
    if (params.frame.enabled && (params.frame.fx < 1 || params.frame.fy < 1))
        return refused(kFrameSizeMessage);
    return {};
}

} // namespace wavory
