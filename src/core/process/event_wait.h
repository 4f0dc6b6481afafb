#pragma once
// The one way this program waits on its own thread while the operator looks on: the line wait
// before each step, PAUSE's hold, the homing pace and kestrel-play's loop all come here.
//
// Qt decides whether its event loop may sleep from a flag ("can wait") that any posted event
// clears and that only a full pass over the posted events sets again. A posted event that
// cannot be delivered at the current depth stays in the queue for good: on the desktop, the
// main window's layout animates its geometry once as it is first shown, before the main loop
// runs, and the animation's deferred delete is never deliverable inside a click handler (RUN's
// replay runs inside one). With such an event queued, a call that sends the posted events of one
// object or type only (a window flushing its paint requests does) finds nothing for it and
// leaves the flag cleared. Qt's own UNIX dispatcher sends all posted events before it looks at
// the flag, so it sleeps anyway; the GLib dispatcher, Qt's default on every Debian desktop, asks
// the flag first, sees "posted events waiting", polls with a timeout of 0 and returns at once,
// for ever: a whole core spent while paused, and the X connection starved behind it.
//
// So a sleep here first sends every posted event that can be sent. That resets the flag to what
// is really there, on every dispatcher and platform, and only then lets the loop block. The
// thread then sleeps until something arrives (input, a timer such as the line's, a socket such
// as the quit signals' pipe or a device's notifier, an event posted from anywhere) and runs it,
// posted events included, before it returns.

namespace events {

// Runs the events that are waiting now, once, and returns without sleeping.
void runPending();

// Sleeps until at least one event arrives, runs what arrived and returns. A caller that waits
// for a time arms its own timer first; a caller that waits for a state looks at it again after
// each return.
void sleepUntilEvent();

} // namespace events
