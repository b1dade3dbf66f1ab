#include "ColorEditorWindow.h"

#include "widgets/GradientView.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "values/FrameWindow.h"
#include "BrightnessDialog.h"

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

constexpr int kLevelCount = 9;
constexpr const char* kHelpPage = "gcolor.htm";

const char* const kTopicProperty = "helpTopic";

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

ColorEditorWindow::ColorEditorWindow(UserDialogs& dialogs, ColorSetCollection& collection,
                                     RandomSource& random, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), collection_(collection), random_(random),
      lastChosen_(Qt::white) {
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(Ui::tr("色セットの編集"));
    setModal(true);
    setProperty(kTopicProperty, 0);

    buildControls();
    buildMenu();
    watchChildren();
}

void ColorEditorWindow::buildControls() {
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
    pointRow_ = new ColorPointRow(kTopicProperty, 64, fraColorChange_);
    connect(pointRow_, &ColorPointRow::pointClicked, this, &ColorEditorWindow::onPointClicked);
    chkEdge_ = new QCheckBox(Ui::tr("両端の色は一致させる(&E)"), fraColorChange_);
    chkEdge_->setObjectName(QStringLiteral("chkEdge"));
    chkEdge_->setProperty(kTopicProperty, 65);
    cmdRnd_ = button("cmdRnd", Ui::tr("ランダム決定(&R)"), fraColorChange_);
    cmdRnd_->setProperty(kTopicProperty, 66);
    cmdRnd_->setAutoDefault(false);
    auto* changeBox = new QVBoxLayout(fraColorChange_);
    changeBox->addWidget(pointRow_, 0, Qt::AlignHCenter);
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

    connect(txtName_, &QLineEdit::textChanged, this, &ColorEditorWindow::onNameChanged);
    connect(cboNum_, &QComboBox::currentIndexChanged, this, &ColorEditorWindow::onPointCountChosen);
    connect(cboLevel_, &QComboBox::currentIndexChanged, this, &ColorEditorWindow::onLevelChosen);
    connect(chkEdge_, &QCheckBox::toggled, this, [this] { applyEdgeMatch(); });
    connect(cmdRnd_, &QPushButton::clicked, this, &ColorEditorWindow::onRandomClicked);
    connect(cmdOK_, &QPushButton::clicked, this, &ColorEditorWindow::onOkClicked);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp_, &QPushButton::clicked, this, &ColorEditorWindow::onHelpClicked);
}

void ColorEditorWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    auto* menu = bar->addMenu(Ui::tr("色調操作(&C)"));
    menu->setObjectName(QStringLiteral("mnuColorTone"));
    auto item = [this, menu](const char* name, const QString& caption,
                             void (ColorEditorWindow::*slot)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuBrightness_ =
        item("mnuBrightness", Ui::tr("明度の調整(&B)..."), &ColorEditorWindow::onBrightnessTriggered);
    mnuNega_ = item("mnuNega", Ui::tr("ネガ(&N)"), &ColorEditorWindow::onNegativeTriggered);
    mnuRotate_ = item("mnuRotate", Ui::tr("色相を120度回転(&R)"), &ColorEditorWindow::onRotateTriggered);
    mnuMono_ = item("mnuMono", Ui::tr("単色化(&M)..."), &ColorEditorWindow::onMonoTriggered);
    layout()->setMenuBar(bar);
}

// Every part of the editor reports the easy-help topic of the nearest frame or control
// that has one, and F1 is caught wherever the focus is.
void ColorEditorWindow::watchChildren() {
    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool ColorEditorWindow::eventFilter(QObject* watched, QEvent* e) {
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
            onHelpClicked();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

void ColorEditorWindow::reportTopic(QObject* watched) {
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

void ColorEditorWindow::showEvent(QShowEvent* e) {
    if (!loaded_) {
        loaded_ = true;
        load();
    }
    QDialog::showEvent(e);
}

void ColorEditorWindow::load() {
    cancelled_ = true;
    if (editedIndex_ < 0 || editedIndex_ >= collection_.colorSetCount()) {
        // Nothing to edit: OK stays unavailable, Cancel closes.
        cmdOK_->setEnabled(false);
        return;
    }
    const GColor& set = collection_.at(editedIndex_);
    const int count = std::clamp<int>(set.colorCount, 0, kMaxColorPoints);
    if (count >= 1) {
        const auto last = static_cast<std::size_t>(count - 1);
        if (set.r[0] == set.r[last] && set.g[0] == set.g[last] && set.b[0] == set.b[last]) {
            chkEdge_->setChecked(true);
        }
    }
    loadEditedSet();
    txtName_->setFocus();
}

void ColorEditorWindow::loadEditedSet() {
    if (editedIndex_ < 0 || editedIndex_ >= collection_.colorSetCount())
        return;
    GColor& set = collection_.at(editedIndex_);
    acceptedName_ = set.name;
    txtName_->setText(toQ(set.name));
    Points points = pointRow_->points();
    const int count = std::clamp<int>(set.colorCount, 0, kMaxColorPoints);
    for (int i = 0; i < count; ++i) {
        const auto p = static_cast<std::size_t>(i);
        points[p] = rgbValue(set.r[p], set.g[p], set.b[p]);
    }
    pointRow_->setPoints(points);
    // A set the editor can show has at least two points.
    if (set.colorCount < 2)
        set.colorCount = 2;

    const int levelIndex = std::clamp<int>(set.colorLevelCount, 0, kLevelCount - 1);
    const int numIndex = std::clamp<int>(set.colorCount, 2, kMaxColorPoints) - 2;
    {
        const QSignalBlocker block(cboLevel_);
        cboLevel_->setCurrentIndex(levelIndex);
    }
    onLevelChosen(levelIndex);
    {
        const QSignalBlocker block(cboNum_);
        cboNum_->setCurrentIndex(numIndex);
    }
    onPointCountChosen(numIndex);
}

void ColorEditorWindow::onPointCountChosen(int index) {
    if (index < 0)
        return;
    pointRow_->setCount(index + 2);
    applyEdgeMatch();
}

void ColorEditorWindow::onLevelChosen(int index) {
    if (index < 0)
        return;
    pointRow_->setLevel(index);
}

void ColorEditorWindow::applyEdgeMatch() {
    if (chkEdge_->isChecked() && pointRow_->count() >= 2) {
        matchEdges(pointRow_->visiblePoints());
        pointRow_->showPointColors();
    }
    pointRow_->drawPreview();
    pointRow_->showToolTips();
}

void ColorEditorWindow::onPointClicked(int i) {
    if (i < 0 || i >= pointRow_->count())
        return;
    const auto p = static_cast<std::size_t>(i);
    const std::optional<QColor> chosen =
        dialogs_.chooseColor(this, colorFromValue(pointRow_->pointColor(i)));
    if (!chosen)
        return;
    lastChosen_ = *chosen;
    pointRow_->visiblePoints()[p] = colorValue(*chosen);
    if (chkEdge_->isChecked())
        matchEdgesAfterChange(pointRow_->visiblePoints(), p);
    pointRow_->pointsChanged();
}

void ColorEditorWindow::onNameChanged(const QString& text) {
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

void ColorEditorWindow::onRandomClicked() {
    randomizeColors(pointRow_->visiblePoints(), random_);
    pointRow_->showPointColors();
    applyEdgeMatch();
}

void ColorEditorWindow::onOkClicked() {
    const std::string name = toStd(txtName_->text());
    if (!dialogs_.report(this, checkEditedName(collection_, editedIndex_, name)))
        return;
    if (!writeEditedSet(collection_, editedIndex_, name, pointRow_->level(),
                        pointRow_->visiblePoints()))
        return;
    cancelled_ = false;
    Q_EMIT colorSetWritten(editedIndex_);
    accept();
}

void ColorEditorWindow::onHelpClicked() {
    if (helpFile_)
        helpFile_(QLatin1String(kHelpPage));
}

void ColorEditorWindow::onBrightnessTriggered() {
    BrightnessDialog dialog(
        pointRow_->points(), pointRow_->count(),
        [this](const Points& p) { pointRow_->setPoints(p); }, this);
    dialog.exec();
    pointRow_->showToolTips();
}

void ColorEditorWindow::onNegativeTriggered() {
    negateColors(pointRow_->visiblePoints());
    pointRow_->pointsChanged();
}

void ColorEditorWindow::onRotateTriggered() {
    rotateHues(pointRow_->visiblePoints());
    pointRow_->pointsChanged();
}

void ColorEditorWindow::onMonoTriggered() {
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, lastChosen_);
    if (!chosen)
        return;
    lastChosen_ = *chosen;
    tintColors(pointRow_->visiblePoints(), colorValue(*chosen));
    pointRow_->pointsChanged();
}

} // namespace wavory
