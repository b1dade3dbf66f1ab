#include "FrameWindow.h"

#include "platform/QtText.h"
#include "platform/WindowHelpers.h"

#include "widgets/FieldInput.h"
#include "ParamController.h"
#include "widgets/UpDown.h"
#include "platform/UserDialogs.h"
#include "common/KeyFilters.h"
#include "common/Numbers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

std::int32_t colorValue(const QColor& c) {
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

QColor colorFromValue(std::int32_t value) {
    return QColor(value & 255, (value / 256) & 255, (value / 65536) & 255);
}

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setFixedSize(48, 20);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(const QColor& c) {
    color_ = c;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Switched off, the swatch still shows the color that is kept, greyed by a hatch
    // like the controls around it.
    p.fillRect(rect(), color_);
    if (!isEnabled())
        p.fillRect(rect(),
                   QBrush(palette().color(QPalette::Disabled, QPalette::Window), Qt::BDiagPattern));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

namespace {

QLabel* staticLabel(int index, const QString& caption, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QStringLiteral("lblStatic_%1").arg(index));
    return l;
}

QSlider* frameSlider(const char* name, int topic, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(0, 50);
    s->setValue(25);
    s->setPageStep(5);
    s->setMinimumWidth(120);
    s->setProperty("helpTopic", topic);
    return s;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("25"), parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(20);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

FrameWindow::FrameWindow(UserDialogs& dialogs, ParamController& params, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      dialogs_(dialogs), params_(params) {
    setObjectName(QStringLiteral("frmButton"));
    setWindowTitle(Ui::tr("枠"));
    setProperty("helpTopic", 0);

    chkFrameEnabled_ = new QCheckBox(Ui::tr("枠を描く"), this);
    chkFrameEnabled_->setObjectName(QStringLiteral("chkFrameEnabled"));
    chkFrameEnabled_->setProperty("helpTopic", 70);

    // Colour and the three strengths.
    fraFrameType_ = new QGroupBox(Ui::tr("枠のパラメータ"), this);
    fraFrameType_->setObjectName(QStringLiteral("fraFrameType"));
    fraFrameType_->setProperty("helpTopic", 0);
    auto* type = new QGridLayout(fraFrameType_);
    type->setContentsMargins(8, 6, 8, 6);
    type->setVerticalSpacing(4);

    auto* lblColor = staticLabel(4, Ui::tr("枠の色 :"), fraFrameType_);
    lblColor->setProperty("helpTopic", 71);
    fraFrameColor_ = new QFrame(fraFrameType_);
    fraFrameColor_->setObjectName(QStringLiteral("fraFrameColor"));
    auto* colorBox = new QHBoxLayout(fraFrameColor_);
    colorBox->setContentsMargins(0, 0, 0, 0);
    picFrameColor_ = new ColorSwatch(fraFrameColor_);
    picFrameColor_->setObjectName(QStringLiteral("picFrameColor"));
    picFrameColor_->setProperty("helpTopic", 71);
    colorBox->addWidget(picFrameColor_);
    colorBox->addStretch();
    type->addWidget(lblColor, 0, 0);
    type->addWidget(fraFrameColor_, 0, 1, 1, 2);

    sldFrameSenmei_ = frameSlider("sldFrameSenmei", 72, fraFrameType_);
    sldFrameShadow_ = frameSlider("sldFrameShadow", 73, fraFrameType_);
    sldFrameLine_ = frameSlider("sldFrameLine", 74, fraFrameType_);
    lblFrameSenmei_ = valueLabel("lblFrameSenmei", fraFrameType_);
    lblFrameShadow_ = valueLabel("lblFrameShadow", fraFrameType_);
    lblFrameLine_ = valueLabel("lblFrameLine", fraFrameType_);
    struct Row {
        int index;
        const char* caption;
        int topic;
        QSlider* slider;
        QLabel* value;
    };
    const Row rows[] = {
        {5, QT_TRANSLATE_NOOP("Ui", "全体の　　色の濃さ :"), 72, sldFrameSenmei_, lblFrameSenmei_},
        {6, QT_TRANSLATE_NOOP("Ui", "右下部分の色の暗さ :"), 73, sldFrameShadow_, lblFrameShadow_},
        {7, QT_TRANSLATE_NOOP("Ui", "境界線の  鮮明さ :"), 74, sldFrameLine_, lblFrameLine_},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* caption = staticLabel(row.index, Ui::tr(row.caption), fraFrameType_);
        caption->setProperty("helpTopic", row.topic);
        type->addWidget(caption, r, 0);
        type->addWidget(row.slider, r, 1);
        type->addWidget(row.value, r, 2);
        QLabel* value = row.value;
        connect(row.slider, &QSlider::valueChanged, value,
                [value](int v) { value->setText(QString::number(v)); });
        ++r;
    }

    // Width and height.
    fraFrameSize_ = new QGroupBox(Ui::tr("枠のサイズ"), this);
    fraFrameSize_->setObjectName(QStringLiteral("fraFrameSize"));
    fraFrameSize_->setProperty("helpTopic", 77);
    auto* size = new QGridLayout(fraFrameSize_);
    size->setContentsMargins(8, 6, 8, 6);
    size->setVerticalSpacing(4);
    txtX_ = new QLineEdit(QStringLiteral("10"), fraFrameSize_);
    txtX_->setObjectName(QStringLiteral("txtX"));
    txtY_ = new QLineEdit(QStringLiteral("10"), fraFrameSize_);
    txtY_->setObjectName(QStringLiteral("txtY"));
    for (QLineEdit* t : {txtX_, txtY_}) {
        t->setFixedWidth(64);
        t->setAlignment(Qt::AlignRight);
        installKeyFilter(t, filterNumberKey);
        t->installEventFilter(this);
    }
    updX_ = new UpDown(txtX_);
    updX_->setObjectName(QStringLiteral("updX"));
    updY_ = new UpDown(txtY_);
    updY_->setObjectName(QStringLiteral("updY"));
    size->addWidget(staticLabel(2, Ui::tr("横"), fraFrameSize_), 0, 0);
    size->addWidget(txtX_, 0, 1);
    size->addWidget(staticLabel(0, QStringLiteral("pixel"), fraFrameSize_), 0, 2);
    size->addWidget(staticLabel(1, Ui::tr("縦"), fraFrameSize_), 0, 3);
    size->addWidget(txtY_, 0, 4);
    size->addWidget(staticLabel(3, QStringLiteral("pixel"), fraFrameSize_), 0, 5);
    chkXYFix_ = new QCheckBox(Ui::tr("縦横比を固定"), fraFrameSize_);
    chkXYFix_->setObjectName(QStringLiteral("chkXYFix"));
    size->addWidget(chkXYFix_, 1, 0, 1, 6);
    size->setColumnStretch(6, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(chkFrameEnabled_);
    layout->addWidget(fraFrameType_);
    layout->addWidget(fraFrameSize_);

    connect(chkFrameEnabled_, &QCheckBox::toggled, this, &FrameWindow::enableFrameControls);
    connect(picFrameColor_, &ColorSwatch::clicked, this, &FrameWindow::pickColor);
    connect(updX_, &UpDown::up, this, [this] { step(txtX_, +1, maxX_); });
    connect(updX_, &UpDown::down, this, [this] { step(txtX_, -1, maxX_); });
    connect(updY_, &UpDown::up, this, [this] { step(txtY_, +1, maxY_); });
    connect(updY_, &UpDown::down, this, [this] { step(txtY_, -1, maxY_); });
    connect(txtX_, &QLineEdit::textChanged, this, [this] { mirror(txtX_, txtY_); });
    connect(txtY_, &QLineEdit::textChanged, this, [this] { mirror(txtY_, txtX_); });
    connect(chkXYFix_, &QCheckBox::clicked, this, [this] {
        updXYMaxSet();
        if (chkXYFix_->isChecked())
            txtY_->setText(txtX_->text());
    });

    for (QSlider* s : {sldFrameSenmei_, sldFrameShadow_, sldFrameLine_})
        connect(s, &QSlider::valueChanged, this, &FrameWindow::storeInModel);
    connect(chkFrameEnabled_, &QCheckBox::toggled, this, &FrameWindow::storeInModel);
    connect(txtX_, &QLineEdit::textChanged, this, &FrameWindow::storeInModel);
    connect(txtY_, &QLineEdit::textChanged, this, &FrameWindow::storeInModel);
    // A parameter file or the stored settings change the frame: the controls follow.
    connect(&params_, &ParamController::changed, this,
            [this] { setFrameFields(params_.fields().frame); });

    setFrameFields(params_.fields().frame);
    updXYMaxSet();
    enableFrameControls();
    setFixedSize(sizeHint());
}

void FrameWindow::storeInModel() {
    const FrameFields frame = frameFields();
    params_.edit([&frame](ParamModel& m) { m.setFrame(frame); });
}

void FrameWindow::updXYMaxSet() {
    const int halfW = params_.fields().width / 2;
    const int halfH = params_.fields().height / 2;
    if (chkXYFix_->isChecked()) {
        maxX_ = maxY_ = std::min(halfW, halfH);
    } else {
        maxX_ = halfW;
        maxY_ = halfH;
    }
    if (leadingNumber(txtX_->text().toStdString()) > maxX_)
        txtX_->setText(QString::number(maxX_));
    if (leadingNumber(txtY_->text().toStdString()) > maxY_)
        txtY_->setText(QString::number(maxY_));
}

void FrameWindow::enableFrameControls() {
    const bool on = chkFrameEnabled_->isChecked();
    for (QWidget* w : findChildren<QWidget*>())
        w->setEnabled(on);
    chkFrameEnabled_->setEnabled(true);
}

void FrameWindow::step(QLineEdit* field, int delta, int maximum) {
    const int low = 1;
    const int high = std::max(low, maximum);
    const std::int64_t v = leadingInt32(field->text().toStdString());
    const std::int64_t next = std::clamp<std::int64_t>(v + delta, low, high);
    field->setText(QString::number(next));
}

void FrameWindow::mirror(QLineEdit* from, QLineEdit* to) {
    if (chkXYFix_->isChecked())
        to->setText(from->text());
}

void FrameWindow::pickColor() {
    if (const auto c = dialogs_.chooseColor(this, picFrameColor_->color())) {
        picFrameColor_->setColor(*c);
        storeInModel();
    }
}

FrameFields FrameWindow::frameFields() const {
    FrameFields f;
    f.enabled = chkFrameEnabled_->isChecked();
    f.color = colorValue(picFrameColor_->color());
    f.senmei = sldFrameSenmei_->value();
    f.shadow = sldFrameShadow_->value();
    f.line = sldFrameLine_->value();
    f.width = txtX_->text().toStdString();
    f.height = txtY_->text().toStdString();
    return f;
}

void FrameWindow::setFrameFields(const FrameFields& frame) {
    // A copy: each control's change rewrites the model's frame, which `frame` may be.
    const FrameFields f = frame;
    chkFrameEnabled_->setChecked(f.enabled);
    picFrameColor_->setColor(colorFromValue(f.color));
    sldFrameSenmei_->setValue(f.senmei);
    sldFrameShadow_->setValue(f.shadow);
    sldFrameLine_->setValue(f.line);
    txtX_->setText(QString::fromStdString(f.width));
    txtY_->setText(QString::fromStdString(f.height));
    enableFrameControls();
    // The color has no change signal of its own.
    storeInModel();
}

bool FrameWindow::xyFix() const {
    return chkXYFix_->isChecked();
}
void FrameWindow::setXYFix(bool on) {
    chkXYFix_->setChecked(on);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* e) {
    if ((watched == txtX_ || watched == txtY_) && e->type() == QEvent::FocusOut) {
        // A frame is at least 1 pixel wide and high.
        auto* field = static_cast<QLineEdit*>(watched);
        if (leadingNumber(field->text().toStdString()) < 1)
            field->setText(QStringLiteral("1"));
        updXYMaxSet();
    }
    return QWidget::eventFilter(watched, e);
}

void FrameWindow::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        Q_EMIT helpFileRequested(QStringLiteral("button.htm"));
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void FrameWindow::closeEvent(QCloseEvent* e) {
    if (hideOnCloseBox(*this, *e, closing_)) {
        Q_EMIT closedByUser();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace wavory
