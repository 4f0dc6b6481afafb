// The arm's working values and homing: each axis walks to its home one position at a time.

#include "app/robot.h"
#include "link/port.h"
#include "ui/scroll_bar.h"

#include <QCoreApplication>
#include <algorithm>

void robot::initrobot()
{
    home_position.fill(axes::centre);
    home_speed = 5;
    port_number = 1;
    readConfiguration();
}

void robot::Command2_Click()
{
    homeservos();
}

void robot::DELAY()
{
    // No clock: the pace is a count of passes through the event loop, so a greater homing speed
    // is slower. A fractional speed runs the whole rounds up to it.
    for (double round = 1; round <= home_speed; round += 1)
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
}

void robot::homeservos()
{
    // A second pass started from inside the first (HOME pressed while homing) would fight the
    // first one's count, so it does nothing.
    if (m_homing)
        return;
    walkHome();
}

void robot::walkHome()
{
    if (port_status != 0)
        return;
    const bool interrupted = m_homing;
    m_homing = true;
    const int generation = m_lostCount;
    for (int channel : axes::homingOrder) {
        walkAxis(channel, generation);
        if (generation != m_lostCount)
            break; // the device went away
    }
    m_homing = interrupted;
}

void robot::walkAxis(int channel, int generation)
{
    ScrollBar *s = slider[channel];
    const int p = s->Value();
    // A home the slider cannot take (from a hand-edited file) is walked to the nearer end.
    const double h = std::clamp(home_position[channel], double(axes::lowest), double(axes::highest));
    const int direction = p > h ? -1 : p < h ? 1 : 0;
    if (direction == 0)
        return;
    // The walk keeps its own count: an operator who moves this slider meanwhile is set back by
    // the next step. Its first value is where the slider already stands, which sends nothing
    // but is still followed by a pause.
    for (int v = p; direction < 0 ? v >= h : v <= h; v += direction) {
        m_port.waitForLine();
        s->setValueTo(v);
        DELAY();
        if (generation != m_lostCount)
            return;
    }
}
