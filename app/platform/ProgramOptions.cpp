#include "ProgramOptions.h"

#include "QtText.h"

#include "common/PathText.h"

#include <cstdio>
#include <optional>

namespace wavory {

namespace {

bool isOption(const QString& argument) {
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
}

// Exactly "cst", lower case, as files dropped on the main window are told apart.
bool isColorSetFile(const QString& file) {
    return extensionPart(toStd(file)) == "cst";
}

QString usageText() {
    return QStringLiteral(R"(Usage: wavory [OPTION]... [PARAMFILE]
Draws two-dimensional gradation patterns from cosine wave components (the windows are
in Japanese, or in English with --lang en).

The first drawing is made from PARAMFILE, a parameter text file, when one is given;
otherwise from the drawing on screen at the last exit, or from a random setting. Only
the first argument after the options names a file; the rest of the command line is
ignored. The exit status is 0 after a normal exit, 1 when another copy is already
running, 2 for a command line that cannot be understood.

Options:
      --open FILE    open FILE as a file dropped on the main window is opened: a color
                     set file (.cst) is read into the color sets after the first drawing,
                     any other file is read as a parameter text file. Desktop launchers
                     start the program this way.
      --lang LANG    show the windows and the help pages in LANG: ja (Japanese, the
                     default) or en (English). Overrides the environment variable
                     WAVORY_LANG, which takes the same values. Where no font has
                     Japanese glyphs the windows are in English unless Japanese is
                     asked for here or in WAVORY_LANG.
  -h, --help         show this text and exit.
      --version      show the version and exit.

Files:
  The settings ("wavory.ini", "Tileview.ini"), the color sets ("default.cst"), the last
  drawing ("Graphic.ini") and the "colorset" folder are kept in the folder named by the
  environment variable WAVORY_HOME, else in $XDG_CONFIG_HOME/wavory (~/.config/wavory).
  Only one copy of the program runs at a time for that folder.
  Sample parameter files are installed in share/wavory/samples under the installation
  prefix (/usr/share/wavory/samples from the Debian package).

The command-line renderer wavory-render draws parameter files without a window.
)");
}

QString versionText() {
    return QStringLiteral("wavory " WAVORY_VERSION "\n"
                          "License GPL-3.0-or-later: GNU GPL version 3 or later.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n");
}

ProgramOptions& failed(ProgramOptions& options, const QString& error) {
    options.action = ProgramOptions::Action::Fail;
    options.error = error;
    return options;
}

} // namespace

ProgramOptions parseProgramOptions(const QStringList& arguments, const QString& languageVariable) {
    ProgramOptions options;
    bool open = false;
    std::optional<QString> language; // from --lang, else from WAVORY_LANG
    QString languageSource;          // where the language came from, for the error
    qsizetype i = 0;
    for (; i < arguments.size() && isOption(arguments[i]); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) {
            ++i;
            break;
        }
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            options.action = ProgramOptions::Action::ShowHelp;
            return options;
        }
        if (a == QLatin1String("--version")) {
            options.action = ProgramOptions::Action::ShowVersion;
            return options;
        }
        if (a == QLatin1String("--open")) {
            open = true;
            continue;
        }
        if (a == QLatin1String("--lang")) {
            if (i + 1 >= arguments.size())
                return failed(options, QStringLiteral("option '--lang' needs a language (ja, en)"));
            language = arguments[++i];
            continue;
        }
        if (a.startsWith(QLatin1String("--lang="))) {
            language = a.mid(7);
            continue;
        }
        return failed(options, QStringLiteral("unknown option '%1'").arg(a));
    }
    if (!language && !languageVariable.isEmpty()) {
        language = languageVariable;
        languageSource = QStringLiteral(" in WAVORY_LANG");
    }
    if (language) {
        const std::optional<UiLanguage> chosen = uiLanguageNamed(*language);
        if (!chosen)
            return failed(
                options,
                QStringLiteral("unknown language '%1'%2 (ja, en)").arg(*language, languageSource));
        options.language = *chosen;
        options.languageChosen = true;
    }
    options.commandLine = arguments.mid(i);
    if (open && !options.commandLine.isEmpty()) {
        // A launcher hands over exactly one file; it is taken whole, blanks and all.
        const QString file = options.commandLine.first();
        options.commandLine.clear();
        if (isColorSetFile(file))
            options.colorSetFile = file;
        else
            options.commandLine << file;
    }
    return options;
}

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int answerOnTerminal(const ProgramOptions& options) {
    switch (options.action) {
    case ProgramOptions::Action::ShowHelp:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case ProgramOptions::Action::ShowVersion:
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case ProgramOptions::Action::Fail:
        std::fprintf(stderr, "wavory: %s\nTry 'wavory --help'.\n",
                     options.error.toLocal8Bit().constData());
        return 2;
    case ProgramOptions::Action::Run:
        break;
    }
    return -1;
}

} // namespace wavory
