#include "core/link/line_clock.h"

#include "core/link/frame.h"

using namespace std::chrono;

LineClock::Clock::duration LineClock::bytesTime(long long bytes)
{
    return duration_cast<Clock::duration>(nanoseconds(bytes * 1'000'000'000LL / bytesPerSecond));
}

void LineClock::wrote(long long bytes, Clock::time_point now)
{
    m_doneAt = std::max(m_doneAt, now) + bytesTime(bytes);
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
