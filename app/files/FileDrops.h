#pragma once
// FileDrops: files dropped on the main window, its frames and its fields. A drop is
// taken while the window accepts drops (not while one of its modal dialogs is open) and
// no drawing runs, always as a copy. The names are taken while the drag passes over the
// window (a source may end right after the drop), the files handled once the drop itself
// has finished.

#include <QObject>
#include <QStringList>

class QEvent;
class QWidget;

namespace wavory {

class DrawSession;
class FileController;

class FileDrops : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        DrawSession& session;
        FileController& files;
    };
    // window: the main window, whose drops these are.
    FileDrops(const Parts& parts, QWidget& window);

    // A drag enter, drag move or drop event on the window or one of its controls: true
    // when it was taken as a file drop (otherwise the event is left as it was).
    bool handle(QEvent* e);

  private:
    void drop(const QStringList& files);

    Parts parts_;
    QWidget& window_;
    QStringList offered_; // the local files of the drag over the window
};

} // namespace wavory
