#include "frmHistory.h"

#include "DrawSession.h"
#include "HistoryController.h"
#include "ImageSaving.h"
#include "QtText.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

namespace {

QIcon thumbnailIcon(const Canvas& thumbnail) {
    // The icon keeps a copy; the entry may go while the list still shows it.
    return QIcon(QPixmap::fromImage(canvasImage(thumbnail)));
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

frmHistory::frmHistory(HistoryController& history, DrawSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(Ui::tr("履歴"));

    lstHistory_ = new QListWidget(this);
    lstHistory_->setObjectName(QStringLiteral("lstHistory"));
    lstHistory_->setViewMode(QListView::IconMode);
    lstHistory_->setIconSize(QSize(kHistoryThumbnailSide, kHistoryThumbnailSide));
    lstHistory_->setGridSize(QSize(kHistoryThumbnailSide + 24, kHistoryThumbnailSide + 44));
    lstHistory_->setResizeMode(QListView::Adjust);
    lstHistory_->setMovement(QListView::Static);
    lstHistory_->setUniformItemSizes(true);
    lstHistory_->setWordWrap(true);
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
    resize(4 * (kHistoryThumbnailSide + 24) + 40, 2 * (kHistoryThumbnailSide + 44) + 70);

    connect(cmdApply_, &QPushButton::clicked, this, &frmHistory::cmdApply_Click);
    connect(lstHistory_, &QListWidget::itemDoubleClicked, this, &frmHistory::cmdApply_Click);
    connect(cmdClear_, &QPushButton::clicked, &history_, &HistoryController::clear);
    connect(chkKeepHistory_, &QCheckBox::toggled, &history_, &HistoryController::setKeepHistory);
    connect(&history_, &HistoryController::changed, this, &frmHistory::showHistory);
    // Bringing a drawing back changes the picture and the values: not while one is drawn.
    session.registerLocked(cmdApply_);
    session.registerLocked(lstHistory_);
    showHistory();
}

void frmHistory::showHistory() {
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

void frmHistory::cmdApply_Click() {
    if (const QListWidgetItem* item = lstHistory_->currentItem())
        history_.apply(item->data(Qt::UserRole).toULongLong());
}

} // namespace wavory
