// wavory_drag_source FILE...: a window that drags the named files to wherever the mouse
// is released, offering copy and move and proposing move (as a file manager with Shift
// held does), then prints the action the target chose and quits at once, as a source
// that ends right after the drop. Driven with xdotool under Xvfb to drop onto the
// program's windows:
//   wavory_drag_source a.txt & xdotool mousemove X Y mousedown 1 mousemove ... mouseup 1

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>

namespace {

class Source : public QLabel {
  public:
    explicit Source(QList<QUrl> urls) : QLabel(QStringLiteral("drag me")), urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("drag source"));
        setMinimumSize(160, 80);
        setAlignment(Qt::AlignCenter);
    }

  protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(urls_);
        drag->setMimeData(data);
        const Qt::DropAction taken = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        const char* name = taken == Qt::CopyAction   ? "copy"
                           : taken == Qt::MoveAction ? "move"
                                                     : "ignore";
        std::printf("%s\n", name);
        std::fflush(stdout);
        QApplication::exit(0);
    }

  private:
    QList<QUrl> urls_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    Source source(urls);
    source.move(20, 20);
    source.show();
    return app.exec();
}
