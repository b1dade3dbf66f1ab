#pragma once
// The options of `wavory [OPTION]... [PARAMFILE]` in front of its file argument: help and
// version (answered on the terminal, before any window or display is needed), and --open,
// with which a desktop launcher hands over a file the way a dropped file is taken.
// --lang chooses the windows' language, over the environment variable WAVORY_LANG.
// Everything from the first argument that is not an option on is the program's command
// line, read as before (the first argument names a parameter text file).

#include "UiLanguage.h"

#include <QString>
#include <QStringList>

namespace wavory {

struct ProgramOptions {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    QStringList commandLine; // the arguments for the first drawing
    QString colorSetFile;    // --open with a ".cst" file: read into the color sets
    UiLanguage language = UiLanguage::Japanese;
    bool languageChosen = false; // by --lang or WAVORY_LANG, not by default
    QString error;           // Fail: what was not understood
};

// `arguments` without the program name; `languageVariable` is the value of WAVORY_LANG
// (empty when unset).
ProgramOptions parseProgramOptions(const QStringList& arguments,
                                   const QString& languageVariable = {});

// main's arguments after the program name, decoded as the terminal passed them.
QStringList argumentsAfterProgram(int argc, char* argv[]);

// Help and version printed on stdout (status 0), a command line that cannot be understood
// reported on stderr (status 2); -1 when the program is to run.
int answerOnTerminal(const ProgramOptions& options);

} // namespace wavory
