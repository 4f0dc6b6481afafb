#pragma once
// The serial line as the program sees it. The real one wraps QSerialPort; tests use a fake
// that records the bytes. The line clock lives here so every writer feeds it.

#include "core/link/line_clock.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class Port : public QObject {
    Q_OBJECT
public:
    explicit Port(QObject *parent = nullptr);

    // Opens port n ("Comm n"), closing what was open. 0, or the error number of comdevice.
    [[nodiscard]] virtual int open(int number) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The device path that the last open tried, for messages.
    virtual QString device() const = 0;
    // More about why the last open failed, for a line of its own in the message; empty when the
    // error number and the device say it all.
    virtual QString note() const { return {}; }

    // Writes the bytes unchanged, at once. Dropped while the port is closed.
    void write(const QByteArray &bytes);

    // Blocks for more than `ms` milliseconds without letting window events run, then returns
    // everything received so far. The echo probe is the only reader.
    virtual QByteArray readAfter(int ms) = 0;

    // Lets window events run, without spinning, until no more than `frames` frames written
    // earlier are still on their way down the line: by the line clock, and by the driver's own
    // count where it gives one (bytesQueued()). The long operations wait here before each
    // step, so this is where the operator's STOP, PAUSE and moves arrive; a fake line runs its
    // scripted events here instead of waiting on the wall clock.
    virtual void waitForLine(int frames = framesAhead);
    // How many frames the long operations let run ahead of the arm: enough to keep the line
    // busy between two steps, few enough that STOP stops the arm within a few milliseconds.
    static constexpr int framesAhead = 2;
    // A driver whose count of held bytes stays the same this long is stuck (a device that no
    // longer reads): the wait goes on by the clock alone, so that STOP and quitting still work.
    static constexpr LineClock::Clock::duration stuckAfter = std::chrono::seconds(1);
    const LineClock &line() const { return m_line; }

    // The bytes the line's driver still holds, where it can tell; nothing where it cannot (a
    // pseudo-terminal, a closed port). Where it tells, the line wait waits on it as well as on
    // the clock, so a line slower than its nominal pace builds no backlog.
    virtual std::optional<int> bytesQueued() const { return std::nullopt; }

Q_SIGNALS:
    // The device went away while open (an adapter pulled out). The port is already closed.
    void lost();

protected:
    virtual void send(const QByteArray &bytes) = 0;
    void resetLine() { m_line.reset(); }
    // The line wait's time: the steady clock, and a sleep that lets window events run. A line
    // with a clock of its own (a test's, a benchmark's simulated hours) replaces both.
    virtual LineClock::Clock::time_point now() const { return LineClock::Clock::now(); }
    virtual void sleepFor(LineClock::Clock::duration wait);

private:
    LineClock m_line;
    // Wakes the thread when the line has drained; one timer for every wait, not one a step.
    QTimer m_drained;
};
