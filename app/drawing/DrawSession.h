#pragma once
// DrawSession: owns every drawing from its start to its end, and is the one way into the
// picture document: "draw this into the document" keeps the picture for undo, runs the
// synthesis on a worker thread while the user interface goes on serving events, yields
// to the window after each progress title, hands the finished columns to the view, takes
// the stop request and settles the drawing; should anything on the way fail, it puts the
// picture, the undo image and the screen back as they were and returns the failure with
// its message. It locks the controls registered with it for as long as it is in its
// drawing state. The draw command (and through it the random setting's drawing and the
// first drawing), drawing as values change, the history and the animation's frames all
// draw through it; a caller that draws many pictures in a row (an animation) stays in
// the drawing state between them.
//
// A drawing that follows the values as they change leaves the value controls usable, so
// that the next change can stop it and start it again; everything else stays locked.
//
// While a drawing runs only the worker writes the canvas; the view sees it through the
// columns handed over, and the progress titles go to the view's window.

#include "colorsets/GColor.h"
#include "engine/DrawMain.h"
#include "params/DrawParams.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <vector>

namespace wavory {

class PictureDocument;
class PictureView;

class DrawSession : public QObject {
    Q_OBJECT
  public:
    // view: where the drawing is shown as it goes (its window gets the progress titles).
    DrawSession(PictureDocument& document, PictureView& view, QObject* parent = nullptr);

    // A control or command that must not change while a drawing runs. When the drawing
    // ends it is enabled again if `available` says so (a value field only while its
    // component is switched on, a command only once it can be used); without `available`
    // it always is.
    void registerLocked(QObject* control, std::function<bool()> available = {});
    // A control that sets a drawing value: locked like the others, except during a
    // drawing that follows the values.
    void registerValueControl(QObject* control, std::function<bool()> available = {});
    // Locks (false) or unlocks (true) every registered control, in registration order.
    void setControlsEnabled(bool enabled);
    // Enables or disables one registered control by its own rule, unless a drawing runs.
    void refreshControl(QObject* control);
    // Every registered control that still exists, in registration order.
    std::vector<QObject*> registeredControls() const;

    bool isDrawing() const { return drawing_; }
    // The running drawing stops at its next check; nothing happens when none runs.
    void requestStop() { stop_ = true; }
    // The program is ending: no drawing starts from now on.
    void close() { closed_ = true; }
    bool isClosed() const { return closed_; }

    enum class Locking { Everything, AllButValues };
    // Enters the drawing state: the flag is set, the controls are locked and
    // drawingStateChanged(true) is emitted. False (and nothing changes) after close().
    bool begin(Locking locking = Locking::Everything);
    // In the drawing state of a drawing that follows the values (AllButValues).
    bool isFollowingValues() const { return drawing_ && locking_ == Locking::AllButValues; }
    // How a drawing goes over the picture: the picture is kept as a new undo image and
    // drawn over; the series' undo image is drawn over again and stays the undo image
    // (a new one is kept when there is none of the picture's size); or the canvas itself
    // is drawn over, the undo image untouched.
    enum class Over { NewUndoImage, SameSeries, Canvas };
    // What a drawing draws: the values, the color set and the bleed noise.
    struct Snapshot {
        DrawParams params;
        GColor colorSet;
        std::uint64_t noiseKey = 0;
    };
    // Draws the snapshot into the document and returns when it has ended: completed or
    // stopped, it stands; refused (no memory to keep the picture) nothing changed; failed
    // (out of memory on the way, a worker that could not start) the picture, the undo
    // image and the screen are as they were before. Refused and Failed carry the message
    // to show; the caller shows it.
    // `atStart`, when given, runs on the drawing's worker once the drawing has begun to
    // show (its working memory taken, before any column), with the picture it goes over
    // (null over the canvas itself); the drawing goes on when it returns.
    using StartHook = std::function<void(const Canvas* base)>;
    DrawResult draw(const Snapshot& snapshot, Over over, const StartHook& atStart = {});
    // The same for another renderer of the canvas (an animation's frame maker, a picture
    // brought back): `render` runs on the worker with the document's canvas, at its size,
    // and the session's observer, which shows the progress and columns and answers the
    // stop request. Over the canvas itself the renderer reads the picture it draws over
    // from the canvas; over an undo image it writes every pixel.
    using Renderer = std::function<DrawResult(Canvas& canvas, DrawObserver* observer)>;
    // How the progress titles reach the window: each one shown, the drawing waiting for
    // the title before the one it posts (a stop acts within two titles however busy the
    // machine is); or, for drawings of a few milliseconds, only the newest one shown when
    // the window gets to it, the drawing waiting once, until a title of it is shown. The
    // final title is the same either way.
    enum class Titles { EachAwaited, LatestShown };
    DrawResult drawWith(const Renderer& render, Over over = Over::Canvas,
                        Titles titles = Titles::EachAwaited);
    // Called before the worker starts; throwing std::system_error there is a thread that
    // cannot start (tests).
    void setWorkerStart(std::function<void()> hook) { workerStart_ = std::move(hook); }
    // Leaves the drawing state: the flag is cleared, the controls are unlocked,
    // drawingStateChanged(false) and then idle() are emitted. The memory the document
    // held for its drawings is let go, or kept for the next drawing of a series that goes
    // on (drawing as values change: a fresh picture's memory costs a good part of a
    // drawing); the end of the next drawing state lets it go.
    enum class HeldMemory { Released, KeptForSeries };
    void end(HeldMemory held = HeldMemory::Released);

  Q_SIGNALS:
    void drawingStateChanged(bool drawing);
    // A drawing state has just ended.
    void idle();

  private:
    struct Locked {
        QPointer<QObject> control;
        std::function<bool()> available;
        bool valueControl = false;
    };
    // Whether a registered control may be used now: its own rule, and no drawing that
    // locks it.
    bool usable(const Locked& l, bool unlocked) const;
    static void setEnabled(QObject* control, bool enabled);
    // Keeps the picture as `over` asks; false when the memory is not there.
    bool keep(Over over);
    // Keeps the picture, runs the renderer over the base (told to `useBase` first: the
    // undo image it goes over, or the copy of the canvas held when it goes over the canvas
    // itself) and settles the drawing; when anything on the way fails or the renderer
    // refuses, puts the picture back.
    DrawResult runWhole(Over over, const std::function<void(const Canvas*)>& useBase,
                        const Renderer& render, Titles titles, const StartHook& atStart = {});
    // Runs the renderer on the worker; `previous` is what the view shows behind the
    // columns not drawn yet.
    DrawResult run(const Renderer& render, Titles titles, const Canvas* previous,
                   const StartHook& atStart);

    PictureDocument& document_;
    PictureView& view_;
    std::vector<Locked> locked_;
    bool drawing_ = false;
    Locking locking_ = Locking::Everything;
    bool closed_ = false;
    std::atomic<bool> stop_{false};
    std::function<void()> workerStart_;
};

} // namespace wavory
