#include "SizeDialog.h"

#include "widgets/FieldInput.h"
#include "platform/QtText.h"
#include "widgets/UpDown.h"
#include "platform/UserDialogs.h"
#include "common/KeyFilters.h"
#include "common/Numbers.h"
#include "params/ParamFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

SizeDialog::SizeDialog(UserDialogs& dialogs, std::function<void(int, int)> apply, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), apply_(std::move(apply)) {
    setObjectName(QStringLiteral("frmSize"));
    setWindowTitle(Ui::tr("ｻｲｽﾞ指定"));
    setModal(true);

    txtWidth_ = new QLineEdit(this);
    txtWidth_->setObjectName(QStringLiteral("txtWidth"));
    txtHeight_ = new QLineEdit(this);
    txtHeight_->setObjectName(QStringLiteral("txtHeight"));
    for (QLineEdit* t : {txtWidth_, txtHeight_}) {
        t->setFixedWidth(72);
        t->setAlignment(Qt::AlignRight);
        installKeyFilter(t, filterNumberKey);
    }
    updWidth_ = new UpDown(txtWidth_);
    updWidth_->setObjectName(QStringLiteral("updWidth"));
    updHeight_ = new UpDown(txtHeight_);
    updHeight_->setObjectName(QStringLiteral("updHeight"));
    chkXYFix_ = new QCheckBox(Ui::tr("縦横比を固定"), this);
    chkXYFix_->setObjectName(QStringLiteral("chkXYFix"));
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Ui::tr("幅 :"), this), 0, 0);
    grid->addWidget(txtWidth_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("pixels"), this), 0, 2);
    grid->addWidget(new QLabel(Ui::tr("高さ :"), this), 1, 0);
    grid->addWidget(txtHeight_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("pixels"), this), 1, 2);
    grid->addWidget(chkXYFix_, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(updWidth_, &UpDown::up, this, [this] { step(txtWidth_, +1); });
    connect(updWidth_, &UpDown::down, this, [this] { step(txtWidth_, -1); });
    connect(updHeight_, &UpDown::up, this, [this] { step(txtHeight_, +1); });
    connect(updHeight_, &UpDown::down, this, [this] { step(txtHeight_, -1); });
    connect(txtWidth_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (chkXYFix_->isChecked())
            txtHeight_->setText(t);
    });
    connect(txtHeight_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (chkXYFix_->isChecked())
            txtWidth_->setText(t);
    });
    connect(chkXYFix_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            txtHeight_->setText(txtWidth_->text());
    });
    connect(cmdOK_, &QPushButton::clicked, this, &SizeDialog::ok);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void SizeDialog::prepare(int width, int height) {
    // Filled with the lock off, so that unequal sizes are not made equal.
    chkXYFix_->setChecked(false);
    txtWidth_->setText(QString::number(width));
    txtHeight_->setText(QString::number(height));
    chkXYFix_->setChecked(txtWidth_->text() == txtHeight_->text());
    txtWidth_->setFocus();
    txtWidth_->selectAll();
}

void SizeDialog::step(QLineEdit* field, int delta) {
    const std::int64_t v = leadingInt32(field->text().toStdString());
    field->setText(
        QString::number(std::clamp<std::int64_t>(v + delta, kMinImageSide, kMaxImageSide)));
}

void SizeDialog::ok() {
    const std::int32_t width = leadingInt32(txtWidth_->text().toStdString());
    const std::int32_t height = leadingInt32(txtHeight_->text().toStdString());
    if (width < kMinImageSide || width > kMaxImageSide || height < kMinImageSide ||
        height > kMaxImageSide) {
        dialogs_.message(this, Ui::tr("4~3000 の整数で指定して下さい。"), MessageIcon::Critical);
        return;
    }
    apply_(width, height);
    accept();
}

} // namespace wavory
