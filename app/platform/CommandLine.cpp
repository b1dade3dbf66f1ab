#include "CommandLine.h"

namespace wavory {

QString commandLineText(const QStringList& arguments) {
    QStringList parts;
    for (const QString& a : arguments) {
        if (a.contains(QLatin1Char(' ')) && !a.contains(QLatin1Char('"'))) {
            parts << QLatin1Char('"') + a + QLatin1Char('"');
        } else {
            parts << a;
        }
    }
    return parts.join(QLatin1Char(' '));
}

QString firstArgument(const QString& commandLine) {
    qsizetype start = 0;
    while (start < commandLine.size() && commandLine.at(start) == QLatin1Char(' '))
        ++start;
    bool quoted = false;
    for (qsizetype i = start; i < commandLine.size(); ++i) {
        const QChar c = commandLine.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(' ') && !quoted) {
            return commandLine.mid(start, i - start);
        }
    }
    return commandLine.mid(start);
}

} // namespace wavory
