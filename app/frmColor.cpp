#include "frmColor.h"

#include "GradientView.h"
#include "QtText.h"
#include "UserDialogs.h"
#include "frmButton.h"
#include "frmSetBrightness.h"

#include "colorsets/ColorEditing.h"
#include "colorsets/ColorSetCollection.h"
#include "colorsets/GradientBar.h"
#include "common/ColorValue.h"
#include "common/Numbers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

namespace {

// The preview and the swatches under it. The preview's width minus 4 divides evenly for
// 2, 3, 5, 6, 9 and 12 points, so the last swatch then sits exactly under its end.
constexpr int kPreviewWidth = 444;
constexpr int kPreviewHeight = 30;
constexpr int kLineLength = 9;
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 20;
constexpr int kAreaMargin = kSwatchWidth / 2 + 2;
constexpr int kLevelCount = 9;
constexpr const char* kHelpPage = "gcolor.htm";

const char* const kTopicProperty = "helpTopic";

// The busy pointer on every window of the program while the preview repaints.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QGroupBox* frame(const char* name, const QString& title, int topic, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setProperty(kTopicProperty, topic);
    return box;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

frmColor::frmColor(UserDialogs& dialogs, ColorSetCollection& collection, RandomSource& random,
                   QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), collection_(collection), random_(random),
      lastChosen_(Qt::white) {
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(Ui::tr("色セットの編集"));
    setModal(true);
    setProperty(kTopicProperty, 0);
    // Swatches that become visible for the first time are white.
    points_.fill(kWhiteColorValue);

    buildControls();
    buildMenu();
    watchChildren();
}

void frmColor::buildControls() {
    fraName_ = frame("fraName", Ui::tr("色セットの名前(&N)"), 60, this);
    txtName_ = new QLineEdit(fraName_);
    txtName_->setObjectName(QStringLiteral("txtName"));
    // Room for 12 full-width characters.
    txtName_->setMinimumWidth(
        txtName_->fontMetrics().horizontalAdvance(QString(13, QChar(0x96F7))));
    auto* nameBox = new QHBoxLayout(fraName_);
    nameBox->addWidget(txtName_);

    fraNum_ = frame("fraNum", Ui::tr("色決定ポイントの数(&C)"), 61, this);
    cboNum_ = new QComboBox(fraNum_);
    cboNum_->setObjectName(QStringLiteral("cboNum"));
    for (int n = 2; n <= kMaxColorPoints; ++n)
        cboNum_->addItem(toQ(signPositionForm(n)));
    auto* numBox = new QHBoxLayout(fraNum_);
    numBox->addWidget(cboNum_);

    fraLevel_ = frame("fraLevel", Ui::tr("段階数(&L)"), 62, this);
    cboLevel_ = new QComboBox(fraLevel_);
    cboLevel_->setObjectName(QStringLiteral("cboLevel"));
    for (int n = 0; n < kLevelCount; ++n)
        cboLevel_->addItem(QString::number(1 << n));
    auto* levelBox = new QHBoxLayout(fraLevel_);
    levelBox->addWidget(cboLevel_);

    // The preview with the swatches under it, placed by hand (evenly spaced points).
    fraColorChange_ = frame("fraColorChange", Ui::tr("色の変化"), 63, this);
    pointArea_ = new QWidget(fraColorChange_);
    pointArea_->setFixedSize(kPreviewWidth + 2 * kAreaMargin,
                             kPreviewHeight + kLineLength + kSwatchHeight);
    picGrad_ = new GradientView(pointArea_);
    picGrad_->setFixedSize(kPreviewWidth, kPreviewHeight);
    picGrad_->move(kAreaMargin, 0);
    for (int i = 0; i < kMaxColorPoints; ++i) {
        auto* line = new QFrame(pointArea_);
        line->setObjectName(QStringLiteral("linPoint_%1").arg(i));
        line->setFixedSize(1, kLineLength);
        line->setAutoFillBackground(true);
        line->setBackgroundRole(QPalette::WindowText);
        line->hide();
        linPoint_[static_cast<std::size_t>(i)] = line;

        auto* swatch = new ColorSwatch(pointArea_);
        swatch->setObjectName(QStringLiteral("picPoint_%1").arg(i));
        swatch->setFixedSize(kSwatchWidth, kSwatchHeight);
        swatch->setProperty(kTopicProperty, 64);
        swatch->setColor(colorFromValue(kWhiteColorValue));
        swatch->hide();
        picPoint_[static_cast<std::size_t>(i)] = swatch;
        connect(swatch, &ColorSwatch::clicked, this, [this, i] { picPoint_Click(i); });
    }
    chkEdge_ = new QCheckBox(Ui::tr("両端の色は一致させる(&E)"), fraColorChange_);
    chkEdge_->setObjectName(QStringLiteral("chkEdge"));
    chkEdge_->setProperty(kTopicProperty, 65);
    cmdRnd_ = button("cmdRnd", Ui::tr("ランダム決定(&R)"), fraColorChange_);
    cmdRnd_->setProperty(kTopicProperty, 66);
    cmdRnd_->setAutoDefault(false);
    auto* changeBox = new QVBoxLayout(fraColorChange_);
    changeBox->addWidget(pointArea_, 0, Qt::AlignHCenter);
    auto* changeRow = new QHBoxLayout;
    changeRow->addWidget(chkEdge_);
    changeRow->addStretch();
    changeRow->addWidget(cmdRnd_);
    changeBox->addLayout(changeRow);

    cmdOK_ = button("cmdOK", QStringLiteral("OK"), this);
    cmdOK_->setDefault(true);
    cmdCancel_ = button("cmdCancel", Ui::tr("キャンセル"), this);
    cmdHelp_ = button("cmdHelp", Ui::tr("ヘルプ"), this);
    for (QPushButton* b : {cmdCancel_, cmdHelp_})
        b->setAutoDefault(false);
    for (QPushButton* b : {cmdOK_, cmdCancel_, cmdHelp_})
        b->setMinimumWidth(88);

    auto* top = new QHBoxLayout;
    top->addWidget(fraName_, 1);
    top->addWidget(fraNum_);
    top->addWidget(fraLevel_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdHelp_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fraColorChange_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtName_, &QLineEdit::textChanged, this, &frmColor::txtName_Change);
    connect(cboNum_, &QComboBox::currentIndexChanged, this, &frmColor::cboNum_Click);
    connect(cboLevel_, &QComboBox::currentIndexChanged, this, &frmColor::cboLevel_Click);
    connect(chkEdge_, &QCheckBox::toggled, this, [this] { ApplyEdgeMatch(); });
    connect(cmdRnd_, &QPushButton::clicked, this, &frmColor::cmdRnd_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp_, &QPushButton::clicked, this, &frmColor::cmdHelp_Click);
}

void frmColor::buildMenu() {
    auto* bar = new QMenuBar(this);
    auto* menu = bar->addMenu(Ui::tr("色調操作(&C)"));
    menu->setObjectName(QStringLiteral("mnuColorTone"));
    auto item = [this, menu](const char* name, const QString& caption, void (frmColor::*slot)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuBrightness_ =
        item("mnuBrightness", Ui::tr("明度の調整(&B)..."), &frmColor::mnuBrightness_Click);
    mnuNega_ = item("mnuNega", Ui::tr("ネガ(&N)"), &frmColor::mnuNega_Click);
    mnuRotate_ = item("mnuRotate", Ui::tr("色相を120度回転(&R)"), &frmColor::mnuRotate_Click);
    mnuMono_ = item("mnuMono", Ui::tr("単色化(&M)..."), &frmColor::mnuMono_Click);
    layout()->setMenuBar(bar);
}

// Every part of the editor reports the easy-help topic of the nearest frame or control
// that has one, and F1 is caught wherever the focus is.
void frmColor::watchChildren() {
    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool frmColor::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseMove: {
        // A move the innermost control ignores travels on to its frames: always report
        // what is under the pointer, not the frame the event reached.
        const QPoint at = mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        QWidget* under = childAt(at);
        reportTopic(under ? static_cast<QObject*>(under) : this);
        break;
    }
    case QEvent::Enter:
        reportTopic(watched);
        break;
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            cmdHelp_Click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

void frmColor::reportTopic(QObject* watched) {
    if (!easyHelp_)
        return;
    for (QObject* o = watched; o; o = o->parent()) {
        const QVariant topic = o->property(kTopicProperty);
        if (topic.isValid()) {
            easyHelp_(topic.toInt());
            return;
        }
        if (o == this)
            break;
    }
}

void frmColor::showEvent(QShowEvent* e) {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QDialog::showEvent(e);
}

void frmColor::Form_Load() {
    cancelled_ = true;
    if (editGCnt_ < 0 || editGCnt_ >= collection_.getgColorCount()) {
        // Nothing to edit: OK stays unavailable, Cancel closes.
        cmdOK_->setEnabled(false);
        return;
    }
    const GColor& set = collection_.at(editGCnt_);
    const int count = std::clamp<int>(set.colorCount, 0, kMaxColorPoints);
    if (count >= 1) {
        const auto last = static_cast<std::size_t>(count - 1);
        if (set.r[0] == set.r[last] && set.g[0] == set.g[last] && set.b[0] == set.b[last]) {
            chkEdge_->setChecked(true);
        }
    }
    SetSelectedGColor();
    txtName_->setFocus();
}

void frmColor::SetSelectedGColor() {
    if (editGCnt_ < 0 || editGCnt_ >= collection_.getgColorCount())
        return;
    GColor& set = collection_.at(editGCnt_);
    acceptedName_ = set.name;
    txtName_->setText(toQ(set.name));
    const int count = std::clamp<int>(set.colorCount, 0, kMaxColorPoints);
    for (int i = 0; i < count; ++i) {
        const auto p = static_cast<std::size_t>(i);
        points_[p] = rgbValue(set.r[p], set.g[p], set.b[p]);
    }
    showPointColors();
    // A set the editor can show has at least two points.
    if (set.colorCount < 2)
        set.colorCount = 2;

    const int levelIndex = std::clamp<int>(set.colorLevelCount, 0, kLevelCount - 1);
    const int numIndex = std::clamp<int>(set.colorCount, 2, kMaxColorPoints) - 2;
    {
        const QSignalBlocker block(cboLevel_);
        cboLevel_->setCurrentIndex(levelIndex);
    }
    cboLevel_Click(levelIndex);
    {
        const QSignalBlocker block(cboNum_);
        cboNum_->setCurrentIndex(numIndex);
    }
    cboNum_Click(numIndex);
}

std::span<std::int32_t> frmColor::visiblePoints() {
    return std::span<std::int32_t>(points_.data(), static_cast<std::size_t>(cCnt_));
}

void frmColor::cboNum_Click(int index) {
    if (index < 0)
        return;
    cCnt_ = index + 2;
    placePoints();
    ApplyEdgeMatch();
}

void frmColor::cboLevel_Click(int index) {
    if (index < 0)
        return;
    level_ = index;
    DrawGrad();
}

void frmColor::placePoints() {
    const int step = cCnt_ > 1 ? (kPreviewWidth - 4) / (cCnt_ - 1) : 0;
    for (int i = 0; i < kMaxColorPoints; ++i) {
        ColorSwatch* swatch = picPoint_[static_cast<std::size_t>(i)];
        QFrame* line = linPoint_[static_cast<std::size_t>(i)];
        if (i >= cCnt_) {
            swatch->hide();
            line->hide();
            continue;
        }
        const int center = kAreaMargin + 2 + i * step;
        line->move(center, kPreviewHeight);
        swatch->move(center - kSwatchWidth / 2, kPreviewHeight + kLineLength);
        line->show();
        swatch->show();
    }
}

void frmColor::showPointColors() {
    for (std::size_t i = 0; i < points_.size(); ++i)
        picPoint_[i]->setColor(colorFromValue(points_[i]));
}

void frmColor::setPoints(const Points& points) {
    points_ = points;
    showPointColors();
    DrawGrad();
}

void frmColor::pointsChanged() {
    showPointColors();
    DrawGrad();
    SetToolTip();
}

void frmColor::ApplyEdgeMatch() {
    if (chkEdge_->isChecked() && cCnt_ >= 2) {
        matchEdges(visiblePoints());
        showPointColors();
    }
    DrawGrad();
    SetToolTip();
}

void frmColor::DrawGrad() {
    if (cCnt_ == 0)
        return;
    const BusyPointer busy;
    const GColor set = editedSet({}, level_, visiblePoints());
    picGrad_->setColumns(gradPreviewColors(set, picGrad_->barWidth()));
}

void frmColor::SetToolTip() {
    for (int i = 0; i < cCnt_; ++i) {
        const auto p = static_cast<std::size_t>(i);
        picPoint_[p]->setToolTip(toQ(swatchToolTip(points_[p])));
    }
}

void frmColor::picPoint_Click(int i) {
    if (i < 0 || i >= cCnt_)
        return;
    const auto p = static_cast<std::size_t>(i);
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, colorFromValue(points_[p]));
    if (!chosen)
        return;
    lastChosen_ = *chosen;
    points_[p] = colorValue(*chosen);
    if (chkEdge_->isChecked())
        matchEdgesAfterChange(visiblePoints(), p);
    pointsChanged();
}

void frmColor::txtName_Change(const QString& text) {
    // Whatever way the text changed (typing, input method, pasting, dropping, undo), what
    // was inserted is cut to the 24 bytes a name holds.
    if (toStd(text) == acceptedName_)
        return;
    const LimitedEdit edit = limitEdit(acceptedName_, toStd(text));
    if (edit.cut) {
        const QSignalBlocker block(txtName_);
        txtName_->setText(toQ(edit.text));
        txtName_->setCursorPosition(static_cast<int>(toQ(edit.text.substr(0, edit.caret)).size()));
    }
    acceptedName_ = edit.text;
}

void frmColor::cmdRnd_Click() {
    randomizeColors(visiblePoints(), random_);
    showPointColors();
    ApplyEdgeMatch();
}

void frmColor::cmdOK_Click() {
    const std::string name = toStd(txtName_->text());
    if (!dialogs_.report(this, checkEditedName(collection_, editGCnt_, name)))
        return;
    if (!writeEditedSet(collection_, editGCnt_, name, level_, visiblePoints()))
        return;
    cancelled_ = false;
    Q_EMIT gColorWritten(editGCnt_);
    accept();
}

void frmColor::cmdHelp_Click() {
    if (helpFile_)
        helpFile_(QLatin1String(kHelpPage));
}

void frmColor::mnuBrightness_Click() {
    frmSetBrightness dialog(
        points_, cCnt_, [this](const Points& p) { setPoints(p); }, this);
    dialog.exec();
    SetToolTip();
}

void frmColor::mnuNega_Click() {
    negateColors(visiblePoints());
    pointsChanged();
}

void frmColor::mnuRotate_Click() {
    rotateHues(visiblePoints());
    pointsChanged();
}

void frmColor::mnuMono_Click() {
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, lastChosen_);
    if (!chosen)
        return;
    lastChosen_ = *chosen;
    tintColors(visiblePoints(), colorValue(*chosen));
    pointsChanged();
}

} // namespace wavory
