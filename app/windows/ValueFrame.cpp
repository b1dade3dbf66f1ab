#include "ValueFrame.h"

#include "widgets/ControlFactory.h"
#include "drawing/DrawSession.h"
#include "widgets/FieldInput.h"
#include "widgets/FieldSteps.h"
#include "values/ParamController.h"
#include "ParamFieldKeys.h"
#include "platform/QtText.h"
#include "widgets/UpDown.h"
#include "drawing/PictureWindow.h"

#include "common/UiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

ValueFrame::ValueFrame(ParamController& params, DrawSession& session, ParamFieldKeys& fieldKeys,
                       PictureWindow& picture, QWidget* parent)
    : QGroupBox(Ui::tr("形"), parent), params_(params), session_(session), fieldKeys_(fieldKeys),
      picture_(picture) {
    setObjectName(QStringLiteral("fraValue"));
    buildComponents();
    buildSide();
}

void ValueFrame::buildComponents() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    const int fieldWidth = 68;

    for (int i = 0; i < kValueSlotCount; ++i) {
        txtValue_[i] = numberField(QStringLiteral("txtValue_%1").arg(i), fieldWidth, this);
        limitTyping(txtValue_[i], 6);
        fieldKeys_.addValueField(txtValue_[i]);
        updValue_[i] = new UpDown(txtValue_[i]);
        updValue_[i]->setObjectName(QStringLiteral("updValue_%1").arg(i));
        connect(txtValue_[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            params_.edit([i, &t](ParamModel& m) { m.setValueText(i, toStd(t)); });
        });
        connect(updValue_[i], &UpDown::up, this,
                [this, i] { params_.command([i](ParamModel& m) { m.valueUp(i); }); });
        connect(updValue_[i], &UpDown::down, this,
                [this, i] { params_.command([i](ParamModel& m) { m.valueDown(i); }); });
        stepByWheelAndKeys(txtValue_[i], [this, i](int direction, bool coarse) {
            params_.command([=](ParamModel& m) { m.stepValue(i, direction, coarse); });
        });
    }

    grid->addWidget(namedLabel(QStringLiteral("labValue_0"), Ui::tr("周期"), this, 22), 0, 2,
                    Qt::AlignHCenter);
    grid->addWidget(namedLabel(QStringLiteral("labValue_1"), Ui::tr("振幅"), this, 23), 0, 3,
                    Qt::AlignHCenter);
    int row = 1;
    for (int k = 0; k < kComponentCount; ++k) {
        chkValue_[k] = new QCheckBox(toQ(UiText::tr(kComponentNames[k])), this);
        chkValue_[k]->setObjectName(QStringLiteral("chkValue_%1").arg(k));
        chkValue_[k]->setProperty("helpTopic", 10 + k);
        chkValue_[k]->setFixedHeight(20);
        const std::vector<int> fields = componentFields(k);
        connect(chkValue_[k], &QCheckBox::toggled, this, [this, k, fields](bool on) {
            params_.edit([k, on](ParamModel& m) { m.setComponent(k, on); });
            for (int field : fields) {
                session_.refreshControl(txtValue_[field]);
                session_.refreshControl(updValue_[field]);
            }
        });
        const auto componentOn = [this, k] { return params_.fields().componentOn[k]; };
        for (int field : fields) {
            session_.registerValueControl(txtValue_[field], componentOn);
            session_.registerValueControl(updValue_[field], componentOn);
        }
        grid->addWidget(chkValue_[k], row, 0);
        if (k == 3)
            grid->addWidget(namedLabel(QStringLiteral("labValue_6"), Ui::tr("Ｘ"), this), row, 1);
        grid->addWidget(txtValue_[fields[0]], row, 2);
        grid->addWidget(txtValue_[fields[1]], row, 3);
        ++row;
        if (k == 3) {
            grid->addWidget(namedLabel(QStringLiteral("labValue_8"), Ui::tr("Ｙ"), this), row, 1);
            grid->addWidget(txtValue_[8], row, 2);
            ++row;
        }
    }
    grid->setRowMinimumHeight(row, 4);
    ++row;
    grid->addWidget(namedLabel(QStringLiteral("labValue_9"), Ui::tr("べき乗"), this, 21), row, 0,
                    Qt::AlignRight);
    grid->addWidget(txtValue_[kPowerSlot], row, 2);
    grid->setRowStretch(row + 1, 1); // spare height below, rows stay together
    session_.registerValueControl(txtValue_[kPowerSlot]);
    session_.registerValueControl(updValue_[kPowerSlot]);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(10);
    layout->addLayout(grid);
}

void ValueFrame::buildSide() {
    // Center, bleed and the whole-set commands beside the components.
    auto* side = new QVBoxLayout;
    side->setSpacing(3);
    side->addWidget(namedLabel(QStringLiteral("labCenter"), Ui::tr("画像の中心"), this, 25));
    auto* center = new QGridLayout;
    center->setHorizontalSpacing(4);
    center->setVerticalSpacing(2);
    const QString axis[2] = {Ui::tr("Ｘ"), Ui::tr("Ｙ")};
    for (int j = 0; j < 2; ++j) {
        txtCenter_[j] = numberField(QStringLiteral("txtCenter_%1").arg(j), 64, this);
        limitTyping(txtCenter_[j], 5);
        fieldKeys_.addCenterField(txtCenter_[j]);
        session_.registerValueControl(txtCenter_[j]);
        connect(txtCenter_[j], &QLineEdit::textChanged, this, [this, j](const QString& t) {
            params_.edit([j, &t](ParamModel& m) { m.setCenterText(j, toStd(t)); });
            moveCenterMarker();
        });
        stepByWheelAndKeys(txtCenter_[j], [this, j](int direction, bool coarse) {
            params_.command([=](ParamModel& m) { m.stepCenter(j, direction, coarse); });
        });
        center->addWidget(new QLabel(axis[j], this), j, 0);
        center->addWidget(txtCenter_[j], j, 1);
    }
    center->setColumnStretch(2, 1);
    side->addLayout(center);
    side->addSpacing(4);

    txtNizimi_ = numberField(QStringLiteral("txtNizimi"), 70, this);
    limitTyping(txtNizimi_, 6);
    fieldKeys_.addBleedField(txtNizimi_);
    updNizimi_ = new UpDown(txtNizimi_);
    updNizimi_->setObjectName(QStringLiteral("updNizimi"));
    session_.registerValueControl(txtNizimi_);
    session_.registerValueControl(updNizimi_);
    connect(txtNizimi_, &QLineEdit::textChanged, this, [this](const QString& t) {
        params_.edit([&t](ParamModel& m) { m.setBleedText(toStd(t)); });
    });
    connect(updNizimi_, &UpDown::up, this,
            [this] { params_.command([](ParamModel& m) { m.bleedUp(); }); });
    connect(updNizimi_, &UpDown::down, this,
            [this] { params_.command([](ParamModel& m) { m.bleedDown(); }); });
    stepByWheelAndKeys(txtNizimi_, [this](int direction, bool coarse) {
        params_.command([=](ParamModel& m) { m.stepBleed(direction, coarse); });
    });
    auto* bleed = new QHBoxLayout;
    bleed->addWidget(namedLabel(QStringLiteral("labNizimi"), Ui::tr("にじみ"), this, 26));
    bleed->addWidget(txtNizimi_);
    bleed->addStretch();
    side->addLayout(bleed);
    side->addStretch();
    for (QCheckBox* c : chkValue_)
        session_.registerValueControl(c);

    cmdRndSet_ = commandButton("cmdRndSet", Ui::tr("ﾗﾝﾀﾞﾑ設定(&R)"), this, 20);
    cmdRndSet_->setFixedHeight(32);
    session_.registerValueControl(cmdRndSet_);
    cmdBig_ = commandButton("cmdBig", Ui::tr("周期２倍"), this, 30);
    cmdSmall_ = commandButton("cmdSmall", Ui::tr("周期半分"), this, 31);
    cmdStrong_ = commandButton("cmdStrong", Ui::tr("振幅２倍"), this, 32);
    cmdWeak_ = commandButton("cmdWeak", Ui::tr("振幅半分"), this, 33);
    const std::pair<QPushButton*, void (ParamModel::*)()> scaleCommands[] = {
        {cmdBig_, &ParamModel::doublePeriods},
        {cmdSmall_, &ParamModel::halvePeriods},
        {cmdStrong_, &ParamModel::doubleAmplitudes},
        {cmdWeak_, &ParamModel::halveAmplitudes},
    };
    for (const auto& [button, change] : scaleCommands) {
        connect(button, &QPushButton::clicked, this,
                [this, change] { params_.command([change](ParamModel& m) { (m.*change)(); }); });
        session_.registerValueControl(button);
    }
    auto* scale = new QGridLayout;
    scale->setSpacing(3);
    scale->addWidget(cmdBig_, 0, 0);
    scale->addWidget(cmdSmall_, 0, 1);
    scale->addWidget(cmdStrong_, 1, 0);
    scale->addWidget(cmdWeak_, 1, 1);
    side->addLayout(scale);
    side->addWidget(cmdRndSet_);
    static_cast<QHBoxLayout*>(layout())->addLayout(side);
}

void ValueFrame::showModel() {
    const ParamFields& f = params_.fields();
    for (int k = 0; k < kComponentCount; ++k)
        chkValue_[k]->setChecked(f.componentOn[k]);
    for (int i = 0; i < kValueSlotCount; ++i)
        txtValue_[i]->setText(toQ(f.values[i]));
    for (int j = 0; j < 2; ++j)
        txtCenter_[j]->setText(toQ(f.center[j]));
    txtNizimi_->setText(toQ(f.bleed));
}

void ValueFrame::moveCenterMarker() {
    picture_.moveCenterMarker(txtCenter_[0]->text(), txtCenter_[1]->text());
}

} // namespace wavory
