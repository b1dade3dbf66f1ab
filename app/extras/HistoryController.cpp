#include "HistoryController.h"

#include "colors/ColorSetController.h"
#include "drawing/DrawCommand.h"
#include "drawing/DrawSession.h"
#include "values/ParamController.h"
#include "drawing/PictureDocument.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"
#include "HistoryBrowser.h"

#include "common/ProgramFolder.h"
#include "history/HistoryFile.h"
#include "image/Thumbnail.h"
#include "io/AppSettings.h"
#include "io/SetAside.h"

#include <QAction>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <new>

namespace wavory {

namespace {

const char* const kClearQuestion = QT_TRANSLATE_NOOP("Ui", "履歴をすべて消去します。\r\nよろしいですか？");

bool sameSize(const PackedCanvas& packed, const Canvas& canvas) {
    return packed.width() == canvas.width() && packed.height() == canvas.height();
}

std::filesystem::path historyFile() {
    return programFolder() + kHistoryFileName;
}

} // namespace

HistoryController::HistoryController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), owner_(window) {}

HistoryController::~HistoryController() = default;

void HistoryController::record(const ParamFields& fields, const GColor& set,
                               std::uint64_t noiseKey) {
    const Canvas& canvas = parts_.document.canvas();
    if (canvas.empty() || redrawing_)
        return;
    HistoryEntry entry;
    entry.time = std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::system_clock::now().time_since_epoch())
                     .count();
    entry.fields = fields;
    entry.colorSet = set;
    entry.noiseKey = noiseKey;
    try {
        entry.thumbnail = makeThumbnail(canvas, kHistoryThumbnailSide);
        // Compressed, the picture costs a fraction of a canvas; without memory for that
        // the entry goes without it.
        entry.picture = PackedCanvas::pack(canvas);
    } catch (const std::bad_alloc&) {
        // Out of memory: the entry goes without its picture, or not at all.
        if (entry.thumbnail.empty())
            return;
    }
    history_.add(std::move(entry));
    Q_EMIT changed();
}

bool HistoryController::apply(std::uint64_t id) {
    const HistoryEntry* found = history_.find(id);
    DrawSession& session = parts_.session;
    if (!found || session.isDrawing())
        return false;
    // A copy: the colour set may be added below, and nothing else may change the entry.
    // Its thumbnail stays behind: copying it could run out of memory before anything
    // is drawn.
    HistoryEntry entry;
    entry.fields = found->fields;
    entry.colorSet = found->colorSet;
    entry.picture = found->picture;
    entry.noiseKey = found->noiseKey;
    // Like a drawing: the controls are locked and a drawing that follows the values learns
    // that these values are on screen now.
    if (!session.begin())
        return false;
    ParamFields fields = entry.fields;
    const int index = parts_.colorSets.indexForSet(entry.colorSet, fields.colorSetIndex);
    if (index >= 0)
        fields.colorSetIndex = index;
    else
        fields.colorSetIndex = parts_.params.fields().colorSetIndex;
    parts_.params.assign(fields);
    if (entry.picture && sameSize(*entry.picture, parts_.document.canvas())) {
        // Brought back like a drawing, with a new undo image; should the memory run out
        // on the way, the picture and its undo stay as they were.
        const PackedCanvas& packed = *entry.picture;
        const DrawResult result = session.drawWith(
            [&packed](Canvas& canvas, DrawObserver* observer) {
                observer->started();
                if (!packed.unpackInto(canvas))
                    throw std::bad_alloc();
                observer->columnsReady(0, canvas.width());
                return DrawResult{};
            },
            DrawSession::Over::NewUndoImage);
        if (parts_.dialogs.report(owner_, result.report) && undo_)
            undo_->setEnabled(true);
    }
    session.end();
    if (!entry.picture) {
        // Drawn again, as exactly as the entry allows, like any drawing: with its undo
        // image, its progress and its stop.
        redrawing_ = true;
        parts_.draw.redraw(entry.colorSet, entry.noiseKey);
        redrawing_ = false;
    }
    return true;
}

void HistoryController::clear() {
    if (history_.entries().empty())
        return;
    if (!parts_.dialogs.confirmDestructive(owner_, Ui::tr(kClearQuestion), MessageButtons::YesNo))
        return;
    history_.clear();
    Q_EMIT changed();
}

bool HistoryController::keepsHistory() const {
    return parts_.settings.extras.keepHistory;
}

void HistoryController::setKeepHistory(bool keep) {
    parts_.settings.extras.keepHistory = keep;
}

void HistoryController::loadKept() {
    if (!keepsHistory())
        return;
    // A damaged file gives what could be read, and is kept aside before the exit
    // writes the history anew.
    DecodedHistory kept = readHistoryFile(historyFile());
    if (kept.damaged) {
        const SetAsideFile aside = setAsideUnreadableFile(historyFile());
        parts_.dialogs.report(owner_, aside.outcome);
        fileWritable_ = aside.cleared;
    }
    if (kept.entries.empty())
        return;
    history_.appendOlder(std::move(kept.entries));
    Q_EMIT changed();
}

void HistoryController::saveKept() {
    if (beforeSaving_)
        beforeSaving_();
    if (!fileWritable_)
        return;
    if (keepsHistory()) {
        // Told at exit; the exit goes on.
        if (const std::error_code ec = writeHistoryFile(historyFile(), history_.entries()))
            parts_.dialogs.report(owner_,
                                  Result::failure(historyWriteFailureMessage(historyFile(), ec)));
        return;
    }
    std::error_code ec;
    std::filesystem::remove(historyFile(), ec);
}

HistoryBrowser* HistoryController::window() const {
    return window_;
}

void HistoryController::show() {
    if (!window_) {
        window_ = new HistoryBrowser(*this, parts_.session, owner_);
        placeNewWindow(window_, owner_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace wavory
