#include "BrightnessDialog.h"

#include "platform/QtText.h"

#include "colorsets/ColorEditing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace wavory {

BrightnessDialog::BrightnessDialog(const Points& points, int visibleCount,
                                   std::function<void(const Points&)> apply, QWidget* parent)
    : QDialog(parent), kept_(points), visibleCount_(visibleCount), apply_(std::move(apply)) {
    setObjectName(QStringLiteral("frmSetBrightness"));
    setWindowTitle(Ui::tr("明度の調整"));
    setModal(true);

    sldBrightness_ = new QSlider(Qt::Horizontal, this);
    sldBrightness_->setObjectName(QStringLiteral("sldBrightness"));
    sldBrightness_->setRange(-256, 256);
    sldBrightness_->setSingleStep(1);
    sldBrightness_->setPageStep(16);
    sldBrightness_->setTickInterval(16);
    sldBrightness_->setTickPosition(QSlider::TicksBelow);
    sldBrightness_->setValue(0);
    sldBrightness_->setMinimumWidth(320);

    lblBrightness_ = new QLabel(toQ(brightnessLabel(0)), this);
    lblBrightness_->setObjectName(QStringLiteral("lblBrightness"));
    lblBrightness_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for "-256" in any font, so the slider does not move.
    lblBrightness_->setMinimumWidth(
        lblBrightness_->fontMetrics().horizontalAdvance(QStringLiteral("-2560")));

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(Ui::tr("キャンセル"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    for (QPushButton* b : {cmdOK_, cmdCancel_})
        b->setMinimumWidth(88);

    auto* row = new QHBoxLayout;
    row->addWidget(sldBrightness_, 1);
    row->addWidget(lblBrightness_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(sldBrightness_, &QSlider::valueChanged, this, &BrightnessDialog::onBrightnessChanged);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &BrightnessDialog::reject);
}

int BrightnessDialog::brightness() const {
    return sldBrightness_->value();
}

void BrightnessDialog::onBrightnessChanged(int value) {
    lblBrightness_->setText(toQ(brightnessLabel(value)));
    Points adjusted = kept_;
    applyBrightness(kept_, adjusted, visibleCount_, value);
    if (apply_)
        apply_(adjusted);
}

void BrightnessDialog::reject() {
    if (apply_)
        apply_(kept_);
    QDialog::reject();
}

} // namespace wavory
