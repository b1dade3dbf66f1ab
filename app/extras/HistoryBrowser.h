#pragma once
// HistoryBrowser: the history window ("履歴"), modeless. It lists the drawings newest first
// as thumbnails with their time; a double-click or "適用" brings the chosen one back,
// "消去" clears the list, and "終了後も履歴を保持する" keeps it for the next run.

#include <QPixmap>
#include <QWidget>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace wavory {

class Canvas;
class DrawSession;
class HistoryController;

// An entry's icon: its thumbnail, aspect kept, centred in a square of the thumbnail side,
// so that every cell of the list is alike whatever the picture's shape.
QPixmap historyIconPixmap(const Canvas& thumbnail);

class HistoryBrowser : public QWidget {
    Q_OBJECT
  public:
    HistoryBrowser(HistoryController& history, DrawSession& session, QWidget* parent = nullptr);

    // Shows the history again (after a change).
    void showHistory();
    // Brings back the selected entry.
    void onApplyClicked();

  private:
    HistoryController& history_;
    QListWidget* lstHistory_;
    QPushButton* cmdApply_;
    QPushButton* cmdClear_;
    QCheckBox* chkKeepHistory_;
};

} // namespace wavory
