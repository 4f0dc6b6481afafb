#pragma once
// What a command line comes to, for every program: run with its options, show the help or the
// version, or refuse it; and the one way each of them is answered, so that the four programs
// word and end them alike.

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <limits>
#include <utility>

class QCommandLineParser;

namespace program {

struct CommandLine {
    enum Outcome { Run, ShowHelp, ShowVersion, Error } outcome = Run;
    QString text; // the help text, the version line, or the error for the user
};

// A command line read into a program's options. Any answer other than Run converts to it, so a
// parser can return a refusal or the help as it comes.
template <class Options> struct Parsed : CommandLine {
    Options options;

    Parsed() = default;
    Parsed(CommandLine answer) : CommandLine(std::move(answer)) {}
};

// A command line that cannot be used, and why, in one line: the hint is added on output.
[[nodiscard]] CommandLine refused(const QString &text);

// Reads args (program name first) with parser: -h/--help and -v/--version come first, then
// options, in that order in the help. Run means the program's own options are to be read from
// parser; anything else is the answer. programName heads the version line.
[[nodiscard]] CommandLine readOptions(QCommandLineParser &parser, const QString &programName,
                                      const char *description,
                                      const QList<QCommandLineOption> &options,
                                      const QStringList &args);

// Reads the option's whole number into *value when it lies from least to most (to any size
// when most is left out). Otherwise gives why not, worded alike by every program:
// "--port takes a whole number from 1 up, not 'COM1'."
[[nodiscard]] QString readWholeNumber(const QCommandLineParser &parser,
                                      const QCommandLineOption &option, int *value, int least,
                                      int most = std::numeric_limits<int>::max());

// main()'s arguments as text, program name first.
[[nodiscard]] QStringList arguments(int argc, char **argv);

// Writes the help or the version to standard output, or the error and a hint to standard
// error, and gives the exit status: 0, or 2 for a command line that cannot be used.
int answer(const CommandLine &commandLine, const QString &programName, FILE *out = stdout,
           FILE *err = stderr);

} // namespace program
