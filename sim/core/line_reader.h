#pragma once
// Reads the line no faster than a real 9600-baud line delivers it. The program can hand the
// pseudo-terminal kilobytes at once, far more than the wire carries; reading at the wire's
// pace makes the picture show where a real arm would be, and lets the program's own pacing be
// seen working (or not).

#include "core/link/line_clock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace sim {

class LineReader : public QObject {
    Q_OBJECT
public:
    static constexpr int bytesPerSecond = LineClock::bytesPerSecond; // 9600 baud 8N1

    // fd: the non-blocking master side of the terminal; not owned.
    LineReader(int fd, QObject *parent);

    // Milliseconds since the reader was made: the time base of everything it reports.
    qint64 elapsedMs() const { return m_clock.elapsed(); }
    // Sends bytes back towards the program, unpaced (an echo is a byte or two).
    void answer(const QByteArray &bytes);

signals:
    // bytes came off the wire at ms; moreWaiting: the terminal already holds more behind them.
    void received(const QByteArray &bytes, qint64 ms, bool moreWaiting);

private:
    void wake();
    void tick();
    // Tells the line's clock of the bytes that have shown up in the terminal since last time:
    // they start down the wire now, or behind those still on it.
    void notice(LineClock::Clock::time_point now);
    qint64 waiting() const;

    int m_fd;
    QElapsedTimer m_clock;
    LineClock m_line;
    qint64 m_taken = 0; // bytes read off the terminal
    // The notifier says when a quiet line gets bytes; while bytes flow, the tick takes them at
    // the wire's pace and the notifier stays off (it would fire without pause otherwise).
    QSocketNotifier m_notifier;
    QTimer m_tick;
};

} // namespace sim
