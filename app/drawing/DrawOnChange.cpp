#include "DrawOnChange.h"

#include "colors/ColorSetController.h"
#include "DrawSession.h"
#include "values/ParamController.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "PictureDocument.h"
#include "PictureWindow.h"

#include "common/RandomSource.h"
#include "engine/DrawRefusal.h"
#include "engine/PreviewParams.h"
#include "io/AppSettings.h"

#include <QAction>
#include <QWidget>

namespace wavory {

bool DrawOnChange::Inputs::operator==(const Inputs& other) const {
    return fields == other.fields && set.colorCount == other.set.colorCount &&
           sameColors(set, other.set);
}

DrawOnChange::DrawOnChange(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window), preview_(*parts.picture.picMain()) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    drawn_ = current();
    connect(&quiet_, &QTimer::timeout, this, &DrawOnChange::valuesSettled);
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, &DrawOnChange::recordNow);
    connect(&parts_.document, &PictureDocument::aboutToChange, this, &DrawOnChange::recordNow);
    connect(&parts_.params, &ParamController::edited, this, &DrawOnChange::valuesChanged);
    // A new size clears the picture: the series' start picture no longer fits.
    connect(&parts_.params, &ParamController::imageSizeChanged, this,
            [this] { seriesOpen_ = false; });
    // Removing, initializing, reading or editing sets may change the selected set.
    ColorSetController& sets = parts_.colorSets;
    connect(&sets, &ColorSetController::listChanged, this, &DrawOnChange::valuesChanged);
    connect(&sets, &ColorSetController::setWritten, this, &DrawOnChange::valuesChanged);
    connect(&sets, &ColorSetController::selectionChanged, this, &DrawOnChange::valuesChanged);
    connect(&parts_.session, &DrawSession::drawingStateChanged, this,
            &DrawOnChange::otherDrawingState);
}

DrawOnChange::Inputs DrawOnChange::current() const {
    const GColor* selected = parts_.colorSets.colorSets().selectedSet();
    return {parts_.params.fields(), selected ? *selected : GColor{}};
}

void DrawOnChange::otherDrawingState(bool drawing) {
    if (drawing_)
        return;
    if (drawing) {
        // The draw command, a parameter file or the animation: their drawing is the next
        // one, and the series is over.
        recordNow();
        quiet_.stop();
        seriesOpen_ = false;
        lastDrawn_.reset(); // its tables take the place of this one's
    } else {
        drawn_ = current();
    }
}

void DrawOnChange::valuesChanged() {
    if (!parts_.settings.option.drawOnChange)
        return;
    // Another drawing changes values of its own (slots raised to 1); they are not edits.
    if (parts_.session.isDrawing() && !drawing_)
        return;
    if (current() == drawn_) {
        quiet_.stop();
        return;
    }
    quiet_.start();
}

void DrawOnChange::valuesSettled() {
    if (!parts_.settings.option.drawOnChange || current() == drawn_)
        return;
    if (drawing_) {
        restart_ = true;
        parts_.session.requestStop();
        return;
    }
    if (!parts_.session.isDrawing())
        drawSeries();
}

void DrawOnChange::recordNow() {
    rest_.stop();
    if (!record_)
        return;
    const Record record = std::move(*record_);
    record_.reset();
    if (record.pictureVersion == parts_.document.pictureVersion())
        Q_EMIT pictureDrawn(record.fields, record.set, record.noiseKey);
}

bool DrawOnChange::drawable(const Inputs& inputs) {
    return checkComponents(inputs.fields).ok() &&
           drawRefusal(takeDrawSnapshot(inputs.fields), inputs.set).ok();
}

void DrawOnChange::drawSeries() {
    DrawSession& session = parts_.session;
    // Nothing to draw: nothing locks, nothing is said.
    if (!drawable(current())) {
        drawn_ = current();
        return;
    }
    drawing_ = true;
    if (!session.begin(DrawSession::Locking::AllButValues)) { // the program is ending
        drawing_ = false;
        return;
    }
    bool drawn = false;
    do {
        restart_ = false;
        drawn = drawOnce() || drawn;
    } while (restart_ && !session.isClosed());
    // A drawing stopped short showed the preview beyond its columns: the picture stands now.
    preview_.drop();
    session.end(DrawSession::HeldMemory::KeptForSeries);
    drawing_ = false;
    if (drawn && undo_)
        undo_->setEnabled(true);
}

bool DrawOnChange::drawOnce() {
    drawn_ = current();
    if (!drawable(drawn_))
        return false;
    const DrawParams params = takeDrawSnapshot(drawn_.fields);
    parts_.params.edit([](ParamModel& m) { m.raiseSlotsToOne(); });
    PictureWindow& picture = parts_.picture;
    if (showPicture_ && !picture.isVisible()) {
        // Shown, not activated: the focus stays in the field being typed into.
        const bool was = picture.testAttribute(Qt::WA_ShowWithoutActivating);
        picture.setAttribute(Qt::WA_ShowWithoutActivating, true);
        showPicture_();
        picture.setAttribute(Qt::WA_ShowWithoutActivating, was);
    }
    // The picture that waited to be recorded is drawn over: the hand has moved on.
    record_.reset();
    rest_.stop();
    const std::uint64_t noiseKey = parts_.random.nextBits();
    const DrawSession::Snapshot snapshot{params, drawn_.set, noiseKey};
    // The first drawing of a series keeps the undo image; the others go over it again.
    // When the drawing can use the tables the last one kept, its preview is drawn on the
    // drawing's worker once the drawing holds them; otherwise it comes first. Either way
    // the preview draws in memory of its own and leaves the kept tables to the drawing.
    const bool tablesKept = lastDrawn_ && sameTableInputs(*lastDrawn_, params);
    const bool valuesKept = tablesKept && sameValueInputs(*lastDrawn_, params);
    lastDrawn_ = params;
    if (!tablesKept) {
        const PictureDocument& document = parts_.document;
        const Canvas* base = seriesOpen_ ? document.undoPicture() : nullptr;
        preview_.show(snapshot, base ? base : &document.canvas());
    }
    const DrawResult result = parts_.session.draw(
        snapshot, seriesOpen_ ? DrawSession::Over::SameSeries : DrawSession::Over::NewUndoImage,
        [&](const Canvas* base) {
            if (tablesKept)
                preview_.show(snapshot, base,
                              valuesKept ? LivePreview::kQuickPreviewPixels
                                         : LivePreview::kPreviewPixels);
        });
    // Refused or failed, it is taken back whole: a series it would have opened is not open.
    if (!parts_.dialogs.report(window_, result.report))
        return false;
    seriesOpen_ = true;
    // One beep for the picture that stands and, once it has stood, one history entry;
    // none for the drawings a change cut short.
    if (result.outcome != DrawOutcome::Completed)
        return true;
    if (parts_.settings.option.drewBeep)
        parts_.dialogs.beep();
    record_ = Record{drawn_.fields, drawn_.set, noiseKey, parts_.document.pictureVersion()};
    rest_.start();
    return true;
}

} // namespace wavory
