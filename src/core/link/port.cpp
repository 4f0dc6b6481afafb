#include "core/link/port.h"

#include <QEventLoop>
#include <QTimer>

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
        // A nested loop woken by a timer: window events run meanwhile, and nothing spins.
        QEventLoop loop;
        QTimer::singleShot(ceil<milliseconds>(wait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
