#include "AnimationPreview.h"

#include "files/ImageSaving.h"
#include "platform/QtText.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <chrono>

namespace wavory {

namespace {

constexpr int kMinContentWidth = 180;
constexpr int kSpeedTop = 3;

std::int64_t steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

void PreviewPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(0, 0, image_);
}

AnimationPreview::AnimationPreview(QWidget* parent)
    : QDialog(parent), tick_(steadyMilliseconds) {
    setObjectName(QStringLiteral("frmAnimPreview"));
    setWindowTitle(Ui::tr("アニメーション　プレビュー"));
    setModal(true);

    lblFast_ = new QLabel(Ui::tr(" 速い "), this);
    lblFast_->setObjectName(QStringLiteral("lblFast"));
    lblSlow_ = new QLabel(Ui::tr(" 遅い "), this);
    lblSlow_->setObjectName(QStringLiteral("lblSlow"));
    hscSpeed_ = new QScrollBar(Qt::Horizontal, this);
    hscSpeed_->setObjectName(QStringLiteral("hscSpeed"));
    hscSpeed_->setRange(kMinSpeed, kMaxSpeed);
    hscSpeed_->setSingleStep(1);
    hscSpeed_->setPageStep(10);
    hscSpeed_->setValue(100);
    txtStatue_ = new QLineEdit(this);
    txtStatue_->setObjectName(QStringLiteral("txtStatue"));
    txtStatue_->setReadOnly(true);
    txtStatue_->setFocusPolicy(Qt::NoFocus);
    picMain_ = new PreviewPicture(this);
    picMain_->setObjectName(QStringLiteral("picMain"));

    for (QWidget* w : std::initializer_list<QWidget*>{lblFast_, lblSlow_})
        w->resize(w->sizeHint());
    hscSpeed_->resize(hscSpeed_->width(), hscSpeed_->sizeHint().height());
    txtStatue_->resize(txtStatue_->width(), txtStatue_->sizeHint().height());
    lblFast_->move(3, kSpeedTop);
    hscSpeed_->move(lblFast_->width() + 6, kSpeedTop);

    tmrMain_.setObjectName(QStringLiteral("tmrMain"));
    connect(&tmrMain_, &QTimer::timeout, this, &AnimationPreview::onTimer);
    // The pace changes at once; the playback goes on from the frame it is at.
    connect(hscSpeed_, &QScrollBar::valueChanged, this,
            [this](int ms) { tmrMain_.setInterval(ms); });
    picMain_->resize(200, 200);
    setFormSize();
}

void AnimationPreview::prepare(int width, int height, int frames, FrameSource source) {
    source_ = std::move(source);
    frames_ = std::max(frames, 0);
    picMain_->resize(width, height);
    picMain_->setImage(QImage());
    tmrMain_.setInterval(hscSpeed_->value());
    tmrMain_.start();
    lFrame = 0;
    setFormSize();
    initState();
}

void AnimationPreview::setFormSize() {
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1920;
    const int content = std::clamp(picMain_->width(), kMinContentWidth,
                                   std::max(kMinContentWidth, screenWidth));
    const int outerWidth = content + lblFast_->width() + lblSlow_->width();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int outerHeight = hscSpeed_->y() + hscSpeed_->height() + picMain_->height() +
                            txtStatue_->height() + 36 + titleBar;
    // The outer size is what is set; the inner area is what the frame leaves of it.
    QMargins frame = windowFrameMargins(this);
    if (frame.isNull() && parentWidget())
        frame = windowFrameMargins(parentWidget()->window());
    resize(std::max(1, outerWidth - frame.left() - frame.right()),
           std::max(1, outerHeight - frame.top() - frame.bottom()));
    placeControls();
}

void AnimationPreview::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    placeControls();
}

void AnimationPreview::placeControls() {
    const int innerWidth = width();
    const int innerHeight = height();
    const int speedBottom = hscSpeed_->y() + hscSpeed_->height();
    const int left = std::max(0, innerWidth - picMain_->width()) / 2;
    const int top =
        speedBottom + 12 +
        std::max(0, innerHeight - (speedBottom + txtStatue_->height() + 30) - picMain_->height()) /
            2;
    picMain_->move(left, top);
    txtStatue_->setGeometry(3, innerHeight - (txtStatue_->height() + 3), innerWidth - 6,
                            txtStatue_->height());
    const int sliderWidth = std::max(0, innerWidth - lblFast_->width() - lblSlow_->width() - 15);
    hscSpeed_->resize(sliderWidth, hscSpeed_->height());
    lblSlow_->move(hscSpeed_->x() + sliderWidth + 9, kSpeedTop);
}

void AnimationPreview::initState() {
    lastTick_ = -1;
    txtStatue_->clear();
}

void AnimationPreview::onTimer() {
    if (frames_ <= 0 || !source_)
        return;
    if (lFrame >= frames_)
        lFrame = 0;
    if (source_(lFrame, frame_))
        picMain_->setImage(canvasImage(frame_));
    const int shown = lFrame + 1;
    lFrame = (lFrame + 1) % frames_;
    const std::int64_t now = tick_();
    if (lastTick_ >= 0) {
        const double seconds = static_cast<double>(now - lastTick_) / 1000.0;
        txtStatue_->setText(Ui::tr("現在:%1ﾌﾚｰﾑ ... 速度:%2 秒/ﾌﾚｰﾑ")
                                .arg(shown, 2, 10, QLatin1Char('0'))
                                .arg(seconds, 0, 'f', 3));
    }
    lastTick_ = now;
}

int AnimationPreview::speed() const {
    return hscSpeed_->value();
}

void AnimationPreview::setSpeed(int milliseconds) {
    if (milliseconds >= kMinSpeed && milliseconds <= kMaxSpeed)
        hscSpeed_->setValue(milliseconds);
}

QString AnimationPreview::status() const {
    return txtStatue_->text();
}

QImage AnimationPreview::shownFrame() const {
    return picMain_->image();
}

void AnimationPreview::hideEvent(QHideEvent* e) {
    tmrMain_.stop();
    QDialog::hideEvent(e);
}

} // namespace wavory
