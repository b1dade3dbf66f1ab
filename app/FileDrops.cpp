#include "FileDrops.h"

#include "DrawSession.h"
#include "FileController.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace wavory {

FileDrops::FileDrops(QWidget& window, DrawSession& session, FileController& files)
    : QObject(&window), window_(window), session_(session), files_(files) {}

bool FileDrops::accepts(const QMimeData* data) const {
    if (!window_.acceptDrops() || session_.isDrawing() || !data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
}

bool FileDrops::handle(QEvent* e) {
    if (e->type() != QEvent::DragEnter && e->type() != QEvent::DragMove &&
        e->type() != QEvent::Drop) {
        return false;
    }
    auto* de = static_cast<QDropEvent*>(e);
    // Only ever a copy: a source told "move" would delete the user's file afterwards. A
    // source that offers no copy is refused.
    if (!accepts(de->mimeData()) || !(de->possibleActions() & Qt::CopyAction))
        return false;
    de->setDropAction(Qt::CopyAction);
    de->accept();
    if (e->type() == QEvent::Drop)
        drop(de->mimeData());
    return true;
}

void FileDrops::drop(const QMimeData* data) {
    // The names are taken now: the data belongs to the drop, and a source that quits right
    // after it leaves nothing to read later.
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    window_.activateWindow();
    // Handled once the drop itself has finished: reading a file may draw for a while.
    QTimer::singleShot(0, &files_, [this, files] { files_.handleDroppedFiles(files); });
}

} // namespace wavory
