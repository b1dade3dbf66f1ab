#include "DrawCommand.h"

#include "DrawSession.h"
#include "values/ParamController.h"
#include "PictureDocument.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "PictureWindow.h"

#include "colorsets/ColorSetCollection.h"
#include "common/RandomSource.h"
#include "engine/DrawRefusal.h"
#include "io/AppSettings.h"

#include <QAction>
#include <QLineEdit>
#include <QWidget>

namespace wavory {

DrawCommand::DrawCommand(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {}

bool DrawCommand::check() {
    return parts_.dialogs.report(window_, checkComponents(parts_.params.fields()));
}

void DrawCommand::runFromField(QLineEdit* field) {
    // A drawing that follows the values draws the field's value already, or will.
    if (parts_.session.isFollowingValues())
        return;
    returnField_ = field;
    run();
}

void DrawCommand::randomSetting() {
    parts_.params.randomSetting(parts_.settings, parts_.colorSets, parts_.random);
    // A drawing that follows the values takes the new ones up by itself.
    if (parts_.settings.option.drawOnRnd && !parts_.session.isFollowingValues())
        run();
}

void DrawCommand::run() {
    runWith(nullptr, std::nullopt);
}

void DrawCommand::redraw(const GColor& set, std::optional<std::uint64_t> noiseKey) {
    runWith(&set, noiseKey);
}

void DrawCommand::runWith(const GColor* chosenSet, std::optional<std::uint64_t> noiseKey) {
    DrawSession& session = parts_.session;
    // A press during a drawing is the stop request.
    if (session.isDrawing()) {
        session.requestStop();
        return;
    }
    const QPointer<QLineEdit> returnField = returnField_;
    returnField_ = nullptr;
    if (session.isClosed() || !check())
        return;
    // The snapshot and the set are copies: nothing the window does while the drawing runs
    // reaches them. A set that cannot be drawn or a frame without width is refused before
    // anything changes (without a selected set the empty set is refused too).
    const DrawParams params = takeDrawSnapshot(parts_.params.fields());
    const GColor* selected = chosenSet ? chosenSet : parts_.colorSets.selectedSet();
    const GColor set = selected ? *selected : GColor{};
    if (!parts_.dialogs.report(window_, drawRefusal(params, set)))
        return;
    parts_.params.edit([](ParamModel& m) { m.raiseSlotsToOne(); });
    PictureWindow& picture = parts_.picture;
    if (showPicture_)
        showPicture_();
    picture.setCursor(Qt::BusyCursor);
    window_->setCursor(Qt::BusyCursor);
    if (!session.begin()) { // the program is ending
        window_->unsetCursor();
        picture.unsetCursor();
        return;
    }
    bringToFront(&picture);

    const std::uint64_t key = noiseKey ? *noiseKey : parts_.random.nextBits();
    const DrawResult result = session.draw({params, set, key}, DrawSession::Over::NewUndoImage);
    parts_.dialogs.report(window_, result.report);
    if (result.outcome == DrawOutcome::Refused) { // no memory to keep the picture for undo
        window_->unsetCursor();
        picture.unsetCursor();
        session.end();
        return;
    }
    if (result.outcome == DrawOutcome::Completed)
        Q_EMIT pictureDrawn(parts_.params.fields(), set, key);

    if (parts_.settings.option.drewBeep)
        parts_.dialogs.beep();
    window_->unsetCursor();
    picture.unsetCursor();
    session.end();
    if (parts_.settings.option.activeAfterDrawing) {
        bringToFront(window_);
        if (returnField)
            returnField->setFocus(Qt::OtherFocusReason);
    }
    Q_EMIT finished();
}

void DrawCommand::undo() {
    parts_.document.undo();
    if (undo_)
        undo_->setEnabled(false);
}

} // namespace wavory
