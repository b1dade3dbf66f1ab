#pragma once
// HistoryController: the drawing history ("履歴"). Every drawing of the main window that
// completes (the draw command, the first drawing, the random setting's drawing, a drawing
// that follows the values) is recorded with its parameters, color set, time, a thumbnail
// and, for the newest few, the picture; a stopped drawing is not, its picture being
// unfinished. Bringing an entry back puts its parameters into the model and, when its
// picture is still held, that picture onto the canvas, the picture before it going to the
// undo image as before a drawing; otherwise the draw command draws it again from its
// parameters, its color set and its noise key. The history may be kept in the program
// folder between runs ("終了後も履歴を保持する").

#include "history/DrawingHistory.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>

class QAction;
class QWidget;

namespace wavory {

class ColorSetController;
class DrawCommand;
class DrawSession;
class ParamController;
class UserDialogs;
class HistoryBrowser;
class PictureDocument;
struct AppSettings;

class HistoryController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        ColorSetController& colorSets;
        DrawSession& session;
        DrawCommand& draw;
        PictureDocument& document;
        AppSettings& settings;
        UserDialogs& dialogs;
    };
    // window: the main window (the history window's owner, messages).
    HistoryController(const Parts& parts, QWidget* window);
    ~HistoryController() override;

    // The undo menu item, enabled when a picture is brought back.
    void setUndoAction(QAction* undo) { undo_ = undo; }

    const DrawingHistory& history() const { return history_; }

    // A drawing has completed with these values: the canvas holds its picture. A drawing
    // that brings an entry back is not recorded again.
    void record(const ParamFields& fields, const GColor& set, std::uint64_t noiseKey);
    // Brings entry `id` back; false when there is no such entry or a drawing runs.
    bool apply(std::uint64_t id);
    // "消去": asks, then forgets every entry.
    void clear();

    // The option "終了後も履歴を保持する" (section "Extras").
    bool keepsHistory() const;
    void setKeepHistory(bool keep);
    // Start-up: the kept entries, when the option is on; a file that could not be read
    // whole is renamed aside first (the user is told where), and when that fails it is
    // never written over. Exit: writes them, or removes the file when the option is off.
    void loadKept();
    void saveKept();
    // Called before the exit writes the history: a drawing that waits to be recorded is
    // recorded.
    void setBeforeSaving(std::function<void()> recordWaiting) {
        beforeSaving_ = std::move(recordWaiting);
    }

    // Opens the history window.
    void show();
    HistoryBrowser* window() const;

  Q_SIGNALS:
    void changed();

  private:
    Parts parts_;
    QWidget* owner_;
    QAction* undo_ = nullptr;
    DrawingHistory history_;
    QPointer<HistoryBrowser> window_;
    bool redrawing_ = false;
    bool fileWritable_ = true; // false while an unreadable file could not be kept aside
    std::function<void()> beforeSaving_;
};

} // namespace wavory
