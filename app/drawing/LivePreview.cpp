#include "LivePreview.h"

#include "PictureTitle.h"
#include "PictureView.h"

#include "engine/DrawModes.h"
#include "engine/PreviewParams.h"

#include <exception>

namespace wavory {

int LivePreview::factorFor(int width, int height, std::int64_t maxPixels) {
    if (static_cast<std::int64_t>(width) * height <= kDrawnInFull)
        return 1;
    return previewFactor(width, height, maxPixels);
}

bool LivePreview::show(const DrawSession::Snapshot& snapshot, const Canvas* base,
                       std::int64_t maxPixels) {
    const DrawParams& full = snapshot.params;
    const int factor = factorFor(full.width, full.height, maxPixels);
    if (factor < 2)
        return false;
    const DrawParams params = previewParams(full, factor);
    DrawOptions options;
    options.noiseKey = snapshot.noiseKey;
    options.keepMemory = false; // the full drawing's kept tables and values stay its own
    try {
        if (isCombiningMode(params.mode)) {
            if (!base || base->width() != full.width || base->height() != full.height)
                return false;
            samplePicture(*base, factor, sampledBase_);
            options.previous = &sampledBase_;
        }
        if (DrawMain(params, snapshot.colorSet, preview_, nullptr, options).outcome !=
            DrawOutcome::Completed)
            return false;
    } catch (const std::exception&) {
        // Out of memory for a look ahead: the full drawing tells what is wrong, if anything.
        return false;
    }
    view_.showPreview(preview_, factor);
    QMetaObject::invokeMethod(
        &view_, [v = &view_] { v->window()->setWindowTitle(previewTitle()); },
        Qt::QueuedConnection);
    return true;
}

void LivePreview::drop() {
    view_.dropPreview();
}

} // namespace wavory
