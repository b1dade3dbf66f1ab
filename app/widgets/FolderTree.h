#pragma once
// dirSave: the folder list of the animation's save group — a tree of the file system's
// folders (no files) with the chosen folder's full path shown above it. A folder that
// does not exist cannot be chosen: it falls back to the user's pictures folder, else home.

#include <QWidget>

class QFileSystemModel;
class QLabel;
class QTreeView;

namespace wavory {

class FolderTree : public QWidget {
    Q_OBJECT
  public:
    explicit FolderTree(QWidget* parent = nullptr);

    // The chosen folder, absolute, without a trailing "/" (except the root "/").
    QString folder() const { return folder_; }
    // Chooses the folder, or the fallback when it is empty or not an existing folder.
    void setFolder(const QString& path);
    // The user's pictures folder when it exists, otherwise the home folder.
    static QString fallbackFolder();

    QTreeView* view() const { return tree_; }

  Q_SIGNALS:
    void folderChanged(const QString& folder);

  private:
    void choose(const QString& path);

    QLabel* lblFolder_;
    QTreeView* tree_;
    QFileSystemModel* model_;
    QString folder_;
};

} // namespace wavory
