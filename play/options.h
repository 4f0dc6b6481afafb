#pragma once
// kestrel-play's command line, and the exit statuses it documents. Parsing is kept apart from
// the program so that what a command line means is checked without starting anything.

#include "core/program/outcome.h"

#include <QString>
#include <QStringList>

namespace play {

// What the exit status says, for scripts and service managers. A stop by a signal exits with
// 128 + the signal's number, as a shell reports a process killed by it, but only after the arm
// has stopped and the port is free.
enum Exit {
    Done = 0,
    Failed = 1, // the program could not run at all (no signal watch, say)
    BadCommandLine = 2,
    BadMovementFile = 3, // it or the arm profile is missing, unreadable or faulty: nothing was
                         // sent
    PortUnusable = 4,    // the port could not be opened; nothing was sent
    DeviceEchoes = 5,    // the probe came back: a modem or a loop, not the arm
    DeviceLost = 6,      // the device went away while playing
    BreaksProfile = 7,   // the motion leaves the arm profile's limits: nothing was sent
    BySignal = 128,
};

struct Options {
    QString file;          // the movement file
    int port = 0;          // "Comm n"; 0: the configuration file's PORT=
    QString device;        // a device path instead of a port number
    int loops = 1;         // passes; 0: until stopped
    QString configDir;     // empty: Kestrel's own configuration folder
    QString profile;       // --profile: the arm profile; empty: arm.ini in the configuration folder
    bool noLimits = false; // --no-limits: plays a motion that breaks the profile, with a warning
    bool dryRun = false;
    bool quiet = false;
};

using Parsed = program::Parsed<Options>;

// args as QCoreApplication::arguments() gives them, program name first.
[[nodiscard]] Parsed parse(const QStringList &args);

} // namespace play
