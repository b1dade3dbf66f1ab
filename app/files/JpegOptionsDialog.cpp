#include "JpegOptionsDialog.h"

#include "platform/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace wavory {

JpegOptionsDialog::JpegOptionsDialog(AppSettings::PictureSection& settings, QWidget* parent)
    : SaveOptionsDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("frmJpeg"));
    setWindowTitle(Ui::tr("Jpeg保存時のオプション"));

    QGroupBox* frame = optionFrame();
    hscQ_ = new QScrollBar(Qt::Horizontal, frame);
    hscQ_->setObjectName(QStringLiteral("hscQ"));
    hscQ_->setRange(1, 100);
    hscQ_->setPageStep(10);
    hscQ_->setMinimumWidth(220);
    labQ_ = new QLabel(frame);
    labQ_->setObjectName(QStringLiteral("labQ"));
    labQ_->setMinimumWidth(labQ_->fontMetrics().horizontalAdvance(QStringLiteral("1000")));
    chkPrgrs_ = new QCheckBox(Ui::tr("プログレッシブJpeg"), frame);
    chkPrgrs_->setObjectName(QStringLiteral("chkPrgrs"));

    auto* grid = new QGridLayout(frame);
    auto* caption = new QHBoxLayout;
    caption->addWidget(new QLabel(Ui::tr("品質の詳細設定 :"), frame));
    caption->addWidget(labQ_);
    caption->addStretch();
    grid->addLayout(caption, 0, 0, 1, 3);
    grid->addWidget(new QLabel(Ui::tr("低"), frame), 1, 0);
    grid->addWidget(hscQ_, 1, 1);
    grid->addWidget(new QLabel(Ui::tr("高"), frame), 1, 2);
    grid->addWidget(chkPrgrs_, 2, 0, 1, 3);
    finishLayout();

    // valueChanged follows the thumb while it is dragged too.
    connect(hscQ_, &QScrollBar::valueChanged, this,
            [this](int v) { labQ_->setText(QString::number(v)); });
    hscQ_->setValue(settings_.jpegSaveQ);
    labQ_->setText(QString::number(hscQ_->value()));
    chkPrgrs_->setChecked(settings_.jpegSavePrgrs);
}

void JpegOptionsDialog::storeOptions() {
    settings_.jpegSaveQ = static_cast<std::uint8_t>(hscQ_->value());
    settings_.jpegSavePrgrs = chkPrgrs_->isChecked();
}

} // namespace wavory
