#include "HistoryBrowser.h"

#include "drawing/DrawSession.h"
#include "HistoryController.h"
#include "files/ImageSaving.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace wavory {

namespace {

// Room around a cell's contents, in pixels.
constexpr int kCellMargin = 12;

QIcon thumbnailIcon(const Canvas& thumbnail) {
    // The icon keeps a copy; the entry may go while the list still shows it.
    return QIcon(historyIconPixmap(thumbnail));
}

// The time, with the date when it is not today; the size below it.
QString entryCaption(const HistoryEntry& entry) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(entry.time);
    const bool today = when.date() == QDate::currentDate();
    const QString time = when.toString(today ? QStringLiteral("HH:mm:ss")
                                             : QStringLiteral("yyyy/MM/dd HH:mm"));
    return time + QStringLiteral("\n%1 x %2").arg(entry.fields.width).arg(entry.fields.height);
}

} // namespace

QPixmap historyIconPixmap(const Canvas& thumbnail) {
    const QImage image = canvasImage(thumbnail);
    QPixmap square(kHistoryThumbnailSide, kHistoryThumbnailSide);
    square.fill(Qt::transparent);
    if (image.isNull())
        return square;
    // Thumbnails are at most the side long already; one larger (a damaged file's) is
    // shrunk, none is stretched.
    const QImage fitted =
        image.width() > kHistoryThumbnailSide || image.height() > kHistoryThumbnailSide
            ? image.scaled(kHistoryThumbnailSide, kHistoryThumbnailSide, Qt::KeepAspectRatio,
                           Qt::SmoothTransformation)
            : image;
    QPainter p(&square);
    p.drawImage((kHistoryThumbnailSide - fitted.width()) / 2,
                (kHistoryThumbnailSide - fitted.height()) / 2, fitted);
    return square;
}

HistoryBrowser::HistoryBrowser(HistoryController& history, DrawSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(Ui::tr("履歴"));

    lstHistory_ = new QListWidget(this);
    lstHistory_->setObjectName(QStringLiteral("lstHistory"));
    lstHistory_->setViewMode(QListView::IconMode);
    lstHistory_->setIconSize(QSize(kHistoryThumbnailSide, kHistoryThumbnailSide));
    // Equal cells: every icon is the same square and every caption two lines, as wide
    // as a caption with its date can be.
    const QFontMetrics metrics(lstHistory_->font());
    const int captionWidth = metrics.horizontalAdvance(QStringLiteral("0000/00/00 00:00"));
    const QSize cell(std::max(kHistoryThumbnailSide, captionWidth) + kCellMargin,
                     kHistoryThumbnailSide + 2 * metrics.lineSpacing() + kCellMargin);
    lstHistory_->setGridSize(cell);
    lstHistory_->setResizeMode(QListView::Adjust);
    lstHistory_->setMovement(QListView::Static);
    lstHistory_->setUniformItemSizes(true);
    lstHistory_->setWordWrap(false);
    lstHistory_->setTextElideMode(Qt::ElideMiddle);
    lstHistory_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    cmdApply_ = new QPushButton(Ui::tr("適用"), this);
    cmdApply_->setObjectName(QStringLiteral("cmdApply"));
    cmdClear_ = new QPushButton(Ui::tr("消去"), this);
    cmdClear_->setObjectName(QStringLiteral("cmdClear"));
    chkKeepHistory_ = new QCheckBox(Ui::tr("終了後も履歴を保持する"), this);
    chkKeepHistory_->setObjectName(QStringLiteral("chkKeepHistory"));
    chkKeepHistory_->setChecked(history_.keepsHistory());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkKeepHistory_);
    buttons->addStretch();
    buttons->addWidget(cmdApply_);
    buttons->addWidget(cmdClear_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstHistory_);
    layout->addLayout(buttons);
    resize(4 * cell.width() + 40, 2 * cell.height() + 70);

    connect(cmdApply_, &QPushButton::clicked, this, &HistoryBrowser::onApplyClicked);
    connect(lstHistory_, &QListWidget::itemDoubleClicked, this, &HistoryBrowser::onApplyClicked);
    connect(cmdClear_, &QPushButton::clicked, &history_, &HistoryController::clear);
    connect(chkKeepHistory_, &QCheckBox::toggled, &history_, &HistoryController::setKeepHistory);
    connect(&history_, &HistoryController::changed, this, &HistoryBrowser::showHistory);
    // Bringing a drawing back changes the picture and the values: not while one is drawn.
    session.registerLocked(cmdApply_);
    session.registerLocked(lstHistory_);
    showHistory();
}

void HistoryBrowser::showHistory() {
    const QVariant selected =
        lstHistory_->currentItem() ? lstHistory_->currentItem()->data(Qt::UserRole) : QVariant();
    lstHistory_->clear();
    for (const HistoryEntry& entry : history_.history().entries()) {
        auto* item = new QListWidgetItem(thumbnailIcon(entry.thumbnail), entryCaption(entry));
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(entry.id));
        item->setToolTip(entry.picture ? Ui::tr("画像も戻せます")
                                       : Ui::tr("パラメータのみ戻せます"));
        lstHistory_->addItem(item);
        if (selected.isValid() && selected.toULongLong() == entry.id)
            lstHistory_->setCurrentItem(item);
    }
}

void HistoryBrowser::onApplyClicked() {
    if (const QListWidgetItem* item = lstHistory_->currentItem())
        history_.apply(item->data(Qt::UserRole).toULongLong());
}

} // namespace wavory
