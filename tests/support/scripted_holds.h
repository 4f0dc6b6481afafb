#pragma once
// The operator at a held operation, for tests of the session without a window: each hold runs
// the next scripted action. A hold with nothing scripted would sleep for ever; it is counted
// and releases the pause instead, and the test says whether any such hold may happen.

#include "core/session/arm_session.h"

#include <QList>
#include <functional>

struct ScriptedHolds {
    QList<std::function<void()>> atHold;
    int holds = 0;
    int strandedHolds = 0;

    // The hold to give the session's waits.
    std::function<void()> holdFor(ArmSession &session)
    {
        return [this, &session] {
            ++holds;
            if (atHold.isEmpty()) {
                ++strandedHolds;
                if (session.paused())
                    session.togglePause();
                return;
            }
            atHold.takeFirst()();
        };
    }
};
