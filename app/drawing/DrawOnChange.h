#pragma once
// DrawOnChange: the option "値の変更と同時に描画". A change of the drawing values (the
// parameter model and the selected color set) draws them as soon as the event that made
// it is done, so the changes of one event draw once. Changes while its drawing runs are
// coalesced: that drawing stops at its next check and the newest values are drawn next,
// never a queue of stale ones. A large picture shows a quick preview first (LivePreview).
// Its drawings leave the value controls usable, so that typing goes on.
//
// The drawings of one series count as one drawing: the first keeps the undo image, and
// every one starts from that picture, so AND, OR and XOR combine with the picture the
// series began with and Undo returns to it. Another drawing, an undo or a new image size
// ends the series. Values that cannot be drawn draw nothing and show nothing: the draw
// command is where they are reported.
//
// The history records the picture that stands once the hand rests: a completed drawing
// is recorded when no drawing of a change has followed it for kRestMs, or right away when
// something else is about to change the picture (another drawing, undo, a new size, a
// clear); one that a newer change draws over is not recorded. Keeping a picture in the
// history costs a good part of a drawing, which a hand on the move would pay each time.

#include "LivePreview.h"

#include "colorsets/GColor.h"
#include "params/DrawParams.h"
#include "params/ParamFields.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace wavory {

class ColorSetController;
class DrawSession;
class PictureDocument;
class ParamController;
class RandomSource;
class UserDialogs;
class PictureWindow;
struct AppSettings;

class DrawOnChange : public QObject {
    Q_OBJECT
  public:
    // No waiting for the values to settle: a zero timer only gathers one event's changes.
    static constexpr int kQuietMs = 0;
    // How long a completed drawing stands before it is recorded.
    static constexpr int kRestMs = 400;

    struct Parts {
        DrawSession& session;
        ParamController& params;
        ColorSetController& colorSets;
        PictureDocument& document;
        PictureWindow& picture;
        AppSettings& settings;
        UserDialogs& dialogs;
        RandomSource& random;
    };
    // window: the main window (the rare message of a drawing that runs out of memory).
    DrawOnChange(const Parts& parts, QWidget* window);

    // The undo menu item, enabled by the first drawing of a series.
    void setUndoAction(QAction* undo) { undo_ = undo; }
    // Shows the picture window when it is hidden.
    void setShowPicture(std::function<void()> showPicture) {
        showPicture_ = std::move(showPicture);
    }

    // A drawing waits for the event that changed the values to end.
    bool isPending() const { return quiet_.isActive(); }
    // A completed drawing waits for the hand to rest before it is recorded.
    bool isRecordPending() const { return record_.has_value(); }
    // Records the drawing that waits, now, when its picture still stands (the program
    // is ending).
    void recordNow();

  Q_SIGNALS:
    // A completed drawing (not cut short) has stood: these values drew what the canvas
    // holds.
    void pictureDrawn(const ParamFields& fields, const GColor& set, std::uint64_t noiseKey);

  private:
    // What a drawing is made of; two equal inputs give the same picture.
    struct Inputs {
        ParamFields fields;
        GColor set;
        bool operator==(const Inputs& other) const;
    };
    Inputs current() const;

    void valuesChanged();
    void valuesSettled();
    void otherDrawingState(bool drawing);
    static bool drawable(const Inputs& inputs);
    // Draws until no change asks for a restart.
    void drawSeries();
    // False when nothing was drawn (values that cannot be drawn, no memory).
    bool drawOnce();

    Parts parts_;
    QWidget* window_;
    QAction* undo_ = nullptr;
    std::function<void()> showPicture_;
    QTimer quiet_;
    LivePreview preview_;
    // The completed drawing to record and the picture it left.
    struct Record {
        ParamFields fields;
        GColor set;
        std::uint64_t noiseKey = 0;
        std::uint64_t pictureVersion = 0;
    };
    std::optional<Record> record_;
    QTimer rest_;
    Inputs drawn_; // the values of the last drawing started, whoever started it
    std::optional<DrawParams> lastDrawn_; // the snapshot of this one's last drawing
    bool drawing_ = false;
    bool restart_ = false;
    bool seriesOpen_ = false;
};

} // namespace wavory
