#pragma once
// The far end of a serial line for tests: the simulator's pseudo-terminal, with reads that end
// on what the test waits for, never on a quiet spell of some length.

#include "sim/core/pseudo_terminal.h"

#include <QByteArray>
#include <QString>

struct termios;

class Pty : public sim::PseudoTerminal {
public:
    // Long enough for a loaded machine; a read that runs into it has failed its test anyway.
    static constexpr int deadlineMs = 10000;

    // Makes `linkPath` a symbolic link to the slave side.
    bool linkAs(const QString &linkPath) const;

    // The settings of the line as the program left them (the master side reports the slave's).
    bool lineSettings(termios *t) const;

    // What has arrived once `count` bytes have, or the deadline has passed.
    QByteArray readCount(int count, int deadline = deadlineMs);
    // What has arrived once it ends with `end`, or the deadline has passed. A program's last
    // frame, or a marker the test writes after the program is done, proves that nothing else
    // came before it.
    QByteArray readUntil(const QByteArray &end, int deadline = deadlineMs);

    // The device answering: bytes from the far end to the program.
    void write(const QByteArray &bytes);
    void closeMaster() { close(); }

private:
    template <class Done> QByteArray readWhile(Done done, int deadline);
};
