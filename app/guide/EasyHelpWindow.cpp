#include "EasyHelpWindow.h"

#include "platform/JapaneseLineBreaks.h"
#include "platform/QtText.h"
#include "platform/WindowHelpers.h"

#include "help/HelpIllustrations.h"
#include "help/HelpTopics.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

namespace {

constexpr int kBannerWidth = 150;
constexpr int kArrowWidth = 22;
const QColor kBannerBackground(0, 72, 144);
const QColor kBasicBadge(0, 255, 255);
const QColor kAdvancedBadge(255, 192, 0);

// The banner at the window's left: a ramp from light to the banner's color over its
// first 41 columns and the caption "Wavory EasyHelp".
class HelpBanner : public QWidget {
  public:
    explicit HelpBanner(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("picHelpExplain"));
        setFixedWidth(kBannerWidth);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor c = kBannerBackground;
        p.fillRect(rect(), c);
        for (int b = kBannerRampFirst; b <= kBannerRampLast; ++b) {
            p.setPen(QColor(bannerRampChannel(c.red(), b), bannerRampChannel(c.green(), b),
                            bannerRampChannel(c.blue(), b)));
            const int x = b - kBannerRampFirst;
            p.drawLine(x, 0, x, height() - 1);
        }
        QFont font = p.font();
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(bannerCaptionChannel(c.red()), bannerCaptionChannel(c.green()),
                        bannerCaptionChannel(c.blue())));
        // (20, 51) is the caption's top left corner.
        p.drawText(QRect(20, 51, width() - 20, height() - 51), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Wavory EasyHelp"));
    }
};

QPixmap arrowPixmap(QColor color) {
    QPixmap pixmap(kArrowWidth, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(1, 5);
    path.lineTo(12, 5);
    path.lineTo(12, 1);
    path.lineTo(kArrowWidth - 1, 8);
    path.lineTo(12, 15);
    path.lineTo(12, 11);
    path.lineTo(1, 11);
    path.closeSubpath();
    p.fillPath(path, color);
    return pixmap;
}

QLabel* helpLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

EasyHelpWindow::EasyHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(Ui::tr("簡易ヘルプ"));
    setAutoFillBackground(true);
    resize(width(), kClientHeight);

    labHelpTitle_ = helpLabel("labHelpTitle", this);
    QFont bold = labHelpTitle_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    labHelpTitle_->setFont(bold);
    labHelpLevel_ = helpLabel("labHelpLevel", this);
    labHelpLevel_->setWordWrap(false);
    labHelpLevel_->setAutoFillBackground(true);
    labHelpLevel_->setContentsMargins(6, 1, 6, 1);
    labHelpLevel_->hide();
    labHelp_ = helpLabel("labHelp", this);
    labHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labHelpRed_ = helpLabel("labHelpRed", this);
    QPalette red = labHelpRed_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    labHelpRed_->setPalette(red);
    labHelpRed_->hide();

    // Two illustrations with the arrow between them and the range labels under them.
    pictures_ = new QWidget(this);
    for (int i = 0; i < 2; ++i) {
        auto* img = new QLabel(pictures_);
        img->setObjectName(QStringLiteral("imgHelp_%1").arg(i));
        img->setFixedSize(kIllustrationSide, kIllustrationSide);
        imgHelp_[static_cast<std::size_t>(i)] = img;
    }
    picArrow_ = new QLabel(pictures_);
    picArrow_->setObjectName(QStringLiteral("picArrow"));
    picArrow_->setPixmap(arrowPixmap(palette().color(QPalette::WindowText)));
    picArrow_->setFixedWidth(kArrowWidth);
    lblLeft_ = helpLabel("lblLeft", pictures_);
    lblRight_ = helpLabel("lblRight", pictures_);
    for (QLabel* l : {lblLeft_, lblRight_})
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* pictureGrid = new QGridLayout(pictures_);
    pictureGrid->setContentsMargins(0, 0, 0, 0);
    pictureGrid->setHorizontalSpacing(4);
    pictureGrid->setVerticalSpacing(2);
    pictureGrid->addWidget(imgHelp_[0], 0, 0);
    pictureGrid->addWidget(picArrow_, 0, 1, Qt::AlignVCenter);
    pictureGrid->addWidget(imgHelp_[1], 0, 2);
    pictureGrid->addWidget(lblLeft_, 1, 0);
    pictureGrid->addWidget(lblRight_, 1, 2);
    pictureGrid->setRowStretch(2, 1);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    heading->addWidget(labHelpTitle_, 1);
    heading->addWidget(labHelpLevel_, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->addLayout(heading);
    text->addWidget(labHelp_);
    text->addWidget(labHelpRed_);
    text->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 8, 4);
    layout->setSpacing(10);
    layout->addWidget(new HelpBanner(this));
    layout->addLayout(text, 1);
    layout->addWidget(pictures_);

    showTopic(helpTopic(0));
}

void EasyHelpWindow::helpManager(int vNum) {
    if (vNum == currentTopic_)
        return;
    showTopic(helpTopic(vNum));
    currentTopic_ = vNum;
}

void EasyHelpWindow::showTopic(const HelpTopic& topic) {
    // Illustrations, the arrow and the range labels.
    showPicture(imgHelp_[0], topic.firstPicture);
    showPicture(imgHelp_[1], topic.firstPicture != 0 ? topic.secondPicture : 0);
    const bool labelled = topic.firstPicture != 0 && topic.range.has_value();
    if (labelled) {
        lblLeft_->setText(toQ(topic.range->first));
        lblRight_->setText(toQ(topic.range->second));
    }
    lblLeft_->setVisible(labelled);
    lblRight_->setVisible(labelled);
    picArrow_->setVisible(topic.secondPicture != 0 && topic.firstPicture != 0);
    pictures_->setVisible(topic.firstPicture != 0);

    // Title and explanation wrap to the window's width through the layout.
    labHelpTitle_->setText(toQ(topic.title));
    labHelp_->setText(withJapaneseLineBreaks(
        toQ(topic.explanation).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));

    // Level badge.
    const QString badge = toQ(levelBadgeText(topic.level));
    if (!badge.isEmpty()) {
        QPalette palette = labHelpLevel_->palette();
        palette.setColor(QPalette::Window,
                         topic.level == HelpLevel::Basic ? kBasicBadge : kAdvancedBadge);
        palette.setColor(QPalette::WindowText, Qt::black);
        labHelpLevel_->setPalette(palette);
        labHelpLevel_->setText(badge);
    }
    labHelpLevel_->setVisible(!badge.isEmpty());

    // Red note.
    labHelpRed_->setText(withJapaneseLineBreaks(toQ(topic.redNote)));
    labHelpRed_->setVisible(!topic.redNote.empty());
}

void EasyHelpWindow::showPicture(QLabel* target, int index) {
    if (index == 0) {
        target->clear();
        return;
    }
    target->setPixmap(QPixmap::fromImage(illustration(index)));
}

const QImage& EasyHelpWindow::illustration(int index) {
    QImage& image = iLstHelp_.at(static_cast<std::size_t>(index));
    if (image.isNull()) {
        const Canvas canvas = drawIllustration(index);
        image = QImage(canvas.data(), canvas.width(), canvas.height(),
                       static_cast<qsizetype>(canvas.rowBytes()), QImage::Format_RGB888)
                    .copy();
    }
    return image;
}

int EasyHelpWindow::keptIllustrations() const {
    return static_cast<int>(std::count_if(iLstHelp_.begin(), iLstHelp_.end(),
                                          [](const QImage& image) { return !image.isNull(); }));
}

void EasyHelpWindow::closeEvent(QCloseEvent* e) {
    if (hideOnCloseBox(*this, *e, closing_)) {
        Q_EMIT closedByUser();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace wavory
