#pragma once
// CenterDrag: dragging on the picture moves the pattern's center to the pointer. Every
// move is an ordinary edit of the two center offsets through the parameter model, so the
// center fields show them and a drawing that follows the values draws them; the center
// marker follows the pointer meanwhile. Esc during the drag puts the center back where it
// was. While a drawing that does not follow the values runs, the picture is not dragged.

#include <QObject>
#include <QPoint>

#include <array>
#include <string>

namespace wavory {

class DrawSession;
class ParamController;
class PictureWindow;

class CenterDrag : public QObject {
    Q_OBJECT
  public:
    CenterDrag(ParamController& params, DrawSession& session, PictureWindow& picture,
               QObject* parent = nullptr);

  private:
    void start(const QPoint& at);
    void move(const QPoint& at);
    void finish();
    void cancel();
    void setCenter(const std::string& x, const std::string& y);

    ParamController& params_;
    DrawSession& session_;
    PictureWindow& picture_;
    bool dragging_ = false;
    bool markerWasShown_ = false;
    std::array<std::string, 2> startCenter_;
};

} // namespace wavory
