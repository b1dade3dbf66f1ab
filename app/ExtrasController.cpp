#include "ExtrasController.h"

#include "ColorSetController.h"
#include "ParamController.h"
#include "UserDialogs.h"
#include "params/SeamlessTile.h"

#include <QWidget>

namespace wavory {

ExtrasController::ExtrasController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {}

void ExtrasController::makeSeamless() {
    SeamlessChange change;
    parts_.params.command([&change](ParamModel& model) { change = wavory::makeSeamless(model); });
    parts_.dialogs.report(window_, seamlessChangeReport(change));
}

} // namespace wavory
