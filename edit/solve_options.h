#pragma once
// --solve's and --from's options and what their values may be: a target in millimetres and
// degrees, and the pose to stay near. Whether --from lies within the arm profile's limits is
// known only once the profile is read, so solve.cpp checks that.

#include "core/program/outcome.h"
#include "edit/options.h"

#include <QCommandLineOption>

class QCommandLineParser;

namespace edit {

QCommandLineOption solveOption();
QCommandLineOption fromOption();

// --solve's target and --from's pose (when given) into o, or why either cannot be used.
[[nodiscard]] program::CommandLine readSolve(const QCommandLineParser &parser,
                                             const QCommandLineOption &solve,
                                             const QCommandLineOption &from, Options &o);

} // namespace edit
