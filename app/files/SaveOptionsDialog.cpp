#include "SaveOptionsDialog.h"

#include "platform/QtText.h"
#include "platform/WindowHelpers.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

SaveOptionsDialog::SaveOptionsDialog(QWidget* parent) : QDialog(parent) {
    setModal(true);
    fraOption_ = new QGroupBox(this);
    fraOption_->setObjectName(QStringLiteral("fraOption"));
    lblProg_ = new QLabel(Ui::tr("保存中..."), this);
    lblProg_->setObjectName(QStringLiteral("lblProg"));
    lblProg_->setVisible(false);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(Ui::tr("キャンセル"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdOK_, &QPushButton::clicked, this, &SaveOptionsDialog::onOkClicked);
    connect(cmdCancel_, &QPushButton::clicked, this, &SaveOptionsDialog::reject);
}

void SaveOptionsDialog::finishLayout() {
    auto* buttons = new QHBoxLayout;
    // The label keeps its room while hidden, so the dialog does not jump when it shows.
    QSizePolicy keep = lblProg_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblProg_->setSizePolicy(keep);
    buttons->addWidget(lblProg_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraOption_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SaveOptionsDialog::onOkClicked() {
    storeOptions();
    lblProg_->setVisible(true);
    setContainerEnabled(fraOption_, false, false);
    cmdOK_->setEnabled(false);
    cmdCancel_->setEnabled(false);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    cancelled_ = false;
    saving_ = true;
    if (save_)
        save_();
    saving_ = false;
    accept();
}

void SaveOptionsDialog::reject() {
    // Once OK has started the save, nothing cancels it any more.
    if (saving_)
        return;
    cancelled_ = true;
    QDialog::reject();
}

} // namespace wavory
