#pragma once
// The first argument of the program's command line, which names a parameter text file.
// The rule is that of a single command-line text: the text up to the first blank that
// is not inside double quotes, quotes kept (the parameter reader removes them).

#include <QString>
#include <QStringList>

namespace wavory {

// The arguments after the program name as one command-line text: each argument that
// holds a blank and no double quote is put in double quotes (the shell had removed them),
// the arguments joined by one blank.
QString commandLineText(const QStringList& arguments);

// The first argument of a command-line text; the whole text when it has no blank outside
// double quotes. Leading blanks are skipped.
QString firstArgument(const QString& commandLine);

} // namespace wavory
