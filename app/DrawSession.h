#pragma once
// DrawSession: owns every drawing from its start to its end. It runs the synthesis on a
// worker thread while the user interface goes on serving events, yields to the window
// after each progress title, hands the finished columns to the picture window, takes
// the stop request, and locks the controls registered with it for as long as it is in
// its drawing state. The draw command, the first drawing at start-up and the random
// setting's drawing all draw through it; a caller that draws many pictures in a row
// (an animation) stays in the drawing state between them.
//
// A drawing that follows the values as they change leaves the value controls usable, so
// that the next change can stop it and start it again; everything else stays locked.
//
// While a drawing runs only the worker writes the canvas; the window sees it through the
// columns handed over.

#include "colorsets/GColor.h"
#include "engine/DrawMain.h"
#include "params/DrawParams.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <vector>

namespace wavory {

class frmPicture;

class DrawSession : public QObject {
    Q_OBJECT
  public:
    explicit DrawSession(frmPicture& picture, QObject* parent = nullptr);

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
    // Draws one picture onto the picture window's canvas and returns when it has ended,
    // completed or stopped; it goes over the picture's undo image when the picture window
    // has just kept one for it (frmPicture::takeDrawingBase). Rethrows what the synthesis
    // threw (running out of memory) or a worker that could not start, after putting the
    // picture, the undo image and the screen back as they were before that keep.
    DrawResult draw(const DrawParams& params, const GColor& colorSet, std::uint64_t noiseKey);
    // The same for another renderer of the canvas (an animation's frame maker): `render`
    // runs on the worker with the picture window's canvas and the session's observer,
    // which shows the progress and columns and answers the stop request. The renderer
    // draws over the canvas itself, at its size (the window shows the canvas's memory);
    // should it fail, the picture before it is put back.
    using Renderer = std::function<DrawResult(Canvas& canvas, DrawObserver* observer)>;
    // How the progress titles reach the window: each one shown, the drawing waiting for
    // the title before the one it posts (a stop acts within two titles however busy the
    // machine is); or, for drawings of a few milliseconds, only the newest one shown when
    // the window gets to it, the drawing waiting once, until a title of it is shown. The
    // final title is the same either way.
    enum class Titles { EachAwaited, LatestShown };
    DrawResult drawWith(const Renderer& render, Titles titles = Titles::EachAwaited);
    // Called before the worker starts; throwing std::system_error there is a thread that
    // cannot start (tests).
    void setWorkerStart(std::function<void()> hook) { workerStart_ = std::move(hook); }
    // Leaves the drawing state: the flag is cleared, the controls are unlocked,
    // drawingStateChanged(false) and then idle() are emitted.
    void end();

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
    // Runs the renderer over `base()` (what the drawing goes over, or null) and settles
    // the drawing; when anything on the way throws, puts the picture back and rethrows.
    DrawResult runWhole(const std::function<const Canvas*()>& base, const Renderer& render,
                        Titles titles);
    // Runs the renderer on the worker; `previous` is the picture it goes over when that
    // is not the canvas itself.
    DrawResult run(const Renderer& render, Titles titles, const Canvas* previous);

    frmPicture& picture_;
    std::vector<Locked> locked_;
    bool drawing_ = false;
    Locking locking_ = Locking::Everything;
    bool closed_ = false;
    std::atomic<bool> stop_{false};
    std::function<void()> workerStart_;
};

} // namespace wavory
