// frmMain: the color set commands (add, copy, edit, remove, initialize), the color set
// editor's opening and the color set file commands with their dialog dlgGColor.

#include "frmMain.h"

#include "FileDialogs.h"
#include "QtText.h"
#include "UserDialogs.h"
#include "frmColor.h"

#include "colorsets/BuiltinColorSets.h"
#include "colorsets/ColorSetCommands.h"
#include "colorsets/ColorSetFileCommands.h"
#include "common/PathText.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

namespace wavory {

namespace {

const QString kLastSetMessage = QStringLiteral("最後の１個は削除できません。");
const QString kInitQuestion =
    QStringLiteral("すべての色セットを初期化します。\r\n本当によろしいですか？");

QString removeQuestion(const std::string& name) {
    return QStringLiteral("色セット '") + toQ(name) +
           QStringLiteral("' を削除してよろしいですか？");
}

} // namespace

void frmMain::connectColorSetCommands() {
    activateCommand("cmdAddGColor", [this] { cmdAddGColor_Click(); });
    activateCommand("cmdGColorEdit", [this] { cmdGColorEdit_Click(); });
    activateCommand("cmdRemoveGColor", [this] { cmdRemoveGColor_Click(); });
    // The menu items of add, edit and remove press their buttons.
    activateCommand("mnuAddGColor", [this] { cmdAddGColor_->click(); });
    activateCommand("mnuEditGColor", [this] { cmdGColorEdit_->click(); });
    activateCommand("mnuRemoveGColor", [this] { cmdRemoveGColor_->click(); });
    activateCommand("mnuCopyGColor", [this] { mnuCopyGColor_Click(); });
    activateCommand("mnuGcolorInit", [this] { mnuGcolorInit_Click(); });
    activateCommand("mnuGColorLoad", [this] { mnuGColorLoad_Click(); });
    activateCommand("mnuGColorSave", [this] { mnuGColorSave_Click(); });
    activateCommand("mnuGColorAllSave", [this] { mnuGColorAllSave_Click(); });
}

void frmMain::ShowColorSetList() {
    {
        const QSignalBlocker block(cbogColor_);
        const std::vector<std::string> names = colorSets_.names();
        // Rebuilt only where it differs, so an open list keeps its place.
        while (cbogColor_->count() > static_cast<int>(names.size()))
            cbogColor_->removeItem(cbogColor_->count() - 1);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int row = static_cast<int>(i);
            if (row < cbogColor_->count()) {
                if (cbogColor_->itemText(row) != toQ(names[i]))
                    cbogColor_->setItemText(row, toQ(names[i]));
            } else {
                cbogColor_->addItem(toQ(names[i]));
            }
        }
        cbogColor_->setCurrentIndex(colorSets_.selectedIndex());
    }
    model_.setColorSetIndex(colorSets_.selectedIndex());
    DrawGradBar();
}

bool frmMain::ShowColorEditor(int vEditGCnt, bool blnCopyAddFlg) {
    frmColor editor(dialogs_, colorSets_, random_, this);
    editor.setEditGCnt(vEditGCnt);
    editor.setBlnCopyAddFlg(blnCopyAddFlg);
    editor.setHelpFileHandler([this](const QString& page) { ShowHelpFile(page); });
    connect(&editor, &frmColor::gColorWritten, this, [this](int index) {
        if (index >= 0 && index < cbogColor_->count())
            cbogColor_->setItemText(index, toQ(colorSets_.at(index).name));
    });
    showModal(editor);
    return editor.cancelled();
}

void frmMain::editAddedColorSet(int added, int previous) {
    if (added < 0) // a full collection has said so
        return;
    ShowColorSetList();
    if (ShowColorEditor(added, true))
        undoAddedColorSet(colorSets_, previous);
    ShowColorSetList();
}

void frmMain::cmdAddGColor_Click() {
    const int previous = colorSets_.selectedIndex();
    const AddedColorSet added = addNewColorSet(colorSets_);
    dialogs_.report(this, added.outcome);
    editAddedColorSet(added.index, previous);
}

void frmMain::mnuCopyGColor_Click() {
    const int source = colorSets_.selectedIndex();
    const AddedColorSet added = addColorSetCopy(colorSets_, source);
    dialogs_.report(this, added.outcome);
    editAddedColorSet(added.index, source);
}

void frmMain::cmdGColorEdit_Click() {
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    ShowColorEditor(selected, false);
    ShowColorSetList();
}

void frmMain::cmdRemoveGColor_Click() {
    if (colorSets_.getgColorCount() <= 1) {
        dialogs_.message(this, kLastSetMessage, MessageIcon::Exclamation);
        return;
    }
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    if (dialogs_.message(this, removeQuestion(colorSets_.at(selected).name), MessageIcon::Question,
                         MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return;
    }
    auto index = static_cast<std::int16_t>(selected);
    colorSets_.RemoveGColor(index);
    ShowColorSetList();
}

void frmMain::mnuGcolorInit_Click() {
    if (dialogs_.message(this, kInitQuestion, MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        return;
    }
    InitColors(colorSets_);
    ShowColorSetList();
}

void frmMain::LoadColorSetFile(const QString& path) {
    dialogs_.report(this, wavory::LoadColorSetFile(toStd(path), colorSets_).outcome);
    ShowColorSetList();
}

QString frmMain::chooseColorSetFile(bool save, const QString& nameInFolder) {
    // The dialog opens in the folder last used, with the proposed name.
    const QString proposal =
        toQ(TrimDir(toStd(dialogFileName(FileDialog::ColorSet)))) + nameInFolder;
    setDialogFileName(FileDialog::ColorSet, proposal);
    const QString chosen =
        save ? dialogs_.saveFileName(this, kSaveDialogTitle, kColorSetFileFilter, proposal)
             : dialogs_.openFileName(this, kOpenDialogTitle, kColorSetFileFilter, proposal);
    if (!chosen.isEmpty())
        setDialogFileName(FileDialog::ColorSet, chosen);
    return chosen;
}

void frmMain::mnuGColorLoad_Click() {
    const QString chosen = chooseColorSetFile(false, QStringLiteral("*"));
    if (!chosen.isEmpty())
        LoadColorSetFile(chosen);
}

void frmMain::mnuGColorSave_Click() {
    const int selected = colorSets_.selectedIndex();
    if (selected < 0)
        return;
    const QString chosen = chooseColorSetFile(true, toQ(colorSets_.at(selected).name));
    if (chosen.isEmpty())
        return;
    dialogs_.report(this, saveColorSetFile(toStd(chosen), colorSets_, selected));
}

void frmMain::mnuGColorAllSave_Click() {
    const QString chosen = chooseColorSetFile(true, QStringLiteral("all"));
    if (chosen.isEmpty())
        return;
    dialogs_.report(this, saveAllColorSetsFile(toStd(chosen), colorSets_));
}

} // namespace wavory
