#include "VariationController.h"

#include "colors/ColorSetController.h"
#include "drawing/DrawSession.h"
#include "values/ParamController.h"
#include "platform/WindowPlacement.h"
#include "drawing/PictureDocument.h"
#include "VariationPicker.h"

#include "common/RandomSource.h"
#include "engine/DrawRefusal.h"
#include "io/AppSettings.h"

#include <QWidget>

#include <algorithm>

namespace wavory {

VariationController::VariationController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), owner_(window) {}

int VariationController::spread() const {
    return std::clamp<int>(parts_.settings.extras.variationSpread, 0, kMaxVariationSpread);
}

void VariationController::setSpread(int spread) {
    parts_.settings.extras.variationSpread =
        static_cast<std::int16_t>(std::clamp(spread, 0, kMaxVariationSpread));
}

VariationPicker* VariationController::window() const {
    return window_;
}

void VariationController::show() {
    if (!window_) {
        window_ = new VariationPicker(*this, parts_.session, owner_);
        placeNewWindow(window_, owner_);
        variations_.reset();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!variations_)
        makeNew();
}

void VariationController::makeNew() {
    const ColorSetCollection& collection = parts_.colorSets.colorSets();
    const GColor* selected = collection.selectedSet();
    RandomSettingContext context = parts_.params.randomSettingContext(collection);
    // Without a selected set the bleed moves within the range of a two-color set.
    if (!selected)
        context.selectedSetPointCount = 2;
    RandomSource& random = parts_.random;
    variations_ = makeVariations(parts_.params.model(),
                                 ParamController::randomSettingOptions(parts_.settings), context,
                                 spread(), random.nextBits());

    std::vector<VariationDrawings::Job> jobs;
    std::array<bool, kVariationCount> drawn{};
    for (int i = 0; i < kVariationCount; ++i) {
        const ParamFields& fields = (*variations_)[static_cast<std::size_t>(i)].fields();
        const int index = fields.colorSetIndex;
        const GColor set = index >= 0 && index < collection.colorSetCount()
                               ? collection.at(index)
                               : (selected ? *selected : GColor{});
        sets_[static_cast<std::size_t>(i)] = set;
        VariationDrawings::Job job{i, takeDrawSnapshot(fields), set, random.nextBits()};
        // What the draw command would refuse is not drawn; its place stays empty.
        if (checkComponents(fields).ok() && drawRefusal(job.params, set).ok()) {
            drawn[static_cast<std::size_t>(i)] = true;
            jobs.push_back(std::move(job));
        }
    }
    Q_EMIT setMade();
    for (int i = 0; i < kVariationCount; ++i) {
        if (!drawn[static_cast<std::size_t>(i)])
            Q_EMIT skipped(i);
    }
    drawings_.start(jobs, std::make_shared<const Canvas>(parts_.document.canvas()));
}

bool VariationController::adopt(int index) {
    if (!variations_ || index < 0 || index >= kVariationCount || parts_.session.isDrawing())
        return false;
    const auto i = static_cast<std::size_t>(index);
    const ParamFields& chosen = (*variations_)[i].fields();
    // The values a variation changes; size, mode, phase and frame stay as they are now.
    ParamFields fields = parts_.params.fields();
    fields.componentOn = chosen.componentOn;
    fields.values = chosen.values;
    fields.center = chosen.center;
    fields.bleed = chosen.bleed;
    const int set = parts_.colorSets.indexForSet(sets_[i], chosen.colorSetIndex);
    if (set >= 0)
        fields.colorSetIndex = set;
    parts_.params.assign(fields);
    return true;
}

} // namespace wavory
