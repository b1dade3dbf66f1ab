#pragma once
// ParamController: the one source of drawing values. It holds the parameter model
// (fields, switches, center, bleed, phase, size, color set, mode, frame); the windows show
// what it holds and pass every edit to it, and a drawing reads it and nothing else.
//
// An edit made in a control goes in without a signal (the control already shows it); a
// command that changes values the controls did not type (×2, ½, the up-down buttons, the
// random setting, a parameter file) emits changed() so that every window shows the model
// again. Both emit edited(), which is how a drawing that follows the values learns of
// every change.

#include "params/ParamModel.h"
#include "params/RandomSetting.h"

#include <QObject>

#include <functional>

namespace wavory {

class ColorSetCollection;
class RandomSource;
struct AppSettings;

class ParamController : public QObject {
    Q_OBJECT
  public:
    explicit ParamController(QObject* parent = nullptr) : QObject(parent) {}

    const ParamModel& model() const { return model_; }
    const ParamFields& fields() const { return model_.fields(); }

    // An edit typed or chosen in a control.
    void edit(const std::function<void(ParamModel&)>& change) {
        change(model_);
        Q_EMIT edited();
    }
    // A command: the model changes, then every window shows it again.
    void command(const std::function<void(ParamModel&)>& change) {
        change(model_);
        Q_EMIT changed();
        Q_EMIT edited();
    }

    // The image size (the size dialog, a parameter file, the stored settings).
    void setImageSize(int width, int height);
    // A whole parameter set (a parameter file read).
    void assign(const ParamFields& fields);
    // The random setting on the model, with the options of the settings, drawing from the
    // program's generator.
    void randomSetting(const AppSettings& settings, const ColorSetCollection& colorSets,
                       RandomSource& random);
    // The random setting's groups and tendencies as the settings hold them (also for the
    // variations).
    static RandomSettingOptions randomSettingOptions(const AppSettings& settings);
    // What the random setting reads besides its options: the color set list and the image
    // size (also for the variations).
    RandomSettingContext randomSettingContext(const ColorSetCollection& colorSets) const;

  Q_SIGNALS:
    void changed();
    // The model may hold other values now (every edit, command, assignment and size).
    void edited();
    void imageSizeChanged(int width, int height);

  private:
    ParamModel model_;
};

} // namespace wavory
