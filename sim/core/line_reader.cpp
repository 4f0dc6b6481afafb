#include "sim/core/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

namespace sim {

void LinePace::wake(qint64 nowNs)
{
    if (nowNs > doneNs()) {
        m_startNs = nowNs;
        m_taken = 0;
    }
}

qint64 LinePace::budget(qint64 nowNs) const
{
    if (nowNs <= m_startNs)
        return 0;
    return std::max<qint64>(0, (nowNs - m_startNs) * m_rate / 1'000'000'000 - m_taken);
}

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

void LineReader::wake()
{
    m_notifier.setEnabled(false);
    m_pace.wake(m_clock.nsecsElapsed());
    m_tick.start();
}

void LineReader::tick()
{
    const qint64 budget = std::min<qint64>(m_pace.budget(m_clock.nsecsElapsed()), 4096);
    if (budget == 0)
        return;
    QByteArray bytes(int(budget), Qt::Uninitialized);
    ssize_t n = ::read(m_fd, bytes.data(), size_t(budget));
    if (n < 0)
        n = 0; // EAGAIN: the line is empty. Nothing else is expected while we hold the slave.
    if (n > 0) {
        bytes.truncate(int(n));
        m_pace.took(n);
        emit received(bytes, m_clock.elapsed(), waiting() > 0);
    }
    if (n < budget) {
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
