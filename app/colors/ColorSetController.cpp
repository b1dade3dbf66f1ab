#include "ColorSetController.h"

#include "platform/FileDialogNames.h"
#include "platform/FileDialogs.h"
#include "guide/HelpPages.h"
#include "values/ParamController.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "ColorEditorWindow.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCommands.h"
#include "colorsets/ColorSetExchange.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/PathText.h"

namespace wavory {

namespace {

const char* const kLastSetMessage = QT_TRANSLATE_NOOP("Ui", "最後の１個は削除できません。");
const char* const kInitQuestion =
    QT_TRANSLATE_NOOP("Ui", "すべての色セットを初期化します。\r\n本当によろしいですか？");

QString removeQuestion(const std::string& name) {
    return Ui::tr("色セット '%1' を削除してよろしいですか？").arg(toQ(name));
}

} // namespace

ColorSetController::ColorSetController(const Parts& parts, QWidget* window)
    : QObject(window), parts_(parts), window_(window) {
    colorSets_.setSelectionListener([this](int index) {
        parts_.params.edit([index](ParamModel& m) { m.setColorSetIndex(index); });
        Q_EMIT selectionChanged(index);
    });
    // The built-in sets until the color set file is read at start-up.
    initColors(colorSets_);
}

bool ColorSetController::showEditor(int index, bool addedOrCopied) {
    ColorEditorWindow editor(parts_.dialogs, colorSets_, parts_.random, window_);
    editor.setEditedIndex(index);
    editor.setCopiedOrAdded(addedOrCopied);
    editor.setHelpFileHandler([this](const QString& page) { parts_.help.show(page); });
    connect(&editor, &ColorEditorWindow::colorSetWritten, this, &ColorSetController::setWritten);
    showModal(window_, editor);
    return editor.cancelled();
}

int ColorSetController::indexForSet(const GColor& set, int preferred) {
    const int count = colorSets_.colorSetCount();
    if (preferred >= 0 && preferred < count && sameColors(colorSets_.at(preferred), set))
        return preferred;
    for (int i = 0; i < count; ++i) {
        if (sameColors(colorSets_.at(i), set))
            return i;
    }
    const bool added = parts_.dialogs.report(window_, addColorSet(set, colorSets_));
    Q_EMIT listChanged();
    return added ? colorSets_.selectedIndex() : -1;
}

void ColorSetController::editAdded(int added, int previous) {
    if (added < 0) // a full collection has said so
        return;
    Q_EMIT listChanged();
    if (showEditor(added, true))
        undoAddedColorSet(colorSets_, previous);
    Q_EMIT listChanged();
}

void ColorSetController::add() {
    const int previous = colorSets_.selectedIndex();
    const AddedColorSet added = addNewColorSet(colorSets_);
    parts_.dialogs.report(window_, added.outcome);
    editAdded(added.index, previous);
}

void ColorSetController::copy() {
    const int source = colorSets_.selectedIndex();
    const AddedColorSet added = addColorSetCopy(colorSets_, source);
    parts_.dialogs.report(window_, added.outcome);
    editAdded(added.index, source);
}

void ColorSetController::edit() {
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    showEditor(selected, false);
    Q_EMIT listChanged();
}

void ColorSetController::remove() {
    if (colorSets_.colorSetCount() <= 1) {
        parts_.dialogs.message(window_, Ui::tr(kLastSetMessage), MessageIcon::Exclamation);
        return;
    }
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    if (!parts_.dialogs.confirmDestructive(window_, removeQuestion(colorSets_.at(selected).name),
                                           MessageButtons::OkCancel)) {
        return;
    }
    auto index = static_cast<std::int16_t>(selected);
    colorSets_.removeColorSet(index);
    Q_EMIT listChanged();
}

void ColorSetController::initialize() {
    if (!parts_.dialogs.confirmDestructive(window_, Ui::tr(kInitQuestion), MessageButtons::YesNo))
        return;
    initColors(colorSets_);
    Q_EMIT listChanged();
}

void ColorSetController::loadFile(const QString& path) {
    parts_.dialogs.report(window_, loadColorSetFile(toStd(path), colorSets_).outcome);
    Q_EMIT listChanged();
}

QString ColorSetController::chooseFile(bool save, const QString& nameInFolder) {
    using Dialog = RememberedFileNames::Dialog;
    RememberedFileNames& names = parts_.fileNames;
    // The dialog opens in the folder last used, with the proposed name.
    const QString proposal = toQ(folderPart(toStd(names.name(Dialog::ColorSet)))) + nameInFolder;
    names.setName(Dialog::ColorSet, proposal);
    UserDialogs& dialogs = parts_.dialogs;
    const QString chosen = save ? dialogs.saveFileName(window_, Ui::tr(kSaveDialogTitle),
                                                       Ui::tr(kColorSetFileFilter), proposal)
                                : dialogs.openFileName(window_, Ui::tr(kOpenDialogTitle),
                                                       Ui::tr(kColorSetFileFilter), proposal);
    if (!chosen.isEmpty())
        names.setName(Dialog::ColorSet, chosen);
    return chosen;
}

void ColorSetController::load() {
    const QString chosen = chooseFile(false, QStringLiteral("*"));
    if (!chosen.isEmpty())
        loadFile(chosen);
}

void ColorSetController::save() {
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    const QString chosen = chooseFile(true, toQ(colorSets_.at(selected).name));
    if (chosen.isEmpty())
        return;
    parts_.dialogs.report(window_, saveColorSetFile(toStd(chosen), colorSets_, selected));
}

void ColorSetController::saveAll() {
    const QString chosen = chooseFile(true, QStringLiteral("all"));
    if (chosen.isEmpty())
        return;
    parts_.dialogs.report(window_, saveAllColorSetsFile(toStd(chosen), colorSets_));
}

} // namespace wavory
