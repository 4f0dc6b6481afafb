#include "core/link/line_clock.h"

#include "core/link/frame.h"

using namespace std::chrono;

LineClock::Clock::duration LineClock::bytesTime(long long bytes)
{
    return duration_cast<Clock::duration>(nanoseconds(bytes * 1'000'000'000LL / bytesPerSecond));
}

void LineClock::wrote(long long bytes, Clock::time_point now)
{
    if (bytes <= 0)
        return;
    if (now >= m_doneAt) {
        // An idle line: this write starts a busy spell of its own.
        m_spellStart = now;
        m_spellFirst = m_written;
    }
    m_written += bytes;
    // Counted from the spell's start, so that every byte's time and the end agree exactly.
    m_doneAt = m_spellStart + bytesTime(m_written - m_spellFirst);
}

long long LineClock::bytesArrived(Clock::time_point now) const
{
    if (now >= m_doneAt)
        return m_written;
    if (now < m_spellStart)
        return m_spellFirst;
    // The bytes of the spell whose time has come: those m with bytesTime(m) <= now - start.
    const long long x = duration_cast<nanoseconds>(now - m_spellStart).count();
    const long long m = ((x + 1) * bytesPerSecond - 1) / 1'000'000'000LL;
    return std::min(m_written, m_spellFirst + m);
}

LineClock::Clock::time_point LineClock::arrivalOf(long long index) const
{
    return m_spellStart + bytesTime(index - m_spellFirst + 1);
}

LineClock::Clock::time_point LineClock::nextArrival(Clock::time_point now) const
{
    const long long arrived = bytesArrived(now);
    return arrived < m_written ? arrivalOf(arrived) : now;
}

LineClock::Clock::duration LineClock::busyFor(Clock::time_point now) const
{
    return m_doneAt > now ? m_doneAt - now : Clock::duration::zero();
}

LineClock::Clock::duration LineClock::untilAtMost(int frames, Clock::time_point now) const
{
    const auto allowed = bytesTime(static_cast<long long>(frames) * frame::size);
    const auto busy = busyFor(now);
    return busy > allowed ? busy - allowed : Clock::duration::zero();
}

long long LineClock::bytesInFlight(Clock::time_point now) const
{
    const auto busy = duration_cast<nanoseconds>(busyFor(now)).count();
    // Round up: a byte half sent is still on its way.
    return (busy * bytesPerSecond + 999'999'999LL) / 1'000'000'000LL;
}
