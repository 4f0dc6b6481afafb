#pragma once
// A pseudo-terminal standing in for a serial device. The master side is the far end of the
// line, where the servo controller would be; the slave side is the device that a program opens,
// through a COMn link or by its path. The simulator, the tests and the benchmark all make theirs
// here.

#include <QByteArray>
#include <QString>

namespace sim {

class PseudoTerminal {
public:
    // Opens the master side, non-blocking and closed on exec. The slave side is left as a new
    // terminal has it (cooked, 38400 baud), so a program that opens it must set its own line.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool ok() const { return m_master >= 0 && !m_slavePath.isEmpty(); }
    // Why it could not be made, for people.
    QString error() const { return m_error; }
    int master() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    // The slave side this process holds open, or -1 (see holdSlave).
    int heldSlave() const { return m_slave; }

    // Opens the slave side too and keeps it open, raw, at 9600 baud: a program's close then
    // is no hang-up at the master, and the line settings last between its opens.
    bool holdSlave();

    // Writes into the slave side from a descriptor of its own, as another user of the device
    // would; what a program has written before is ahead of it on the line.
    bool writeAsDevice(const QByteArray &bytes) const { return writeToDevice(m_slavePath, bytes); }
    // The same for the terminal behind a device path (or a link to one).
    static bool writeToDevice(const QString &path, const QByteArray &bytes);
    // Writes into the slave side through the descriptor holdSlave keeps: this works also while
    // a program holds the device for itself alone, where a new open is refused.
    bool writeThroughHeldSlave(const QByteArray &bytes) const;

    // Closes both sides: a program that holds the slave sees a hang-up, as when an adapter is
    // pulled out.
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
};

} // namespace sim
