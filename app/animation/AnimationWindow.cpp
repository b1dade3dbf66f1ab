#include "AnimationWindow.h"

#include "AnimSaver.h"
#include "widgets/ControlFactory.h"
#include "drawing/DrawCommand.h"
#include "widgets/FieldInput.h"
#include "guide/HelpPages.h"
#include "platform/QtText.h"
#include "widgets/UpDown.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "AnimationPreview.h"
#include "drawing/PictureWindow.h"

#include "anim/AnimPhases.h"
#include "anim/FrameSeriesNames.h"
#include "common/Clamps.h"
#include "common/KeyFilters.h"
#include "common/Numbers.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

namespace {

// Whole numbers of a text the fields only let digits into (a stored setting may hold
// anything): its leading number, rounded.
std::int64_t wholeNumber(const QLineEdit* field) {
    return roundToInt64(leadingNumber(toStd(field->text())));
}

} // namespace

AnimationWindow::AnimationWindow(const Parts& parts, QWidget* parent)
    : QDialog(parent), parts_(parts), frames_(std::make_unique<AnimFrames>(parts.frames, this)) {
    setObjectName(QStringLiteral("frmAnim"));
    setWindowTitle(Ui::tr("アニメーション"));
    setModal(true);
    saver_ = std::make_unique<AnimSaver>(parts.saver, *frames_, this);
    preview_ = new AnimationPreview(this);

    buildCreateGroup();
    fraSave_ = new AnimSaveGroup(parts_.frames.dialogs, this);
    lblProg_ = namedLabel(QStringLiteral("lblProg"), QString(), this);
    lblProg_->setMinimumWidth(
        lblProg_->fontMetrics().horizontalAdvance(Ui::tr("アニメーションが作成されました。")));
    cmdClose_ = commandButton("cmdClose", Ui::tr("閉じる"), this);
    cmdHelp_ = commandButton("cmdHelp", Ui::tr("ヘルプ"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblProg_);
    bottom->addStretch(1);
    bottom->addWidget(cmdHelp_);
    bottom->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(fraFrame_);
    layout->addWidget(fraSave_, 1);
    layout->addLayout(bottom);
    connectControls();

    // Nothing can be saved or previewed before an animation is made.
    cmdDrawStop_->hide();
    fraSave_->stopButton()->hide();
    lblProg_->hide();
    cmdPreview_->setEnabled(false);
    setContainerEnabled(fraSave_, false, true);
    resize(440, 560);
}

AnimationWindow::~AnimationWindow() = default;

void AnimationWindow::buildCreateGroup() {
    fraFrame_ = new QGroupBox(Ui::tr("作成"), this);
    fraFrame_->setObjectName(QStringLiteral("fraFrame"));
    fraFrame_->setProperty("helpTopic", 0);
    lblIso_ = namedLabel(QStringLiteral("lblIso"), Ui::tr("位相のずれ(&I)"), fraFrame_, 120);
    txtIsoFrom_ = digitField("txtIsoFrom", QStringLiteral("0"), 2, fraFrame_);
    updIsoFrom_ = new UpDown(txtIsoFrom_);
    updIsoFrom_->setObjectName(QStringLiteral("updIsoFrom"));
    lblIsoFrom_ = namedLabel(QStringLiteral("lblIsoFrom"), Ui::tr("% から"), fraFrame_, 120);
    txtIsoTo_ = digitField("txtIsoTo", QStringLiteral("99"), 2, fraFrame_);
    updIsoTo_ = new UpDown(txtIsoTo_);
    updIsoTo_->setObjectName(QStringLiteral("updIsoTo"));
    lblIsoTo_ = namedLabel(QStringLiteral("lblIsoTo"), Ui::tr("% まで"), fraFrame_, 120);
    lblIso_->setBuddy(txtIsoFrom_);
    txtFrame_ = digitField("txtFrame", QStringLiteral("10"), 3, fraFrame_);
    updFrame_ = new UpDown(txtFrame_);
    updFrame_->setObjectName(QStringLiteral("updFrame"));
    lblFrame_ = namedLabel(QStringLiteral("lblFrame"), Ui::tr("フレーム"), fraFrame_, 121);

    cmdDraw_ = commandButton("cmdDraw", Ui::tr("作成(&M)"), fraFrame_, 125);
    cmdDrawStop_ = commandButton("cmdDrawStop", Ui::tr("作成中止(&M)"), fraFrame_, 126);
    cmdPreview_ = commandButton("cmdPreview", Ui::tr("プレビュｰ(&P)"), fraFrame_, 127);
    for (QPushButton* b : {cmdDraw_, cmdDrawStop_, cmdPreview_})
        b->setMinimumWidth(110);

    auto* grid = new QGridLayout(fraFrame_);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->addWidget(lblIso_, 0, 0);
    grid->addWidget(txtIsoFrom_, 0, 1);
    grid->addWidget(lblIsoFrom_, 0, 2);
    grid->addWidget(txtIsoTo_, 0, 3);
    grid->addWidget(lblIsoTo_, 0, 4);
    grid->addWidget(txtFrame_, 1, 1);
    grid->addWidget(lblFrame_, 1, 2);
    grid->setColumnStretch(5, 1);
    // The stop button stands where the create button is; one of them is visible.
    grid->addWidget(cmdDraw_, 0, 6);
    grid->addWidget(cmdDrawStop_, 0, 6);
    grid->addWidget(cmdPreview_, 1, 6);
}

void AnimationWindow::connectControls() {
    connect(cmdDraw_, &QPushButton::clicked, this, &AnimationWindow::onDrawClicked);
    connect(cmdDrawStop_, &QPushButton::clicked, this, &AnimationWindow::onDrawStopClicked);
    connect(cmdPreview_, &QPushButton::clicked, this, &AnimationWindow::onPreviewClicked);
    connect(fraSave_->saveButton(), &QPushButton::clicked, this, &AnimationWindow::onSaveClicked);
    connect(fraSave_->stopButton(), &QPushButton::clicked, this,
            &AnimationWindow::onSaveStopClicked);
    connect(cmdClose_, &QPushButton::clicked, this, &AnimationWindow::onCloseClicked);
    connect(cmdHelp_, &QPushButton::clicked, this, &AnimationWindow::onHelpClicked);

    connect(updIsoFrom_, &UpDown::up, this, [this] { step(txtIsoFrom_, +1, 0, kMaxPhase); });
    connect(updIsoFrom_, &UpDown::down, this, [this] { step(txtIsoFrom_, -1, 0, kMaxPhase); });
    connect(updIsoTo_, &UpDown::up, this, [this] { step(txtIsoTo_, +1, 0, kMaxPhase); });
    connect(updIsoTo_, &UpDown::down, this, [this] { step(txtIsoTo_, -1, 0, kMaxPhase); });
    connect(updFrame_, &UpDown::up, this, [this] { step(txtFrame_, +1, 1, kMaxAnimFrames); });
    connect(updFrame_, &UpDown::down, this, [this] { step(txtFrame_, -1, 1, kMaxAnimFrames); });
    txtFrame_->installEventFilter(this);
}

bool AnimationWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusOut && watched == txtFrame_)
        leaveFrameField();
    return QDialog::eventFilter(watched, e);
}

void AnimationWindow::keyPressEvent(QKeyEvent* e) {
    // F1 from wherever the focus is: no control here takes it.
    if (e->key() == Qt::Key_F1 && !e->isAutoRepeat()) {
        onHelpClicked();
        return;
    }
    QDialog::keyPressEvent(e);
}

void AnimationWindow::step(QLineEdit* field, int delta, int low, int high) {
    const std::int64_t v = wholeNumber(field);
    field->setText(QString::number(std::clamp<std::int64_t>(v + delta, low, high)));
}

void AnimationWindow::leaveFrameField() {
    txtFrame_->setText(toQ(clampFieldText(toStd(txtFrame_->text()), kMaxAnimFrames, 1)));
}

void AnimationWindow::showProgress(const QString& text) {
    lblProg_->setText(text);
    lblProg_->show();
    lblProg_->repaint();
}

// ---- Create ----

void AnimationWindow::onDrawClicked() {
    if (isBusy() || !parts_.draw.check())
        return;
    UserDialogs& dialogs = parts_.frames.dialogs;
    if (!checkFieldFilled(txtIsoFrom_, Ui::tr("位相のずれの下限"), dialogs) ||
        !checkFieldFilled(txtIsoTo_, Ui::tr("位相のずれの上限"), dialogs))
        return;
    leaveFrameField(); // the button was pressed without leaving the field
    const double from = static_cast<double>(wholeNumber(txtIsoFrom_));
    const double to = static_cast<double>(wholeNumber(txtIsoTo_));
    const int n =
        static_cast<int>(std::clamp<std::int64_t>(wholeNumber(txtFrame_), 1, kMaxAnimFrames));
    if (!frames_->prepare(n))
        return;

    setContainerEnabled(fraFrame_, false, false);
    setContainerEnabled(fraSave_, false, true);
    cmdDrawStop_->show();
    cmdDrawStop_->setEnabled(true);
    cmdDraw_->hide();
    lblProg_->setEnabled(true);
    nowDrawing = true;

    const bool completed = frames_->make(
        from, to, n,
        [this, n](int i) { showProgress(Ui::tr("作成中...%1 /%2 フレーム").arg(i).arg(n)); },
        [this] { return nowDrawing; });
    if (!completed)
        lblProg_->hide();

    setContainerEnabled(fraFrame_, true, false);
    setContainerEnabled(fraSave_, true, true);
    fraSave_->enableControls(true);
    if (parts_.saver.settings.option.drewBeep)
        parts_.frames.dialogs.beep();
    lblProg_->setText(Ui::tr("アニメーションが作成されました。"));
    cmdDrawStop_->hide();
    cmdDraw_->show();
    if (completed) {
        frame = n;
        cmdPreview_->setEnabled(true);
    } else {
        cmdPreview_->setEnabled(false);
        setContainerEnabled(fraSave_, false, true);
    }
    nowDrawing = false;
    Q_EMIT idle();
}

void AnimationWindow::onDrawStopClicked() {
    nowDrawing = false;
    frames_->stop();
}

void AnimationWindow::stopWork() {
    if (nowDrawing)
        onDrawStopClicked();
    nowSaving = false;
}

// ---- Preview ----

void AnimationWindow::onPreviewClicked() {
    const PictureWindow* picture = &parts_.frames.picture;
    // Never past the frames the store holds.
    const int frames = std::min(frame, frames_->held());
    preview_->prepare(picture->imageWidth(), picture->imageHeight(), frames,
                      [this](int k, Canvas& frame) { return frames_->frame(k, frame); });
    showModal(this, *preview_);
}

// ---- Close and help ----

void AnimationWindow::reject() {
    onCloseClicked();
}

void AnimationWindow::onCloseClicked() {
    stopWork();
    cmdPreview_->setEnabled(false);
    fraSave_->saveButton()->setEnabled(false);
    lblProg_->hide();
    closed_ = true;
    QDialog::reject();
}

void AnimationWindow::showEvent(QShowEvent* e) {
    closed_ = false;
    QDialog::showEvent(e);
}

void AnimationWindow::onHelpClicked() {
    parts_.help.show(QStringLiteral("anim.htm"));
}

// ---- Save ----

void AnimationWindow::onSaveClicked() {
    if (isBusy())
        return;
    UserDialogs& dialogs = parts_.frames.dialogs;
    const AnimSaveFormat format = fraSave_->saveFormat();
    const bool numbered = format == AnimSaveFormat::BmpSeries;
    if (numbered && !checkFieldFilled(fraSave_->numberFromField(), Ui::tr("連番の開始番号"), dialogs))
        return;
    leaveFrameField();
    frame = static_cast<int>(std::clamp<std::int64_t>(wholeNumber(txtFrame_), 1, kMaxAnimFrames));
    // Digits only when typed; a stored setting may hold a sign.
    const std::int64_t start = std::max<std::int64_t>(0, wholeNumber(fraSave_->numberFromField()));
    const int digits = fraSave_->digitCount();
    if (numbered && !frameDigitsSuffice(start, frame, digits)) {
        dialogs.message(this, toQ(UiText::tr(kDigitsTooFewMessage)), MessageIcon::Exclamation);
        fraSave_->setDigitIndex(fittingDigitIndex(start, frame));
        return;
    }
    AnimSaver::Job job;
    job.format = format;
    job.base = fraSave_->base();
    job.start = start;
    job.digits = digits;
    job.frames = frame;
    job.frameMs = preview_->speed();
    job.videoQuality = fraSave_->videoQuality();

    setSaving(true);
    saver_->save(
        job,
        [this](int k) { showProgress(Ui::tr("保存中...%1 /%2 フレーム").arg(k + 1).arg(frame)); },
        [this] { return nowSaving; });
    setSaving(false);
    Q_EMIT idle();
}

void AnimationWindow::setSaving(bool saving) {
    if (saving) {
        lblProg_->show();
        fraSave_->stopButton()->show();
        fraSave_->saveButton()->hide();
        setContainerEnabled(fraFrame_, false, true);
        setContainerEnabled(fraSave_, false, false);
        fraSave_->stopButton()->setEnabled(true);
        nowSaving = true;
        return;
    }
    lblProg_->hide();
    fraSave_->stopButton()->hide();
    fraSave_->saveButton()->show();
    setContainerEnabled(fraFrame_, true, true);
    fraSave_->enableControls(true);
    nowSaving = false;
    // Closed meanwhile: the animation has to be made again before the next save.
    if (closed_) {
        cmdPreview_->setEnabled(false);
        fraSave_->saveButton()->setEnabled(false);
    }
}

void AnimationWindow::onSaveStopClicked() {
    nowSaving = false;
}

// ---- Settings ----

void AnimationWindow::loadSettings(const AppSettings::AnimSection& anim) {
    txtIsoFrom_->setText(toQ(anim.isoFrom));
    txtIsoTo_->setText(toQ(anim.isoTo));
    txtFrame_->setText(toQ(anim.frame));
    drive_ = anim.drive;
    fraSave_->loadSettings(anim);
    preview_->setSpeed(anim.previewSpeed);
}

void AnimationWindow::storeSettings(AppSettings::AnimSection& anim) const {
    anim.isoFrom = toStd(txtIsoFrom_->text());
    anim.isoTo = toStd(txtIsoTo_->text());
    anim.frame = toStd(txtFrame_->text());
    anim.drive = drive_;
    fraSave_->storeSettings(anim);
    anim.previewSpeed = static_cast<std::int16_t>(preview_->speed());
}

} // namespace wavory
