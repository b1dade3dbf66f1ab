#pragma once
// DrawCommand: the draw command (the draw button, F5, Enter in a parameter field, the
// random setting and the first drawing). Before drawing it checks the parameters, raises
// the value slots below 1 and shows the picture window; it draws into the document
// through the draw session, with a new undo image, shows what the session reports and
// afterwards carries out the after-drawing options (beep, focus back to the main window
// or to the field where Enter was pressed).
// A press while a drawing runs is the stop request.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QLineEdit;
class QWidget;

namespace wavory {

class ColorSetCollection;
struct GColor;
struct ParamFields;
class DrawSession;
class ParamController;
class RandomSource;
class UserDialogs;
class PictureDocument;
class PictureWindow;
struct AppSettings;

class DrawCommand : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        DrawSession& session;
        ParamController& params;
        ColorSetCollection& colorSets;
        PictureDocument& document;
        PictureWindow& picture;
        AppSettings& settings;
        UserDialogs& dialogs;
        RandomSource& random;
    };
    // window: the main window (message boxes, the focus after drawing).
    DrawCommand(const Parts& parts, QWidget* window);

    // Shows the picture window when its menu item has no check mark.
    void setShowPicture(std::function<void()> showPicture) {
        showPicture_ = std::move(showPicture);
    }
    // The undo menu item, enabled by a drawing and disabled by undo or a new size.
    void setUndoAction(QAction* undo) { undo_ = undo; }

    // The draw command.
    void run();
    // The random setting (F4, the button): new values, drawn when the options say so.
    void randomSetting();
    // The draw command for the values on screen as they were drawn before: with this color
    // set and, when known, the same bleed noise (a history entry whose picture is gone).
    void redraw(const GColor& set, std::optional<std::uint64_t> noiseKey);
    // Enter in a parameter field: draws and, if so configured, gives that field the focus back.
    void runFromField(QLineEdit* field);
    // Component check; shows the refusal when all switches are off.
    bool check();
    // Puts the undo image back.
    void undo();

  Q_SIGNALS:
    // A drawing has finished (after the controls are unlocked again).
    void finished();
    // A drawing has completed (not stopped): these values drew what the canvas holds.
    void pictureDrawn(const ParamFields& fields, const GColor& set, std::uint64_t noiseKey);

  private:
    // The draw command with the selected set (or `set`) and a new noise key (or `noiseKey`).
    void runWith(const GColor* set, std::optional<std::uint64_t> noiseKey);

    Parts parts_;
    QWidget* window_;
    std::function<void()> showPicture_;
    QAction* undo_ = nullptr;
    QPointer<QLineEdit> returnField_;
};

} // namespace wavory
