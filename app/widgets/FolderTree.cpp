#include "FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace wavory {

FolderTree::FolderTree(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dirSave"));
    lblFolder_ = new QLabel(this);
    lblFolder_->setObjectName(QStringLiteral("lblDirSave"));
    lblFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFolder_->setMinimumWidth(10);
    lblFolder_->setFrameShape(QFrame::StyledPanel);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("treeDirSave"));
    tree_->setModel(model_);
    tree_->setRootIndex(model_->index(QStringLiteral("/")));
    // Only the names: sizes, kinds and dates say nothing about a folder to save into.
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->header()->hide();
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblFolder_);
    layout->addWidget(tree_, 1);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    choose(model_->filePath(current));
            });
    setFolder(QString());
}

QString FolderTree::fallbackFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return QDir::cleanPath(pictures);
    return QDir::homePath();
}

void FolderTree::setFolder(const QString& path) {
    const QFileInfo info(path);
    const QString chosen = !path.isEmpty() && info.isDir()
                               ? QDir::cleanPath(info.absoluteFilePath())
                               : fallbackFolder();
    const QModelIndex index = model_->index(chosen);
    if (index.isValid()) {
        tree_->setCurrentIndex(index); // calls choose()
        tree_->scrollTo(index);
    }
    choose(chosen);
}

void FolderTree::choose(const QString& path) {
    if (path == folder_)
        return;
    folder_ = path;
    lblFolder_->setText(folder_);
    lblFolder_->setToolTip(folder_);
    Q_EMIT folderChanged(folder_);
}

} // namespace wavory
