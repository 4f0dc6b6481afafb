#pragma once
// The window program's command line: --help and --version, and the options Qt takes for
// itself. It is read from the raw arguments before any application object exists, so that
// the answers need no display and a command line that cannot be used opens no window and no
// port. Anything else (a word that is not an option, an option nobody knows) is refused.

#include <QString>
#include <QStringList>

namespace program {

struct CommandLine {
    enum Outcome { Run, ShowHelp, ShowVersion, Error } outcome = Run;
    QString text; // the help text, the version line, or the error for the user
};

// args as main() receives them, program name first.
[[nodiscard]] CommandLine readCommandLine(const QStringList &args);
[[nodiscard]] CommandLine readCommandLine(int argc, char **argv);

// args without the options that QGuiApplication and QApplication take for themselves, as
// what those leave over would be. A Qt option that lacks its value sets *error.
[[nodiscard]] QStringList withoutQtOptions(const QStringList &args, QString *error);

// Writes the help or the version to standard output, or the error with a hint to standard
// error, and gives the exit status: 0, or 2 for a command line that cannot be used.
int answer(const CommandLine &commandLine);

} // namespace program
