#include "core/link/port.h"

#include "core/process/event_wait.h"

Port::Port(QObject *parent) : QObject(parent)
{
    m_drained.setSingleShot(true);
    m_drained.setTimerType(Qt::PreciseTimer);
}

void Port::write(const QByteArray &bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    m_line.wrote(bytes.size(), LineClock::Clock::now());
    send(bytes);
}

void Port::waitForLine(int frames)
{
    using namespace std::chrono;
    for (;;) {
        const auto wait = m_line.untilAtMost(frames, LineClock::Clock::now());
        if (wait <= LineClock::Clock::duration::zero())
            return;
        // The thread sleeps until the timer or an event wakes it: window events run meanwhile,
        // and nothing spins. After any event the line is looked at again. A wait nested in an
        // event handled here sets the timer for itself; this one sets it again when it resumes.
        m_drained.start(ceil<milliseconds>(wait));
        events::sleepUntilEvent();
    }
}
