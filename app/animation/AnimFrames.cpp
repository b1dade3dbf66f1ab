#include "AnimFrames.h"

#include "drawing/DrawSession.h"
#include "drawing/PictureDocument.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "values/ParamController.h"
#include "drawing/PictureWindow.h"

#include "anim/AnimFrameMaker.h"
#include "anim/AnimPhases.h"
#include "colorsets/ColorSetCollection.h"
#include "common/RandomSource.h"
#include "engine/DrawRefusal.h"

#include <QCoreApplication>
#include <QWidget>

#include <exception>
#include <new>

namespace wavory {

AnimFrames::AnimFrames(const Parts& parts, QWidget* window) : parts_(parts), window_(window) {}

AnimFrames::~AnimFrames() = default;

FrameStore& AnimFrames::store() {
    if (!store_)
        store_ = std::make_unique<FrameStore>(limits_ ? *limits_ : defaultFrameStoreLimits());
    return *store_;
}

void AnimFrames::setLimits(const FrameStoreLimits& limits) {
    limits_ = limits;
    store_.reset();
}

bool AnimFrames::frame(int index, Canvas& out) const {
    return store_ && index >= 0 && store_->get(index, out);
}

int AnimFrames::held() const {
    return store_ ? store_->held() : 0;
}

bool AnimFrames::prepare(int frames) {
    UserDialogs& dialogs = parts_.dialogs;
    params_ = takeDrawSnapshot(parts_.params.fields());
    const GColor* selected = parts_.colorSets.selectedSet();
    colorSet_ = selected ? *selected : GColor{};
    if (!dialogs.report(window_, drawRefusal(params_, colorSet_)))
        return false;
    // Refused before anything is drawn when the frames cannot fit.
    return dialogs.report(window_, store().reserve(frames, params_.width, params_.height));
}

bool AnimFrames::make(double from, double to, int frames,
                      const std::function<void(int)>& frameStarted,
                      const std::function<bool()>& goOn) {
    DrawSession& session = parts_.session;
    if (!session.begin()) // the program is ending
        return false;
    parts_.showPicture();
    PictureWindow* picture = &parts_.picture;
    picture->setCursor(Qt::BusyCursor);
    bool completed = false;
    // A frame that cannot be drawn comes back from the session as its result; this is for
    // keeping the frames (the store's own memory).
    try {
        completed = makeFrames(from, to, frames, frameStarted, goOn);
    } catch (const std::bad_alloc&) {
        showNoMemoryToDraw(parts_.dialogs, window_);
    }
    // The last frames are still being compressed: a frame that could not be kept is told
    // now, also after a stop, so that no frame is missing unannounced.
    if (!parts_.dialogs.report(window_, store().flush()))
        completed = false;
    picture->unsetCursor();
    session.end();
    return completed;
}

bool AnimFrames::makeFrames(double from, double to, int frames,
                            const std::function<void(int)>& frameStarted,
                            const std::function<bool()>& goOn) {
    DrawSession& session = parts_.session;
    DrawOptions options;
    options.noiseKey = parts_.random.nextBits(); // one bleed for every frame
    AnimFrameMaker maker(params_, colorSet_, options);
    FrameStore& frameStore = store();
    for (int i = 1; i <= frames; ++i) {
        frameStarted(i);
        const int phase = animFramePhase(from, to, frames, i);
        parts_.params.command([phase](ParamModel& m) { m.setPhase(phase); });
        // Recoloured frames take milliseconds: no round trip to the window per title.
        const DrawResult result = session.drawWith(
            [&](Canvas& canvas, DrawObserver* observer) {
                return maker.draw(phase, canvas, observer);
            },
            DrawSession::Over::Canvas,
            maker.recolours() ? DrawSession::Titles::LatestShown
                              : DrawSession::Titles::EachAwaited);
        if (!parts_.dialogs.report(window_, result.report))
            return false;
        QCoreApplication::processEvents();
        // A stop, closing the window or the program's end: the frame just drawn is not kept.
        if (!goOn() || result.outcome != DrawOutcome::Completed || session.isClosed())
            return false;
        if (!parts_.dialogs.report(window_,
                                   maker.store(frameStore, i - 1, parts_.document.canvas())))
            return false;
    }
    return true;
}

void AnimFrames::stop() {
    parts_.session.requestStop();
}

} // namespace wavory
