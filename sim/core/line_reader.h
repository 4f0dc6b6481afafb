#pragma once
// Reads the line no faster than a real 9600-baud line delivers it. The program can hand the
// pseudo-terminal kilobytes at once, far more than the wire carries; reading at the wire's
// pace makes the picture show where a real arm would be, and lets the program's own pacing be
// seen working (or not).

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace sim {

// The wire's clock, kept apart from the reading so that it can be checked without waiting.
// Times are nanoseconds on any steady clock.
class LinePace {
public:
    explicit LinePace(int bytesPerSecond) : m_rate(bytesPerSecond) {}

    // Bytes are waiting after a quiet spell: the first of them starts on the wire now. The
    // quiet spell earns no credit, or the bytes written after it would arrive in a burst.
    void wake(qint64 nowNs);
    // How many bytes have come off the wire by now and have not been taken yet.
    qint64 budget(qint64 nowNs) const;
    void took(qint64 bytes) { m_taken += bytes; }

private:
    qint64 doneNs() const { return m_startNs + m_taken * 1'000'000'000 / m_rate; }

    qint64 m_rate;
    qint64 m_startNs = 0;
    qint64 m_taken = 0; // since m_startNs
};

class LineReader : public QObject {
    Q_OBJECT
public:
    static constexpr int bytesPerSecond = 960; // 9600 baud, 10 bits a byte with 8N1

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
    qint64 waiting() const;

    int m_fd;
    QElapsedTimer m_clock;
    LinePace m_pace{bytesPerSecond};
    // The notifier says when a quiet line gets bytes; while bytes flow, the tick takes them at
    // the wire's pace and the notifier stays off (it would fire without pause otherwise).
    QSocketNotifier m_notifier;
    QTimer m_tick;
};

} // namespace sim
