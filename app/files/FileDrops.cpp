#include "FileDrops.h"

#include "drawing/DrawSession.h"
#include "FileController.h"
#include "platform/WindowHelpers.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace wavory {

namespace {

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

FileDrops::FileDrops(const Parts& parts, QWidget& window)
    : QObject(&window), parts_(parts), window_(window) {}

bool FileDrops::handle(QEvent* e) {
    if (e->type() != QEvent::DragEnter && e->type() != QEvent::DragMove &&
        e->type() != QEvent::Drop) {
        return false;
    }
    auto* de = static_cast<QDropEvent*>(e);
    // The names are read while the drag passes over the window: a source may end right
    // after sending the drop, and its data can no longer be read then.
    QStringList files = localFiles(de->mimeData());
    if (e->type() == QEvent::DragEnter || !files.isEmpty())
        offered_ = files;
    else if (e->type() == QEvent::Drop)
        files = offered_;
    // Only ever a copy: a source told "move" would delete the user's file afterwards. A
    // source that offers no copy is refused.
    if (files.isEmpty() || !window_.acceptDrops() || parts_.session.isDrawing() ||
        !(de->possibleActions() & Qt::CopyAction)) {
        return false;
    }
    de->setDropAction(Qt::CopyAction);
    de->accept();
    if (e->type() == QEvent::Drop) {
        offered_.clear();
        drop(files);
    }
    return true;
}

void FileDrops::drop(const QStringList& files) {
    bringToFront(&window_);
    // Handled once the drop itself has finished: reading a file may draw for a while.
    QTimer::singleShot(0, &parts_.files, [this, files] { parts_.files.handleDroppedFiles(files); });
}

} // namespace wavory
