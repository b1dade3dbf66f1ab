#include "CenterDrag.h"

#include "DrawSession.h"
#include "PictureView.h"
#include "PictureWindow.h"
#include "values/ParamController.h"

#include "common/Numbers.h"

namespace wavory {

CenterDrag::CenterDrag(ParamController& params, DrawSession& session, PictureWindow& picture,
                       QObject* parent)
    : QObject(parent), params_(params), session_(session), picture_(picture) {
    PictureView* view = picture.picMain();
    connect(view, &PictureView::dragStarted, this, &CenterDrag::start);
    connect(view, &PictureView::dragMoved, this, &CenterDrag::move);
    connect(view, &PictureView::dragFinished, this, &CenterDrag::finish);
    connect(view, &PictureView::dragCancelled, this, &CenterDrag::cancel);
}

void CenterDrag::start(const QPoint& at) {
    // The draw command, a file or the animation draws: its values stand until it ends.
    if (session_.isDrawing() && !session_.isFollowingValues())
        return;
    dragging_ = true;
    startCenter_ = params_.fields().center;
    markerWasShown_ = picture_.centerMarkerVisible();
    picture_.showCenterMarker(true);
    move(at);
}

void CenterDrag::move(const QPoint& at) {
    if (!dragging_)
        return;
    // The center lies at (W / 2 - X, H / 2 - Y) for the offsets X, Y.
    const PictureView* view = picture_.picMain();
    const std::int64_t x = view->imageWidth() / 2 - at.x();
    const std::int64_t y = view->imageHeight() / 2 - at.y();
    setCenter(plainDecimal(x), plainDecimal(y));
}

void CenterDrag::finish() {
    if (!dragging_)
        return;
    dragging_ = false;
    picture_.showCenterMarker(markerWasShown_);
}

void CenterDrag::cancel() {
    if (!dragging_)
        return;
    setCenter(startCenter_[0], startCenter_[1]);
    finish();
}

void CenterDrag::setCenter(const std::string& x, const std::string& y) {
    const auto& center = params_.fields().center;
    if (center[0] == x && center[1] == y)
        return;
    params_.command([&](ParamModel& m) {
        m.setCenterText(0, x);
        m.setCenterText(1, y);
    });
}

} // namespace wavory
