#pragma once
// ParamFieldKeys: what the main window's parameter fields do beyond editing text. Enter
// draws (and the focus may come back to the field afterwards); a value field holds its
// text to 1..999999 before a typed key takes effect (a field still empty or holding only a
// sign when it is left); the center and bleed fields take
// only the keys a number needs; a center field shows the center marker on the picture
// while it has the focus; files dropped on a field are the window's drop.

#include <QObject>

#include <vector>

class QLineEdit;

namespace wavory {

class DrawCommand;
class FileDrops;
class PictureWindow;

class ParamFieldKeys : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        DrawCommand& draw;
        PictureWindow& picture;
        FileDrops& drops;
    };
    ParamFieldKeys(const Parts& parts, QObject* parent);

    void addValueField(QLineEdit* field);
    void addCenterField(QLineEdit* field);
    void addBleedField(QLineEdit* field);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    enum class Kind { Value, Center, Bleed };
    void add(QLineEdit* field, Kind kind);

    Parts parts_;
    std::vector<std::pair<QLineEdit*, Kind>> fields_;
    std::vector<QLineEdit*> centers_;
};

} // namespace wavory
