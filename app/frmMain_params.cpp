// frmMain: the parameter controls' handlers, the whole-set commands, the random setting,
// the image size and the parameter text file.

#include "frmMain.h"

#include "GradientView.h"
#include "UpDown.h"
#include "UserDialogs.h"
#include "frmButton.h"
#include "frmPicture.h"
#include "frmSize.h"

#include "colorsets/GradientBar.h"
#include "common/Numbers.h"
#include "io/ParamTextFile.h"
#include "params/ParamCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace wavory {

void frmMain::refreshFromModel() {
    const ParamFields& f = model_.fields();
    for (int k = 0; k < kComponentCount; ++k)
        chkValue_[k]->setChecked(f.componentOn[k]);
    for (int i = 0; i < kValueSlotCount; ++i)
        txtValue_[i]->setText(QString::fromStdString(f.values[i]));
    for (int j = 0; j < 2; ++j)
        txtCenter_[j]->setText(QString::fromStdString(f.center[j]));
    txtNizimi_->setText(QString::fromStdString(f.bleed));
    hscIso_->setValue(f.phase);
    cboMode_->setCurrentIndex(static_cast<int>(f.mode));
    if (f.colorSetIndex != cbogColor_->currentIndex() && f.colorSetIndex < cbogColor_->count()) {
        cbogColor_->setCurrentIndex(f.colorSetIndex);
    }
}

void frmMain::ShowValues() {
    model_.showValues();
    refreshFromModel();
}

ParamFields frmMain::currentFields() const {
    ParamFields f = model_.fields();
    f.frame = button_->frameFields();
    f.width = picture_->imageWidth();
    f.height = picture_->imageHeight();
    f.colorSetIndex = cbogColor_->currentIndex();
    f.phase = hscIso_->value();
    return f;
}

void frmMain::applyFields(const ParamFields& fields) {
    if (fields.width != picture_->imageWidth() || fields.height != picture_->imageHeight()) {
        SetImageSize(fields.width, fields.height);
    }
    button_->setFrameFields(fields.frame);
    model_.assignFields(fields);
    refreshFromModel();
}

void frmMain::chkValue_Click(int k) {
    const bool on = chkValue_[k]->isChecked();
    model_.setComponent(k, on);
    for (int field : componentFields(k)) {
        txtValue_[field]->setEnabled(on);
        updValue_[field]->setEnabled(on);
    }
}

void frmMain::txtValue_Change(int i) {
    model_.setValueText(i, txtValue_[i]->text().toStdString());
}

void frmMain::txtCenter_Change(int j) {
    model_.setCenterText(j, txtCenter_[j]->text().toStdString());
    picture_->MoveshpCenter(txtCenter_[0]->text(), txtCenter_[1]->text());
}

void frmMain::hscIso_Change(bool committed) {
    labISO_->setText(QString::fromStdString(params::phaseLabelText(hscIso_->value())));
    model_.setPhase(hscIso_->value());
    if (committed)
        DrawGradBar();
}

void frmMain::cbogColor_Click(int index) {
    if (index != colorSets_.selectedIndex()) {
        colorSets_.select(index); // the selection listener repaints the bar
    } else {
        model_.setColorSetIndex(index);
        DrawGradBar();
    }
}

void frmMain::DrawGradBar() {
    const GColor* set = colorSets_.selectedSet();
    if (!set || set->colorCount < 2)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    picGrad_->setColumns(gradBarColors(*set, picGrad_->barWidth(), hscIso_->value()));
    QApplication::restoreOverrideCursor();
}

void frmMain::drawByEnter(QLineEdit* field) {
    focusReturnField_ = field;
    startedByEnter_ = true;
    cmdDraw_Click();
}

void frmMain::cmdRndSet_Click() {
    const GColor* selected = colorSets_.selectedSet();
    RandomSettingContext context;
    context.colorSetCount = colorSets_.getgColorCount();
    context.selectedSetPointCount = selected ? selected->colorCount : 0;
    context.imageWidth = picture_->imageWidth();
    context.imageHeight = picture_->imageHeight();
    RandomSettingOptions options;
    options.groups = settings_.Option.DoRndSet;
    options.periodTendency = settings_.Option.RndSetBS;
    options.amplitudeTendency = settings_.Option.RndSetSW;
    applyRandomSetting(model_, options, context,
                       [this] { return static_cast<double>(random_.next()); });
    refreshFromModel();
    if (settings_.Option.DrawOnRnd)
        cmdDraw_Click();
}

void frmMain::SetImageSize(int width, int height) {
    picture_->setImageSize(width, height);
    model_.setImageSize(width, height);
    labSize_->setText(QString::fromStdString(signPositionForm(width) + " x" +
                                             signPositionForm(height) + " pixels"));
}

void frmMain::cmdSize_Click() {
    frmSize dialog(
        dialogs_,
        [this](int width, int height) {
            SetImageSize(width, height);
            picture_->clearPicture();
            mnuUndo_->setEnabled(false);
        },
        this);
    dialog.prepare(picture_->imageWidth(), picture_->imageHeight());
    showModal(dialog);
    button_->updXYMaxSet();
    picture_->MoveshpCenter(txtCenter_[0]->text(), txtCenter_[1]->text());
}

void frmMain::mnuUndo_Click() {
    picture_->undo();
    mnuUndo_->setEnabled(false);
}

void frmMain::forwardKey(int key, Qt::KeyboardModifiers modifiers) {
    activateWindow();
    raise();
    const char* item = key == Qt::Key_F1                                         ? "mnuPrintHelp"
                       : key == Qt::Key_F3                                       ? "mnuTile"
                       : (key == Qt::Key_C && (modifiers & Qt::ControlModifier)) ? "mnuCopy"
                                                                                 : nullptr;
    if (!item)
        return;
    if (auto* action = findChild<QAction*>(QLatin1String(item)); action && action->isEnabled()) {
        action->trigger();
    }
}

bool frmMain::InputText(const QString& fileName) {
    ParamFields fields = currentFields();
    const ParamReadResult result =
        wavory::InputText(fileName.toStdString(), fields, colorSets_.names());
    dialogs_.report(this, result.outcome);
    if (result.status == ParamReadStatus::UnsupportedFormat)
        return false;
    if (result.sizeApplied && result.sizeOutOfRange) {
        // A hand-edited size beyond what the size dialog allows is held to its range.
        fields.width = std::clamp(fields.width, kMinImageSide, kMaxImageSide);
        fields.height = std::clamp(fields.height, kMinImageSide, kMaxImageSide);
    }
    // Values read before a failure stay applied.
    applyFields(fields);
    if (!result.ok())
        return false;
    cmdDraw_Click();
    return true;
}

} // namespace wavory
