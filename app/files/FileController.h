#pragma once
// FileController: the parameter text files — writing the parameters of the drawing on
// screen, reading a file into the parameters and drawing it — with their dialog dlgText,
// and the files dropped on the main window, routed by their extension.

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace wavory {

class ColorSetController;
class DrawCommand;
struct ParamFields;
class ParamController;
class RememberedFileNames;
class UserDialogs;

class FileController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ParamController& params;
        ColorSetController& colorSets;
        DrawCommand& draw;
        RememberedFileNames& fileNames;
        UserDialogs& dialogs;
    };
    FileController(const Parts& parts, QWidget* window);

    // Writes the parameters; false after the failure message.
    bool outputText(const QString& fileName);
    // Reads a parameter text file into the parameters and draws; false on failure.
    bool inputText(const QString& fileName);
    void onOutputTextTriggered();
    void onInputTextTriggered();
    // Each file in order: ".cst" (exactly) is a color set file, anything else a parameter
    // text file.
    void handleDroppedFiles(const QStringList& files);

  private:
    // Puts values read from a parameter file into the model, the size held to its range.
    void applyRead(ParamFields fields);

    Parts parts_;
    QWidget* window_;
};

} // namespace wavory
