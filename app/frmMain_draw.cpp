// frmMain: the draw command. The synthesis runs on a worker thread while the user
// interface goes on serving events, so the stop button, F5 and the windows stay
// responsive; the command itself keeps its order of steps, waiting for the drawing in a
// local event loop where the original yielded.

#include "frmMain.h"

#include "PictureView.h"
#include "UpDown.h"
#include "UserDialogs.h"
#include "frmButton.h"
#include "frmPicture.h"

#include "engine/DrawMain.h"
#include "engine/DrawRefusal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace wavory {

namespace {

const QString kMemoryMessage =
    QStringLiteral("メモリ不足のため描画できません。画像サイズを小さくして下さい。");

// Called on the drawing's thread: the title and the finished columns go to the picture
// window, the stop question is answered from the main window's flag.
//
// After each progress title the drawing yields to the user interface, as the command
// always has: the stop question waits until the window has shown that title and served
// the events queued before it (a press of the stop button among them), so a stop takes
// effect at the next check however busy the machine is. The wait is bounded, so a user
// interface that no longer serves events (the program quitting) cannot hold the drawing.
class PictureObserver final : public DrawObserver {
  public:
    PictureObserver(frmPicture* picture, const std::atomic<bool>& stop)
        : picture_(picture), canvas_(picture->canvas()), stop_(stop),
          yield_(std::make_shared<YieldState>()) {}

    void started() override {
        if (canvas_.width() > 0)
            picture_->picMain()->transferColumns(canvas_, 0, canvas_.width() - 1);
    }
    void title(const std::string& text) override {
        const int number = ++yield_->posted;
        // The state outlives the observer: a title may still be queued when the drawing ends.
        QMetaObject::invokeMethod(
            picture_,
            [p = picture_, t = QString::fromStdString(text), state = yield_, number] {
                p->setWindowTitle(t);
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
        // The stop flag is set without a notification (DrawStop, the program quitting), so
        // it is looked at every few milliseconds while waiting.
        const auto giveUp = std::chrono::steady_clock::now() + kLongestYield;
        std::unique_lock<std::mutex> lock(yield_->mutex);
        while (yield_->served < yield_->posted.load() && !stop_.load() &&
               std::chrono::steady_clock::now() < giveUp) {
            yield_->changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        return stop_.load();
    }
    void columnsReady(int x0, int x1) override {
        picture_->picMain()->transferColumns(canvas_, x0, x1 - 1);
    }

  private:
    struct YieldState {
        std::atomic<int> posted{0};
        int served = 0; // guarded by mutex
        std::mutex mutex;
        std::condition_variable changed;
    };
    static constexpr std::chrono::seconds kLongestYield{2};

    frmPicture* picture_;
    const Canvas& canvas_;
    const std::atomic<bool>& stop_;
    std::shared_ptr<YieldState> yield_;
};

} // namespace

bool frmMain::DrawCheck() {
    return dialogs_.report(this, wavory::DrawCheck(currentFields()));
}

void frmMain::DrawStop() {
    stop_ = true;
}

void frmMain::cmdDraw_Click() {
    // A press during a drawing is the stop request.
    if (drawing_) {
        DrawStop();
        return;
    }
    const bool byEnter = startedByEnter_;
    QLineEdit* returnField = focusReturnField_;
    startedByEnter_ = false;
    focusReturnField_ = nullptr;

    if (!DrawCheck())
        return;
    // A set that cannot be drawn or a frame without width is refused before anything
    // changes.
    const GColor* set = colorSets_.selectedSet();
    if (!dialogs_.report(this,
                         drawRefusal(takeDrawSnapshot(currentFields()), set ? *set : GColor{})))
        return;
    model_.raiseSlotsToOne();
    if (!picture_->saveUndo()) {
        dialogs_.message(this, kMemoryMessage, MessageIcon::Exclamation);
        return;
    }
    if (!mnuPictureWindow_->isChecked())
        togglePictureWindow();
    picture_->setCursor(Qt::BusyCursor);
    setCursor(Qt::BusyCursor);
    mnuUndo_->setEnabled(true);
    drawing_ = true;
    EnableParamControls(false);
    setDrawButtonState(true);
    picture_->raise();
    picture_->activateWindow();

    DrawMain();

    if (settings_.Option.DrewBeep)
        dialogs_.beep();
    drawing_ = false;
    unsetCursor();
    picture_->unsetCursor();
    EnableParamControls(true);
    if (settings_.Option.ActiveAfterDrawing) {
        activateWindow();
        if (byEnter && returnField)
            returnField->setFocus(Qt::OtherFocusReason);
    }
    setDrawButtonState(false);
    Q_EMIT drawingFinished();
}

void frmMain::DrawMain() {
    const GColor* selected = colorSets_.selectedSet();
    if (!selected)
        return;
    const DrawParams params = takeDrawSnapshot(currentFields());
    const GColor set = *selected;
    Canvas& canvas = picture_->canvas();
    DrawOptions drawOptions;
    drawOptions.noiseKey = random_.nextBits();
    PictureObserver observer(picture_, stop_);

    DrawResult result;
    std::exception_ptr error;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            result = wavory::DrawMain(params, set, canvas, &observer, drawOptions);
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the program quits: the drawing then stops at its next check.
    stop_ = true;
    worker.join();
    stop_ = false;

    const bool stopped = result.outcome == DrawOutcome::Stopped;
    picture_->setWindowTitle(QString::fromStdString(finishTitle(stopped)));
    if (error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::bad_alloc&) {
            dialogs_.message(this, kMemoryMessage, MessageIcon::Exclamation);
        } catch (const std::exception& e) {
            dialogs_.message(this, QString::fromLocal8Bit(e.what()), MessageIcon::Critical);
        }
        picture_->refreshAll();
    }
}

void frmMain::setDrawButtonState(bool drawing) {
    cmdDraw_->setText(drawing ? QStringLiteral("描画中止(&C)") : QStringLiteral("描画(&D)"));
    cmdDraw_->setIcon(drawImages_[drawing ? 1 : 0]);
    cmdDraw_->setProperty("helpTopic", drawing ? 54 : 50);
    mnuDraw_->setText(cmdDraw_->text());
}

void frmMain::EnableParamControls(bool enabled) {
    for (int k = 0; k < kComponentCount; ++k) {
        const bool on = enabled && chkValue_[k]->isChecked();
        for (int field : componentFields(k)) {
            txtValue_[field]->setEnabled(on);
            updValue_[field]->setEnabled(on);
        }
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtValue_[kPowerSlot], updValue_[kPowerSlot],
                                         txtCenter_[0], txtCenter_[1], txtNizimi_, updNizimi_}) {
        w->setEnabled(enabled);
    }
    for (QCheckBox* c : chkValue_)
        c->setEnabled(enabled);
    for (QObject* o : std::initializer_list<QObject*>{
             cmdRndSet_, cmdBig_, cmdSmall_, cmdStrong_, cmdWeak_, cmdSize_, cmdSave_, labISO_,
             hscIso_, labGColor_, cbogColor_, cboMode_, cmdGColorEdit_, cmdAddGColor_,
             cmdRemoveGColor_}) {
        setCommandEnabled(o, enabled);
    }
    for (const char* item : {"mnuInputText", "mnuUndo", "mnuSize", "mnuSave", "mnuCopy", "mnuTile",
                             "mnuShell", "mnuOption", "mnuAnim"}) {
        setCommandEnabled(findChild<QAction*>(QLatin1String(item)), enabled);
    }
    setCommandEnabled(mnuValue_, enabled);
    setCommandEnabled(mnuColor_, enabled);
    button_->setEnabled(enabled);
}

} // namespace wavory
