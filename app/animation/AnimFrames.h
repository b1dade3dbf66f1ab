#pragma once
// AnimFrames: the frames of the animation window. One creation draws every frame through
// the main window's draw session (one drawing state for the whole creation, each frame on
// the session's worker with the progress title, the columns shown as they come and the
// stop request), moves the main window's phase slider along, and keeps each finished
// frame in the frame store, compactly and losslessly.

#include "anim/FrameStore.h"
#include "colorsets/GColor.h"
#include "params/DrawParams.h"

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace wavory {

class ColorSetCollection;
class DrawSession;
class ParamController;
class RandomSource;
class UserDialogs;
class PictureDocument;
class PictureWindow;

class AnimFrames {
  public:
    struct Parts {
        ParamController& params;
        ColorSetCollection& colorSets;
        DrawSession& session;
        // Shows the picture window when its menu item has no check mark.
        std::function<void()> showPicture;
        PictureDocument& document;
        PictureWindow& picture;
        UserDialogs& dialogs;
        RandomSource& random;
    };
    // window: the parent of the messages.
    AnimFrames(const Parts& parts, QWidget* window);
    ~AnimFrames();

    // Before a creation of `frames` frames: takes the drawing parameters and refuses
    // (with its message shown) what cannot be drawn or cannot fit in the store.
    bool prepare(int frames);
    // Draws frames 1..frames at the phases from `from` towards `to`. `frameStarted(i)` is
    // called before frame i; after each frame the user interface is served once and
    // `goOn()` asked. True when every frame was made and stored.
    bool make(double from, double to, int frames, const std::function<void(int)>& frameStarted,
              const std::function<bool()>& goOn);
    // Ends the frame being drawn early.
    void stop();

    // Frame `index` (from 0) as stored; false when the store does not hold it.
    bool frame(int index, Canvas& out) const;
    // Frames held (a shorter later creation leaves the earlier ones beyond it).
    int held() const;
    // The draw mode of the last creation: in AND, OR and XOR each frame combines with
    // the one before.
    DrawMode mode() const { return params_.mode; }
    FrameStore& store();

    // The store's limits, for stores made from now on (tests use small budgets).
    void setLimits(const FrameStoreLimits& limits);

  private:
    bool makeFrames(double from, double to, int frames,
                    const std::function<void(int)>& frameStarted,
                    const std::function<bool()>& goOn);

    Parts parts_;
    QWidget* window_;
    std::unique_ptr<FrameStore> store_;
    std::optional<FrameStoreLimits> limits_;
    DrawParams params_;
    GColor colorSet_;
};

} // namespace wavory
