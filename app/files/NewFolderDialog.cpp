#include "NewFolderDialog.h"

#include "platform/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

NewFolderDialog::NewFolderDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCreateFolder"));
    setWindowTitle(Ui::tr("新規フォルダ"));
    setModal(true);

    auto* label = new QLabel(Ui::tr("新規フォルダ名 : "), this);
    label->setObjectName(QStringLiteral("lblFolder"));
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName(QStringLiteral("txtFolder"));
    txtFolder_->setMinimumWidth(220);
    label->setBuddy(txtFolder_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Ui::tr("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(txtFolder_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &NewFolderDialog::onOkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewFolderDialog::prepare() {
    txtFolder_->clear();
    txtFolder_->setFocus();
    folderName_.clear();
    cancelled_ = true;
}

void NewFolderDialog::onOkClicked() {
    folderName_ = txtFolder_->text();
    cancelled_ = false;
    accept();
}

} // namespace wavory
