#include "ParamController.h"

#include "colorsets/ColorSetCollection.h"
#include "common/RandomSource.h"
#include "io/AppSettings.h"

namespace wavory {

void ParamController::setImageSize(int width, int height) {
    model_.setImageSize(width, height);
    Q_EMIT imageSizeChanged(width, height);
    Q_EMIT edited();
}

void ParamController::assign(const ParamFields& fields) {
    const bool resized =
        fields.width != model_.fields().width || fields.height != model_.fields().height;
    model_.assignFields(fields);
    if (resized)
        Q_EMIT imageSizeChanged(fields.width, fields.height);
    Q_EMIT changed();
    Q_EMIT edited();
}

RandomSettingOptions ParamController::randomSettingOptions(const AppSettings& settings) {
    RandomSettingOptions options;
    options.groups = settings.option.doRndSet;
    options.periodTendency = settings.option.rndSetBs;
    options.amplitudeTendency = settings.option.rndSetSw;
    return options;
}

RandomSettingContext ParamController::randomSettingContext(
    const ColorSetCollection& colorSets) const {
    const GColor* selected = colorSets.selectedSet();
    RandomSettingContext context;
    context.colorSetCount = colorSets.colorSetCount();
    context.selectedSetPointCount = selected ? selected->colorCount : 0;
    context.imageWidth = model_.fields().width;
    context.imageHeight = model_.fields().height;
    return context;
}

void ParamController::randomSetting(const AppSettings& settings,
                                    const ColorSetCollection& colorSets, RandomSource& random) {
    applyRandomSetting(model_, randomSettingOptions(settings), randomSettingContext(colorSets),
                       [&random] { return static_cast<double>(random.next()); });
    Q_EMIT changed();
    Q_EMIT edited();
}

} // namespace wavory
