#include "support/slow_line_port.h"

#include <algorithm>

using namespace std::chrono;

SlowLinePort::SlowLinePort(long long bytesPerSecond, bool tells)
    : m_rate(bytesPerSecond), m_tells(tells)
{
}

int SlowLinePort::open(int)
{
    m_open = true;
    resetLine();
    return 0;
}

std::optional<int> SlowLinePort::bytesQueued() const
{
    if (!m_tells || !m_open)
        return std::nullopt;
    return static_cast<int>(held());
}

long long SlowLinePort::held() const
{
    if (m_rate <= 0)
        return m_written;
    const long long busy = duration_cast<nanoseconds>(m_doneAt - m_now).count();
    // A byte half carried is still held.
    return busy <= 0 ? 0 : (busy * m_rate + 999'999'999LL) / 1'000'000'000LL;
}

void SlowLinePort::send(const QByteArray &bytes)
{
    m_written += bytes.size();
    if (m_rate > 0)
        m_doneAt = std::max(m_doneAt, m_now) + nanoseconds(bytes.size() * 1'000'000'000LL / m_rate);
}

void SlowLinePort::sleepFor(Clock::duration wait)
{
    ++m_sleeps;
    m_now += wait;
}
