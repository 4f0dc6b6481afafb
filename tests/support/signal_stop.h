#pragma once
// A program stopped by a signal, as the arm sees it. The program is frozen (SIGSTOP) before the
// signal, so that what it wrote until then is known exactly; then it gets the signal, goes on,
// and everything it writes from there to its end is what reached the arm after the signal.

#include "core/link/frame.h"
#include "support/pty.h"

#include <QByteArray>
#include <QList>
#include <QProcess>

struct SignalStop {
    QByteArray before, after;
    int status = -1; // the exit status; -1 when it crashed or did not end
};

// Everything the program has put on the line so far: a marker goes in behind it through the
// held slave side (the pseudo-terminal must be held), so when the marker comes out, all that
// was written before it has. "(marker ...)" when that fails.
QByteArray lineSoFar(Pty &pty);

// Lets the program write at least `bytes` bytes, freezes it, takes what it wrote, sends the
// signals, lets it go on, and waits up to 30 s for its end.
SignalStop stopAfter(Pty &pty, QProcess &program, int bytes, const QList<int> &signals_);

// The frames after the probe that starts the line; *whole says the line is the probe and
// whole frames and nothing else.
QList<frame::Frame> framesAfterProbe(const QByteArray &line, bool *whole);
