#pragma once
// kestrel-edit's command line. Parsing is kept apart from the program so that what a command
// line means is checked without starting anything.

#include "core/arm/inverse.h"
#include "core/edit/timed_move.h"
#include "core/program/outcome.h"

#include <QString>
#include <QStringList>

namespace edit {

struct Options {
    QString file;          // the movement file to open; empty: an empty motion
    QString configDir;     // empty: Kestrel's own configuration folder
    QString profile;       // --profile: the arm profile; empty: arm.ini in the configuration folder
    bool noLimits = false; // --no-limits: export bytes and sketches that break the profile
    // --export: the format's name (csv, bytes, arduino), the passes, and where to write; an
    // empty output is standard output.
    QString exportFormat;
    int loops = 1;
    QString output;
    // --move-to: the pose a timed move appended to FILE ends in (written to `output`), its time
    // (none: as fast as the caps allow) and its ease. The pose is five positions, or the name of
    // a pose of the arm profile, looked up once the profile is read.
    std::optional<timing::Pose> moveTo;
    QString moveToName;
    std::optional<double> seconds;
    moves::Ease ease = moves::Ease::Smooth;

    // --solve: the tool point and the hand's pitch to find the positions of; --from: the pose
    // the arm has now, whose elbow and grip the answer keeps.
    std::optional<arm::Target> solveFor;
    std::optional<arm::Pose> from;

    // An export runs with no window.
    bool exporting() const { return !exportFormat.isEmpty(); }
    // So does a move made from a script.
    bool movingTo() const { return moveTo.has_value() || !moveToName.isEmpty(); }
    // And a solve, which writes nothing but its answer.
    bool solving() const { return solveFor.has_value(); }
};

using Parsed = program::Parsed<Options>;

// args without Qt's own options, program name first.
[[nodiscard]] Parsed parse(const QStringList &args);

// Whether the command line is answered without a window (help, version, an export, a move, a
// solve or an error).
// Decided on the raw arguments, before the application object exists: the answers need no display,
// and without one a window program would end before it could say what was wrong.
bool answersWithoutWindow(int argc, char **argv);

} // namespace edit
