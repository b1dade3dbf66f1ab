#pragma once
// EasyHelpWindow: the easy help window. A modeless window below the main window and as wide as
// it, loaded for the whole run; its close box only hides it. It explains the control the
// mouse rests on: title, explanation, an optional red note, a level badge, and for some
// topics two illustrations drawn by the engine with an arrow and range labels between.

#include "help/HelpTopics.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;

namespace wavory {

class EasyHelpWindow : public QWidget {
    Q_OBJECT
  public:
    // Height of the window's client area in pixels; its width follows the main window.
    static constexpr int kClientHeight = 150;

    explicit EasyHelpWindow(QWidget* parent = nullptr);

    // Shows topic vNum; the topic already shown is left alone, and a number no control
    // uses shows the empty topic (like 0, which clears the window).
    void helpManager(int vNum);
    int currentTopic() const { return currentTopic_; }
    // Illustrations drawn so far; none before a topic first shows one.
    int keptIllustrations() const;

    // The program is ending: a close request then really closes the window; any other
    // close request (the close box) only hides it.
    void allowClose() { closing_ = true; }

  Q_SIGNALS:
    // The close box hid the window.
    void closedByUser();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void showTopic(const HelpTopic& topic);
    void showPicture(QLabel* target, int index);
    // Illustration 1..32, drawn on first use and kept for the run.
    const QImage& illustration(int index);

    QLabel* labHelpTitle_ = nullptr;
    QLabel* labHelp_ = nullptr;
    QLabel* labHelpRed_ = nullptr;
    QLabel* labHelpLevel_ = nullptr;
    std::array<QLabel*, 2> imgHelp_{};
    QLabel* picArrow_ = nullptr;
    QLabel* lblLeft_ = nullptr;
    QLabel* lblRight_ = nullptr;
    QWidget* pictures_ = nullptr;
    std::array<QImage, kIllustrationCount + 1> iLstHelp_; // index 0 unused
    int currentTopic_ = 0;
    bool closing_ = false;
};

} // namespace wavory
