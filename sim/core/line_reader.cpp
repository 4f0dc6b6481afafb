#include "sim/core/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

namespace sim {

LineReader::LineReader(int fd, QObject *parent)
    : QObject(parent), m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
{
    m_clock.start();
    // A few milliseconds is a handful of bytes: smooth enough for the eye, and light on a
    // shared machine.
    m_tick.setInterval(4);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_notifier, &QSocketNotifier::activated, this, &LineReader::wake);
    connect(&m_tick, &QTimer::timeout, this, &LineReader::tick);
}

void LineReader::answer(const QByteArray &bytes)
{
    // The program may have gone; an answer nobody reads is no error for a simulator.
    [[maybe_unused]] const ssize_t n = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
}

void LineReader::notice(LineClock::Clock::time_point now)
{
    m_line.sawUpTo(m_taken + waiting(), now);
}

void LineReader::wake()
{
    m_notifier.setEnabled(false);
    notice(LineClock::Clock::now());
    m_tick.start();
}

void LineReader::tick()
{
    const auto now = LineClock::Clock::now();
    notice(now);
    const qint64 due = std::min<qint64>(m_line.bytesArrived(now) - m_taken, 4096);
    if (due > 0) {
        QByteArray bytes(int(due), Qt::Uninitialized);
        ssize_t n = ::read(m_fd, bytes.data(), size_t(due));
        if (n < 0)
            n = 0; // EAGAIN: nothing there. Nothing else reads while we hold the slave.
        if (n > 0) {
            bytes.truncate(int(n));
            m_taken += n;
            emit received(bytes, m_clock.elapsed(), waiting() > 0);
        }
    }
    if (m_taken >= m_line.bytesWritten() && waiting() == 0) {
        // The wire has gone quiet: sleep until the program writes again.
        m_tick.stop();
        m_notifier.setEnabled(true);
    }
}

qint64 LineReader::waiting() const
{
    int n = 0;
    if (::ioctl(m_fd, FIONREAD, &n) != 0)
        return 0;
    return n;
}

} // namespace sim
