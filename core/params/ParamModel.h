#pragma once
// The main window's drawing parameters in one place: the field texts and selections
// (ParamFields) and, beside them, the value array the engine reads. The windows mirror
// this model; every handler of a parameter control goes through it, so the rules of the
// value array (a slot follows its text only when the text changes) hold in one place.

#include "params/ParamFields.h"
#include "params/ValueSlots.h"

#include <string>

namespace wavory {

class ParamModel {
  public:
    ParamModel() = default;

    const ParamFields& fields() const { return fields_; }
    const ValueSlots& valueSlots() const { return slots_; }

    // txtValue(i) text changed: slot i becomes the leading number of the new text.
    // Setting the text it already holds changes nothing. Returns whether it changed.
    bool setValueText(int field, const std::string& text);
    // showValues: every field receives the plain decimal text of its slot.
    void showValues();

    void setComponent(int component, bool on) { fields_.componentOn.at(component) = on; }
    void setCenterText(int axis, const std::string& text) { fields_.center.at(axis) = text; }
    void setBleedText(const std::string& text) { fields_.bleed = text; }
    void setPhase(int phase) { fields_.phase = phase; }
    void setColorSetIndex(int index) { fields_.colorSetIndex = index; }
    void setMode(DrawMode mode) { fields_.mode = mode; }
    void setImageSize(int width, int height) {
        fields_.width = width;
        fields_.height = height;
    }
    void setFrame(const FrameFields& frame) { fields_.frame = frame; }

    // Takes over every field of a whole parameter set (a parameter file read): each
    // value text goes through setValueText, so only changed texts move their slots.
    void assignFields(const ParamFields& fields);

    // Draw command: slots below 1 are raised to 1; the texts stay as they are.
    void raiseSlotsToOne();

    // The parameter commands; each writes all slots back into the texts afterwards.
    void doublePeriods();
    void halvePeriods();
    void doubleAmplitudes();
    void halveAmplitudes();
    void valueUp(int field);
    void valueDown(int field);
    // The bleed up-down control: rewrites the bleed text only.
    void bleedUp();
    void bleedDown();
    // A wheel notch or an up or down key over a field (params::slotStepped and its
    // neighbours): `direction` +1 or -1, `coarse` the up-down's step. A value field's
    // fine step rewrites its own text only, the coarse one every text as the up-down does.
    void stepValue(int field, int direction, bool coarse);
    void stepBleed(int direction, bool coarse);
    void stepCenter(int axis, int direction, bool coarse);

    // Direct access for the random setting, which writes slots and then shows them.
    ValueSlots& mutableSlots() { return slots_; }

  private:
    ParamFields fields_;
    ValueSlots slots_ = startupValueSlots();
};

} // namespace wavory
