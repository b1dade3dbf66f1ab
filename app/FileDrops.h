#pragma once
// FileDrops: files dropped on the main window, its frames and its fields. A drop is
// taken while the window accepts drops (not while one of its modal dialogs is open) and
// no drawing runs, always as a copy; the dropped names are taken at once and the files
// handled once the drop itself has finished.

#include <QObject>

class QEvent;
class QMimeData;
class QWidget;

namespace wavory {

class DrawSession;
class FileController;

class FileDrops : public QObject {
    Q_OBJECT
  public:
    FileDrops(QWidget& window, DrawSession& session, FileController& files);

    bool accepts(const QMimeData* data) const;
    // A drag enter, drag move or drop event on the window or one of its controls: true
    // when it was taken as a file drop (otherwise the event is left as it was).
    bool handle(QEvent* e);

  private:
    void drop(const QMimeData* data);

    QWidget& window_;
    DrawSession& session_;
    FileController& files_;
};

} // namespace wavory
