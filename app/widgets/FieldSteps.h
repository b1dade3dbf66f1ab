#pragma once
// Steps a numeric field by the mouse wheel and by its up and down keys, as its up-down
// control steps it: each wheel notch (a touchpad's small deltas gathered into notches) or
// key press asks `step` for one step up (+1) or down (-1), coarse with Shift. The field's
// owner decides what a step means; a disabled field gets neither wheel nor keys.

#include <functional>

class QLineEdit;

namespace wavory {

using FieldStep = std::function<void(int direction, bool coarse)>;

void stepByWheelAndKeys(QLineEdit* field, FieldStep step);

} // namespace wavory
