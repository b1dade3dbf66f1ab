#pragma once
// VariationController: the variations ("バリエーション"). A set is nine parameter sets made
// from the current ones with the random setting's groups and tendencies, each moved by
// the spread the user sets; their pictures are drawn by VariationDrawings and shown as
// they arrive. Choosing one adopts its values into the model as a parameter command
// does: the windows show them, nothing is drawn until the user draws.

#include "VariationDrawings.h"

#include "params/Variations.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <optional>

class QWidget;

namespace wavory {

class ColorSetController;
class DrawSession;
class ParamController;
class RandomSource;
class PictureDocument;
class VariationPicker;
struct AppSettings;

class VariationController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        ColorSetController& colorSets;
        DrawSession& session;
        PictureDocument& document;
        AppSettings& settings;
        RandomSource& random;
    };
    VariationController(const Parts& parts, QWidget* window);

    // Opens the window; the first time (or after it was closed) with a new set.
    void show();
    // "新しく作る": nine new variations of the current values; the old set's drawings stop.
    void makeNew();
    // Takes over variation `index` (0..8); false during a drawing or without a set.
    bool adopt(int index);
    // Stops the drawings (the window closes); the next show() makes a new set.
    void stop() {
        drawings_.stop();
        variations_.reset();
    }

    // The spread, 0..100, kept in the settings.
    int spread() const;
    void setSpread(int spread);

    const std::optional<Variations>& variations() const { return variations_; }
    VariationDrawings& drawings() { return drawings_; }
    VariationPicker* window() const;

  Q_SIGNALS:
    // A new set was made: its thumbnails follow through drawings().ready.
    void setMade();
    // Variation `index` of the new set cannot be drawn (no component on, say).
    void skipped(int index);

  private:
    Parts parts_;
    QWidget* owner_;
    std::optional<Variations> variations_;
    std::array<GColor, kVariationCount> sets_{}; // each variation's color set when made
    VariationDrawings drawings_;
    QPointer<VariationPicker> window_;
};

} // namespace wavory
