#include "WelcomeDialog.h"

#include "platform/QtText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

WelcomeDialog::WelcomeDialog(bool& hello, QWidget* parent) : QDialog(parent), hello_(hello) {
    setObjectName(QStringLiteral("frmHello"));
    // The title keeps its familiar spelling; other languages may spell it right.
    setWindowTitle(Ui::tr("Welocome To Wavory"));
    setModal(true);

    auto* title = new QLabel(QStringLiteral("Welcome to Wavory"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    auto* text = new QLabel(Ui::tr("「ランダム設定」ボタンを押して「描画」するだけで、\n"
                                   "いろいろなグラデーション画像が作れます。\n"
                                   "気に入った形は周期や振幅を変えて仕上げてください。"),
                            this);
    text->setObjectName(QStringLiteral("lblText"));

    chkNext_ = new QCheckBox(Ui::tr("次回起動時もこの画面を表示"), this);
    chkNext_->setObjectName(QStringLiteral("chkNext"));
    chkNext_->setChecked(hello_);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &WelcomeDialog::onOkClicked);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkNext_);
    bottom->addStretch();
    bottom->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    setFixedSize(sizeHint());
}

void WelcomeDialog::onOkClicked() {
    hello_ = chkNext_->isChecked();
    accept();
}

} // namespace wavory
