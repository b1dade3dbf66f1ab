#include "FileController.h"

#include "colors/ColorSetController.h"
#include "drawing/DrawCommand.h"
#include "platform/FileDialogNames.h"
#include "platform/FileDialogs.h"
#include "values/ParamController.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"

#include "common/Clamps.h"
#include "common/PathText.h"
#include "io/ParamTextFile.h"

#include <QWidget>
#include <algorithm>

namespace wavory {

FileController::FileController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {}

bool FileController::outputText(const QString& fileName) {
    const ColorSetCollection& sets = parts_.colorSets.colorSets();
    const GColor* selected = sets.selectedSet();
    return parts_.dialogs.report(window_,
                                 writeParamTextFile(toStd(fileName), parts_.params.fields(),
                                                    selected ? selected->name : std::string()));
}

bool FileController::inputText(const QString& fileName) {
    ParamFields fields = parts_.params.fields();
    const ParamReadResult result =
        readParamTextFile(toStd(fileName), fields, parts_.colorSets.colorSets().names());
    if (result.status == ParamReadStatus::UnsupportedFormat) {
        parts_.dialogs.report(window_, result.outcome);
        return false;
    }
    // Each message is shown over the values read before it, as the file gives them: the
    // warning about a missing color set after the values before the set, the failure after
    // every value read before it (which stay applied).
    const std::vector<UserMessage>& messages = result.outcome.messages();
    std::size_t next = 0;
    if (result.fieldsAtWarning) {
        applyRead(*result.fieldsAtWarning);
        parts_.dialogs.show(window_, messages.at(next++));
    }
    applyRead(fields);
    while (next < messages.size())
        parts_.dialogs.show(window_, messages[next++]);
    if (!result.ok())
        return false;
    parts_.draw.run();
    return true;
}

void FileController::applyRead(ParamFields fields) {
    // A hand-edited size beyond what the size dialog allows is held to its range.
    fields.width = std::clamp(fields.width, kMinImageSide, kMaxImageSide);
    fields.height = std::clamp(fields.height, kMinImageSide, kMaxImageSide);
    parts_.params.assign(fields);
}

void FileController::onOutputTextTriggered() {
    using Dialog = RememberedFileNames::Dialog;
    RememberedFileNames& names = parts_.fileNames;
    const QString proposal = toQ(withoutExtension(toStd(names.name(Dialog::Text))));
    names.setName(Dialog::Text, proposal);
    const QString chosen = parts_.dialogs.saveFileName(window_, Ui::tr(kSaveDialogTitle),
                                                       Ui::tr(kTextFileFilter), proposal);
    if (chosen.isEmpty())
        return;
    names.setName(Dialog::Text, chosen);
    outputText(chosen);
}

void FileController::onInputTextTriggered() {
    using Dialog = RememberedFileNames::Dialog;
    RememberedFileNames& names = parts_.fileNames;
    const QString chosen = parts_.dialogs.openFileName(
        window_, Ui::tr(kOpenDialogTitle), Ui::tr(kTextFileFilter), names.name(Dialog::Text));
    if (chosen.isEmpty())
        return;
    names.setName(Dialog::Text, chosen);
    inputText(chosen);
}

void FileController::handleDroppedFiles(const QStringList& files) {
    for (const QString& file : files) {
        // Exactly "cst", lower case: any other file is a parameter file to the reader.
        if (extensionPart(toStd(file)) == "cst") {
            parts_.colorSets.loadFile(file);
        } else {
            inputText(file);
        }
    }
}

} // namespace wavory
