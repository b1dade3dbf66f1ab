#pragma once
// StartupController: the program's start and end. Start-up refuses a second copy,
// restores the color sets, the settings and the window layout (or greets a new user with
// the first-start defaults) and makes a first drawing; the exit procedure asks when so
// configured, saves the settings, the color sets and the last drawing (unless no lock
// against a second copy could be made), and ends the process. Closing the program while
// a drawing runs stops the drawing and finishes the exit once it has ended.

#include "SettingsBinding.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace wavory {

class ColorSetController;
class DrawCommand;
class DrawSession;
class FileController;
class HistoryController;
class RandomSource;
class SaveController;
class SingleInstance;
class UserDialogs;
class VariationController;

class StartupController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        SettingsWindows windows; // the main window first
        AppSettings& settings;
        UserDialogs& dialogs;
        RandomSource& random;
        ColorSetController& colorSets;
        DrawSession& session;
        DrawCommand& draw;
        FileController& files;
        SaveController& save;
        HistoryController& history;
        VariationController& variations;
    };
    explicit StartupController(const Parts& parts);
    ~StartupController() override;

    // Start-up up to showing the main window; the first drawing follows from the event
    // loop and ends with startupFinished. False when another copy of the program runs: the
    // refusal has been shown, no file was touched and the caller ends the process.
    bool load(const QStringList& arguments);
    // The exit procedure: 1 when the main window stays open (the user cancelled, or the
    // exit waits for the running drawing to stop); otherwise everything is saved and the
    // process is ended (0 is returned only when the process end was replaced, as in tests).
    int quit();
    void setProcessEnd(std::function<void()> end) { processEnd_ = std::move(end); }
    // The lock against a second copy, when not the program folder's "wavory.lock".
    void setLockFile(const QString& path) { lockFile_ = path; }
    bool isFirstStart() const { return firstStart_; }

  Q_SIGNALS:
    // Start-up is complete: the first drawing has been made or refused.
    void startupFinished();

  private:
    void firstDrawing(const QStringList& arguments);
    void showWelcome(bool& hello);
    void saveAtExit();

    Parts parts_;
    QWidget& main_; // the main window
    std::unique_ptr<SingleInstance> instance_;
    std::function<void()> processEnd_;
    QString lockFile_;
    bool saveAtExit_ = true; // false when no lock could be made
    // False when an unreadable "default.cst" could not be kept aside: it is not written over.
    bool saveColorSetsAtExit_ = true;
    bool firstStart_ = false;
    bool exitConfirmed_ = false;
    bool quitting_ = false;
};

} // namespace wavory
