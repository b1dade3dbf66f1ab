#pragma once
// frmHelp: the easy help window. A modeless window below the main window and as wide as
// it, loaded for the whole run; its close box only hides it. It explains the control the
// mouse rests on (the topics arrive with the window's content).

#include <QWidget>

namespace wavory {

class frmHelp : public QWidget {
    Q_OBJECT
  public:
    // Height of the window's client area in pixels; its width follows the main window.
    static constexpr int kClientHeight = 150;

    explicit frmHelp(QWidget* parent = nullptr);

    // The program is ending: a close request then really closes the window; any other
    // close request (the close box) only hides it.
    void allowClose() { closing_ = true; }

  Q_SIGNALS:
    // The close box hid the window.
    void closedByUser();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    bool closing_ = false;
};

} // namespace wavory
