#pragma once
// The far end of a real 9600-baud serial line: a pseudo-terminal whose master side a thread of
// its own reads no faster than the line carries bytes (960 a second, by the program's own
// LineClock), the way the servo controller's UART takes them. Every byte is kept with the
// moment it came off the wire. Bytes the program wrote but the line has not yet carried stay
// queued in the terminal, as in a UART's buffer: that queue is what a program must not run far
// ahead of.

#include "sim/core/pseudo_terminal.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace desktop {

class PacedLine {
public:
    using Clock = std::chrono::steady_clock;
    struct Byte {
        Clock::time_point at;
        unsigned char value;
    };

    PacedLine();
    ~PacedLine();
    PacedLine(const PacedLine &) = delete;
    PacedLine &operator=(const PacedLine &) = delete;

    bool ok() const { return m_ok; }
    QString error() const { return m_pty.error(); }
    // Makes `path` (a configuration folder's COMn) a link to the device side.
    [[nodiscard]] bool linkAs(const QString &path) const;
    QString devicePath() const { return m_pty.slavePath(); }

    std::vector<Byte> bytes() const;
    QByteArray data() const;
    std::size_t count() const;
    // Bytes written but not yet carried: queued in the terminal or on the wire.
    long long queued() const;

    // Waits until `n` bytes in all have arrived.
    bool waitForCount(std::size_t n, int timeoutMs) const;
    // Waits until the data ends with `end` (a frame, a marker).
    bool waitForEnd(const QByteArray &end, int timeoutMs) const;
    // Waits until everything written has come off the wire and nothing more is queued: the
    // moment after which any byte is one written later.
    bool waitForDrained(int timeoutMs) const;

private:
    void run();
    long long waiting() const;

    sim::PseudoTerminal m_pty;
    bool m_ok = false;
    int m_stop[2] = {-1, -1};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Byte> m_bytes;
    bool m_drained = true;
    std::thread m_thread;
};

} // namespace desktop
