#include "core/process/event_wait.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace events {

void runPending()
{
    QCoreApplication::processEvents();
}

void sleepUntilEvent()
{
    // The order is the point: see the header.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Woken by an event posted to this thread, the UNIX dispatcher returns before it delivers
    // it (it would at the start of its next pass, and then sleep again): deliver it now, so that
    // the caller looks at its state with the event already handled.
    QCoreApplication::sendPostedEvents();
}

} // namespace events
