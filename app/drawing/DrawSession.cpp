#include "DrawSession.h"

#include "PictureDocument.h"
#include "PictureTitle.h"
#include "PictureView.h"
#include "platform/QtText.h"
#include "platform/WindowHelpers.h"

#include "common/UserMessage.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace wavory {

namespace {

// The message for what a drawing threw; what is no std::exception goes on up.
UserMessage failureMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return noMemoryToDraw();
    } catch (const std::exception& e) {
        return {MessageIcon::Critical, toStd(QString::fromLocal8Bit(e.what()))};
    }
}

DrawResult failed(UserMessage message) {
    DrawResult result;
    result.outcome = DrawOutcome::Failed;
    result.report = Result::failure(std::move(message));
    return result;
}

// Called on the worker: the title goes to the view's window, the finished columns to the
// view, the stop question is answered from the session's flag.
//
// Every title awaited: after each progress title the drawing yields to the user
// interface: the stop question waits until the window has shown the title before this
// one and served the events queued before it (a press of the stop button among them), so
// a stop takes effect within two checks however busy the machine is, while the window
// and the drawing work side by side instead of taking turns. The wait is bounded, so a
// user interface that no longer serves events cannot hold the drawing.
//
// Latest title shown: a drawing of a few milliseconds (a recoloured animation frame)
// would spend most of its time on those round trips. At most one title is queued at a
// time and the window shows the newest when it gets to it; the drawing waits only at its
// first stop question, until the window has shown a title of this drawing, so a stop
// pressed by then ends it.
class PictureObserver final : public DrawObserver {
  public:
    // previous: the picture the drawing goes over when it is not the canvas itself.
    PictureObserver(PictureView& view, const Canvas& canvas, const Canvas* previous,
                    const std::atomic<bool>& stop, DrawSession::Titles titles,
                    const DrawSession::StartHook& atStart)
        : view_(view), canvas_(canvas), previous_(previous), stop_(stop),
          titles_(titles), atStart_(atStart), yield_(std::make_shared<YieldState>()) {}

    void started() override {
        if (previous_)
            view_.beginDrawing(canvas_, previous_);
        else
            view_.beginDrawingOverItself(canvas_);
        if (atStart_)
            atStart_(previous_);
    }
    void startedBlack() override {
        view_.beginDrawing(canvas_, nullptr);
        if (atStart_)
            atStart_(previous_);
    }
    void progress(int done, int total) override { title(progressTitle(done, total)); }
    void finished(DrawOutcome outcome) override { title(finishTitle(outcome)); }
    void title(QString text) {
        if (titles_ == DrawSession::Titles::LatestShown) {
            postLatest(std::move(text));
            return;
        }
        const int number = ++yield_->posted;
        // The state outlives the observer: a title may still be queued when the drawing ends.
        QMetaObject::invokeMethod(
            &view_,
            [v = &view_, t = std::move(text), state = yield_, number] {
                v->window()->setWindowTitle(t);
                {
                    const std::lock_guard<std::mutex> lock(state->mutex);
                    state->served = number;
                }
                state->changed.notify_all();
            },
            Qt::QueuedConnection);
    }
    bool stopRequested() override {
        if (stop_.load())
            return true;
        int awaited = yield_->posted.load() - 1;
        if (titles_ == DrawSession::Titles::LatestShown) {
            if (waited_)
                return false;
            waited_ = true;
            awaited = 1;
        }
        // The stop flag is set without a notification, so it is looked at every few
        // milliseconds while waiting.
        const auto giveUp = std::chrono::steady_clock::now() + kLongestYield;
        std::unique_lock<std::mutex> lock(yield_->mutex);
        while (yield_->served < awaited && !stop_.load() &&
               std::chrono::steady_clock::now() < giveUp) {
            yield_->changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        return stop_.load();
    }
    void columnsReady(int x0, int x1) override { view_.transferColumns(x0, x1 - 1); }

  private:
    struct YieldState {
        std::atomic<int> posted{0};
        int served = 0; // guarded by mutex, as the two below
        QString latest;
        bool queued = false;
        std::mutex mutex;
        std::condition_variable changed;
    };
    static constexpr std::chrono::seconds kLongestYield{2};

    // The newest title replaces one still waiting to be shown.
    void postLatest(QString text) {
        {
            const std::lock_guard<std::mutex> lock(yield_->mutex);
            yield_->latest = std::move(text);
            if (yield_->queued)
                return;
            yield_->queued = true;
        }
        ++yield_->posted;
        QMetaObject::invokeMethod(
            &view_,
            [v = &view_, state = yield_] {
                QString t;
                {
                    const std::lock_guard<std::mutex> lock(state->mutex);
                    t = state->latest;
                    state->queued = false;
                }
                v->window()->setWindowTitle(t);
                {
                    const std::lock_guard<std::mutex> lock(state->mutex);
                    ++state->served;
                }
                state->changed.notify_all();
            },
            Qt::QueuedConnection);
    }

    PictureView& view_;
    const Canvas& canvas_;
    const Canvas* previous_;
    const std::atomic<bool>& stop_;
    const DrawSession::Titles titles_;
    const DrawSession::StartHook& atStart_;
    bool waited_ = false; // LatestShown: the one wait is behind us
    std::shared_ptr<YieldState> yield_;
};

} // namespace

DrawSession::DrawSession(PictureDocument& document, PictureView& view, QObject* parent)
    : QObject(parent), document_(document), view_(view) {}

void DrawSession::registerLocked(QObject* control, std::function<bool()> available) {
    locked_.push_back({control, std::move(available)});
    refreshControl(control);
}

void DrawSession::registerValueControl(QObject* control, std::function<bool()> available) {
    locked_.push_back({control, std::move(available), true});
    refreshControl(control);
}

bool DrawSession::usable(const Locked& l, bool unlocked) const {
    const bool free = unlocked || (l.valueControl && isFollowingValues());
    return free && (!l.available || l.available());
}

void DrawSession::refreshControl(QObject* control) {
    for (const Locked& l : locked_) {
        if (l.control == control)
            setEnabled(control, usable(l, !drawing_));
    }
}

std::vector<QObject*> DrawSession::registeredControls() const {
    std::vector<QObject*> controls;
    for (const Locked& l : locked_) {
        if (l.control)
            controls.push_back(l.control);
    }
    return controls;
}

void DrawSession::setControlsEnabled(bool enabled) {
    for (const Locked& l : locked_) {
        if (l.control)
            setEnabled(l.control, usable(l, enabled));
    }
}

void DrawSession::setEnabled(QObject* control, bool enabled) {
    if (auto* w = qobject_cast<QWidget*>(control))
        w->setEnabled(enabled);
    if (auto* a = qobject_cast<QAction*>(control))
        a->setEnabled(enabled);
    if (auto* m = qobject_cast<QMenu*>(control)) {
        // The items too, so that their shortcut keys and the pop-up over a frame follow.
        m->menuAction()->setEnabled(enabled);
        for (QAction* item : m->actions()) {
            if (!item->isSeparator())
                item->setEnabled(enabled);
        }
    }
}

bool DrawSession::begin(Locking locking) {
    if (closed_ || drawing_)
        return false;
    drawing_ = true;
    locking_ = locking;
    stop_ = false;
    setControlsEnabled(false);
    Q_EMIT drawingStateChanged(true);
    return true;
}

DrawResult DrawSession::draw(const Snapshot& snapshot, Over over, const StartHook& atStart) {
    DrawOptions options;
    options.noiseKey = snapshot.noiseKey;
    return runWhole(
        over, [&](const Canvas* base) { options.previous = over == Over::Canvas ? nullptr : base; },
        [&](Canvas& canvas, DrawObserver* observer) {
            return DrawMain(snapshot.params, snapshot.colorSet, canvas, observer, options);
        },
        Titles::EachAwaited, atStart);
}

DrawResult DrawSession::drawWith(const Renderer& render, Over over, Titles titles) {
    return runWhole(over, {}, render, titles);
}

bool DrawSession::keep(Over over) {
    switch (over) {
    case Over::Canvas:
        return true;
    case Over::SameSeries:
        if (document_.drawOverUndoImage())
            return true;
        break;
    case Over::NewUndoImage:
        break;
    }
    return document_.keepForDrawing();
}

DrawResult DrawSession::runWhole(Over over, const std::function<void(const Canvas*)>& useBase,
                                 const Renderer& render, Titles titles,
                                 const StartHook& atStart) {
    if (!keep(over)) {
        DrawResult refused;
        refused.outcome = DrawOutcome::Refused;
        refused.report = Result::failure(noMemoryToDraw());
        return refused;
    }
    try {
        // Over the canvas itself the picture as it was is held, shown beyond the columns
        // drawn and put back should the drawing fail.
        const Canvas* base =
            over == Over::Canvas ? &document_.holdPicture() : document_.takeDrawingBase();
        if (useBase)
            useBase(base);
        const DrawResult result = run(render, titles, base, atStart);
        if (result.outcome == DrawOutcome::Refused) {
            document_.revertDrawing();
            return result;
        }
        document_.settleDrawing();
        return result;
    } catch (...) {
        // A failed drawing leaves no trace: the picture, the undo image and the screen
        // are as they were before it.
        document_.revertDrawing();
        return failed(failureMessage(std::current_exception()));
    }
}

DrawResult DrawSession::run(const Renderer& render, Titles titles, const Canvas* previous,
                            const StartHook& atStart) {
    Canvas& canvas = document_.canvas();
    PictureObserver observer(view_, canvas, previous, stop_, titles, atStart);

    DrawResult result;
    std::exception_ptr error;
    QEventLoop loop;
    if (workerStart_)
        workerStart_();
    std::thread worker([&] {
        try {
            result = render(canvas, &observer);
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the application leaves its event loops: the drawing then
    // stops at its next check.
    stop_ = true;
    worker.join();
    stop_ = false;

    view_.window()->setWindowTitle(finishTitle(result.outcome));
    if (error)
        std::rethrow_exception(error);
    // The whole canvas from now on, the picture drawn over no longer read.
    view_.drawingEnded(canvas);
    return result;
}

void DrawSession::end(HeldMemory held) {
    if (!drawing_)
        return;
    if (held == HeldMemory::Released)
        document_.releaseHeld();
    drawing_ = false;
    locking_ = Locking::Everything;
    stop_ = false;
    setControlsEnabled(true);
    Q_EMIT drawingStateChanged(false);
    Q_EMIT idle();
}

} // namespace wavory
