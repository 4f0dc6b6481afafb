#include "core/link/port.h"

#include "core/link/frame.h"
#include "core/process/event_wait.h"

#include <algorithm>

Port::Port(QObject *parent) : QObject(parent)
{
    m_drained.setSingleShot(true);
    m_drained.setTimerType(Qt::PreciseTimer);
}

void Port::write(const QByteArray &bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    m_line.wrote(bytes.size(), now());
    send(bytes);
}

void Port::waitForLine(int frames)
{
    using Duration = LineClock::Clock::duration;
    const long long allowed = static_cast<long long>(std::max(frames, 0)) * frame::size;
    std::optional<int> lastHeld;
    auto lastChange = now();
    for (;;) {
        const auto t = now();
        Duration wait = m_line.untilAtMost(frames, t);
        // The clock says when a line at its nominal pace is done; a driver that tells what it
        // holds says what a slower line still has to carry. The wait ends when both agree, so
        // no more than `frames` frames are ever on their way, whatever the line's true pace.
        const std::optional<int> held = isOpen() ? bytesQueued() : std::nullopt;
        if (held != lastHeld)
            lastChange = t;
        lastHeld = held;
        if (held && *held > allowed && t - lastChange < stuckAfter)
            wait = std::max(wait, LineClock::bytesTime(*held - allowed));
        if (wait <= Duration::zero())
            return;
        sleepFor(wait);
    }
}

void Port::sleepFor(LineClock::Clock::duration wait)
{
    // The thread sleeps until the timer or an event wakes it: window events run meanwhile,
    // and nothing spins. After any event the line is looked at again. A wait nested in an
    // event handled here sets the timer for itself; this one sets it again when it resumes.
    m_drained.start(std::chrono::ceil<std::chrono::milliseconds>(wait));
    events::sleepUntilEvent();
}
