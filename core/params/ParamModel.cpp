#include "params/ParamModel.h"

#include "common/Numbers.h"
#include "params/ParamCommands.h"

namespace wavory {

bool ParamModel::setValueText(int field, const std::string& text) {
    auto& current = fields_.values.at(field);
    if (current == text)
        return false;
    current = text;
    slots_[field] = slotValueOfText(text);
    return true;
}

void ParamModel::showValues() {
    for (int i = 0; i < kValueSlotCount; ++i)
        setValueText(i, plainDecimal(slots_[i]));
}

void ParamModel::assignFields(const ParamFields& fields) {
    const ParamFields previous = fields_;
    fields_ = fields;
    fields_.values = previous.values;
    for (int i = 0; i < kValueSlotCount; ++i)
        setValueText(i, fields.values[i]);
}

void ParamModel::raiseSlotsToOne() {
    params::raiseSlotsToOne(slots_);
}

void ParamModel::doublePeriods() {
    params::doublePeriods(slots_);
    showValues();
}

void ParamModel::halvePeriods() {
    params::halvePeriods(slots_);
    showValues();
}

void ParamModel::doubleAmplitudes() {
    params::doubleAmplitudes(slots_);
    showValues();
}

void ParamModel::halveAmplitudes() {
    params::halveAmplitudes(slots_);
    showValues();
}

void ParamModel::valueUp(int field) {
    params::slotUp(slots_, field);
    showValues();
}

void ParamModel::valueDown(int field) {
    params::slotDown(slots_, field);
    showValues();
}

void ParamModel::bleedUp() {
    fields_.bleed = params::bleedUpText(fields_.bleed);
}
void ParamModel::bleedDown() {
    fields_.bleed = params::bleedDownText(fields_.bleed);
}

void ParamModel::stepValue(int field, int direction, bool coarse) {
    if (coarse)
        direction > 0 ? valueUp(field) : valueDown(field);
    else
        setValueText(field, plainDecimal(params::slotStepped(slots_.at(field), direction)));
}

void ParamModel::stepBleed(int direction, bool coarse) {
    if (coarse)
        direction > 0 ? bleedUp() : bleedDown();
    else
        fields_.bleed = params::bleedSteppedText(fields_.bleed, direction);
}

void ParamModel::stepCenter(int axis, int direction, bool coarse) {
    fields_.center.at(axis) = params::centerSteppedText(fields_.center.at(axis), direction, coarse);
}

} // namespace wavory
