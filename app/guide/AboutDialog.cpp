#include "AboutDialog.h"

#include "widgets/DrawIcons.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"

#include "io/AppSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

AboutDialog::AboutDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Ui::tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(kProgramTitle));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(drawButtonImage().pixmap(32, 32));
    lblTitle_ = new QLabel(kProgramTitle, this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle_->setFont(big);
    lblVersion_ = new QLabel(QStringLiteral("Version ") + QLatin1String(kProgramVersion), this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    auto* description = new QLabel(Ui::tr("2次元グラデーション画像作成ツール"), this);
    description->setObjectName(QStringLiteral("lblDescription"));

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(Ui::tr("システム情報(&S)..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setAutoDefault(false);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutDialog::onSystemInfoClicked);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->setHorizontalSpacing(14);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle_, 0, 1);
    grid->addWidget(lblVersion_, 1, 1);
    grid->addWidget(description, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    setFixedSize(sizeHint());
}

void AboutDialog::onSystemInfoClicked() {
    // There is no system information viewer to start here.
    dialogs_.message(this, Ui::tr("現時点ではｼｽﾃﾑ情報を使用できません"), MessageIcon::Information);
}

} // namespace wavory
