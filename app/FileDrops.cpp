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
    if (!accepts(de->mimeData()))
        return false;
    de->acceptProposedAction();
    if (e->type() == QEvent::Drop)
        drop(de->mimeData());
    return true;
}

void FileDrops::drop(const QMimeData* data) {
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
