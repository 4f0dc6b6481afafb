#pragma once
// The simulator's command line. Parsing is kept apart from the application so that what a
// command line means can be checked without starting anything.

#include "core/program/outcome.h"

#include <QString>
#include <QStringList>

namespace sim {

struct Options {
    QString configDir; // where COMn is published; empty: the program's configuration folder
    int port = 1;
    bool echo = false;
    bool headless = false;
    QString logFile; // headless only; empty: standard output
    QString profile; // --profile: the arm to draw; empty: arm.ini in the configuration folder
};

using ParsedOptions = program::Parsed<Options>;

// args as QCoreApplication::arguments() gives them, program name first.
[[nodiscard]] ParsedOptions parseOptions(const QStringList &args);

// Whether a command line asks for no window. Decided on the raw arguments, before the
// application object exists: a window needs a QApplication and a display, a headless run, the
// help and the version need neither. The full parse comes after, on the arguments that Qt
// leaves over (it takes its own, such as -platform). A command line that cannot be used needs
// no window either: its error is given without one.
bool wantsNoWindow(int argc, char **argv);

} // namespace sim
