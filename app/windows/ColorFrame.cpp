#include "ColorFrame.h"

#include "colors/ColorSetController.h"
#include "widgets/ControlFactory.h"
#include "drawing/DrawSession.h"
#include "widgets/GradientView.h"
#include "values/ParamController.h"
#include "platform/QtText.h"

#include "colorsets/GradientBar.h"
#include "params/ParamCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace wavory {

ColorFrame::ColorFrame(ColorSetController& colorSets, ParamController& params, DrawSession& session,
                       QWidget* parent)
    : QGroupBox(Ui::tr("色"), parent), colorSets_(colorSets), params_(params) {
    setObjectName(QStringLiteral("Frame2"));
    auto* labGColor =
        namedLabel(QStringLiteral("labGColor"), Ui::tr("使用する色セット(&C) :"), this, 40);
    cbogColor_ = new QComboBox(this);
    cbogColor_->setObjectName(QStringLiteral("cbogColor"));
    cbogColor_->setMaxVisibleItems(20);
    cbogColor_->setFixedHeight(24);
    labGColor->setBuddy(cbogColor_);
    connect(cbogColor_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index != colorSets_.colorSets().selectedIndex()) {
            colorSets_.colorSets().select(index); // the selection comes back as selectionChanged
        } else {
            params_.edit([index](ParamModel& m) { m.setColorSetIndex(index); });
            drawGradientBar();
        }
    });
    picGrad_ = new GradientView(this);
    connect(picGrad_, &GradientView::resized, this, &ColorFrame::drawGradientBar);

    labISO_ = namedLabel(QStringLiteral("labISO"), QString(), this, 47);
    hscIso_ = new QScrollBar(Qt::Horizontal, this);
    hscIso_->setObjectName(QStringLiteral("hscIso"));
    hscIso_->setRange(0, 99);
    hscIso_->setSingleStep(1);
    hscIso_->setPageStep(10);
    connect(hscIso_, &QScrollBar::valueChanged, this,
            [this] { showPhase(!hscIso_->isSliderDown()); });
    connect(hscIso_, &QScrollBar::sliderReleased, this, [this] { showPhase(true); });

    cmdGColorEdit_ = commandButton("cmdGColorEdit", Ui::tr("編集"), this, 41);
    cmdAddGColor_ = commandButton("cmdAddGColor", Ui::tr("追加"), this, 42);
    cmdRemoveGColor_ = commandButton("cmdRemoveGColor", Ui::tr("削除"), this, 43);
    connect(cmdGColorEdit_, &QPushButton::clicked, &colorSets_, &ColorSetController::edit);
    connect(cmdAddGColor_, &QPushButton::clicked, &colorSets_, &ColorSetController::add);
    connect(cmdRemoveGColor_, &QPushButton::clicked, &colorSets_, &ColorSetController::remove);
    for (QObject* o :
         std::initializer_list<QObject*>{labISO_, hscIso_, labGColor, cbogColor_, cmdGColorEdit_,
                                         cmdAddGColor_, cmdRemoveGColor_}) {
        session.registerValueControl(o);
    }

    connect(&colorSets_, &ColorSetController::listChanged, this, &ColorFrame::showList);
    connect(&colorSets_, &ColorSetController::selectionChanged, this, &ColorFrame::showSelection);
    connect(&colorSets_, &ColorSetController::setWritten, this, [this](int index) {
        if (index >= 0 && index < cbogColor_->count())
            cbogColor_->setItemText(index, toQ(colorSets_.colorSets().at(index).name));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    layout->addWidget(labGColor);
    layout->addWidget(cbogColor_);
    layout->addWidget(picGrad_);
    auto* phase = new QHBoxLayout;
    phase->setSpacing(4);
    labISO_->setMinimumWidth(
        labISO_->fontMetrics().horizontalAdvance(toQ(params::phaseLabelText(99))));
    phase->addWidget(labISO_);
    phase->addWidget(hscIso_, 1);
    layout->addLayout(phase);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(cmdGColorEdit_);
    buttons->addWidget(cmdAddGColor_);
    buttons->addWidget(cmdRemoveGColor_);
    layout->addLayout(buttons);
    showPhase(true);
}

void ColorFrame::showModel() {
    const ParamFields& f = params_.fields();
    hscIso_->setValue(f.phase);
    if (f.colorSetIndex != cbogColor_->currentIndex() && f.colorSetIndex < cbogColor_->count())
        cbogColor_->setCurrentIndex(f.colorSetIndex);
}

void ColorFrame::showPhase(bool committed) {
    const int phase = hscIso_->value();
    labISO_->setText(QString::fromStdString(params::phaseLabelText(phase)));
    params_.edit([phase](ParamModel& m) { m.setPhase(phase); });
    if (committed)
        drawGradientBar();
}

void ColorFrame::showList() {
    const ColorSetCollection& sets = colorSets_.colorSets();
    {
        const QSignalBlocker block(cbogColor_);
        const std::vector<std::string> names = sets.names();
        // Rebuilt only where it differs, so an open list keeps its place.
        while (cbogColor_->count() > static_cast<int>(names.size()))
            cbogColor_->removeItem(cbogColor_->count() - 1);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int row = static_cast<int>(i);
            if (row >= cbogColor_->count())
                cbogColor_->addItem(toQ(names[i]));
            else if (cbogColor_->itemText(row) != toQ(names[i]))
                cbogColor_->setItemText(row, toQ(names[i]));
        }
        cbogColor_->setCurrentIndex(sets.selectedIndex());
    }
    const int selected = sets.selectedIndex();
    params_.edit([selected](ParamModel& m) { m.setColorSetIndex(selected); });
    drawGradientBar();
}

void ColorFrame::showSelection(int index) {
    // While sets are added or removed the list may not show them yet; it catches up in
    // showList.
    if (cbogColor_->currentIndex() != index && index < cbogColor_->count())
        cbogColor_->setCurrentIndex(index);
    drawGradientBar();
}

void ColorFrame::drawGradientBar() {
    const GColor* set = colorSets_.colorSets().selectedSet();
    if (!set || set->colorCount < 2)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    picGrad_->setColumns(gradBarColors(*set, picGrad_->barWidth(), hscIso_->value()));
    QApplication::restoreOverrideCursor();
}

} // namespace wavory
