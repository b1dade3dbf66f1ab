#include "VariationPicker.h"

#include "drawing/DrawSession.h"
#include "platform/QtText.h"
#include "VariationController.h"

#include "history/DrawingHistory.h"

#include <QCloseEvent>

#include <algorithm>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace wavory {

namespace {

const char* const kDrawingCaption = QT_TRANSLATE_NOOP("Ui", "描画中…");
const char* const kFailedCaption = QT_TRANSLATE_NOOP("Ui", "描画できません");

} // namespace

VariationPicker::VariationPicker(VariationController& variations, DrawSession& session,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), variations_(variations) {
    setObjectName(QStringLiteral("frmVariations"));
    setWindowTitle(Ui::tr("バリエーション"));

    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    const QSize side(kHistoryThumbnailSide, kHistoryThumbnailSide);
    for (int i = 0; i < static_cast<int>(picVariation_.size()); ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("picVariation_%1").arg(i));
        button->setIconSize(side);
        button->setFixedSize(side + QSize(10, 10));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setToolTip(Ui::tr("この値を使う"));
        connect(button, &QToolButton::clicked, this, [this, i] { variations_.adopt(i); });
        // Adopting values during a drawing would change what it reads.
        session.registerLocked(button);
        grid->addWidget(button, i / 3, i % 3);
        picVariation_[static_cast<std::size_t>(i)] = button;
    }

    auto* labSpread = new QLabel(Ui::tr("ばらつき"), this);
    labSpread->setObjectName(QStringLiteral("labSpread"));
    sldSpread_ = new QSlider(Qt::Horizontal, this);
    sldSpread_->setObjectName(QStringLiteral("sldSpread"));
    sldSpread_->setRange(0, kMaxVariationSpread);
    sldSpread_->setPageStep(10);
    sldSpread_->setValue(variations_.spread());
    lblSpread_ = new QLabel(QString::number(variations_.spread()), this);
    lblSpread_->setObjectName(QStringLiteral("lblSpread"));
    lblSpread_->setMinimumWidth(lblSpread_->fontMetrics().horizontalAdvance(QStringLiteral("100")));
    cmdNew_ = new QPushButton(Ui::tr("新しく作る"), this);
    cmdNew_->setObjectName(QStringLiteral("cmdNew"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(labSpread);
    controls->addWidget(sldSpread_, 1);
    controls->addWidget(lblSpread_);
    controls->addWidget(cmdNew_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(controls);

    connect(sldSpread_, &QSlider::valueChanged, this, [this](int value) {
        variations_.setSpread(value);
        lblSpread_->setText(QString::number(value));
    });
    connect(cmdNew_, &QPushButton::clicked, &variations_, &VariationController::makeNew);
    // A new set starts from the picture on screen, which a running drawing is writing.
    session.registerLocked(cmdNew_);
    connect(&variations_, &VariationController::setMade, this, &VariationPicker::clearThumbnails);
    connect(&variations_.drawings(), &VariationDrawings::ready, this,
            &VariationPicker::showThumbnail);
    connect(&variations_.drawings(), &VariationDrawings::failed, this,
            &VariationPicker::showFailure);
    connect(&variations_, &VariationController::skipped, this, &VariationPicker::showFailure);
}

int VariationPicker::shownCount() const {
    return static_cast<int>(
        std::count_if(picVariation_.begin(), picVariation_.end(),
                      [](const QToolButton* b) { return !b->icon().isNull(); }));
}

void VariationPicker::clearThumbnails() {
    for (QToolButton* button : picVariation_) {
        button->setIcon(QIcon());
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setText(Ui::tr(kDrawingCaption));
    }
}

void VariationPicker::showThumbnail(int index, const QImage& thumbnail) {
    if (index < 0 || index >= static_cast<int>(picVariation_.size()))
        return;
    QToolButton* button = picVariation_[static_cast<std::size_t>(index)];
    button->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void VariationPicker::showFailure(int index) {
    if (index >= 0 && index < static_cast<int>(picVariation_.size()))
        picVariation_[static_cast<std::size_t>(index)]->setText(Ui::tr(kFailedCaption));
}

void VariationPicker::closeEvent(QCloseEvent* e) {
    variations_.stop();
    QWidget::closeEvent(e);
}

} // namespace wavory
