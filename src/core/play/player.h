#pragma once
// The arm without a window: kestrel-play's view of the session. It shows nothing but a progress
// line; what it adds to the session is the command line's loop count and its pace. The exports
// run it too, on a line that keeps the bytes, so that they write what kestrel-play sends.

#include "core/session/arm_session.h"

#include <QObject>
#include <functional>

class Port;

namespace play {

class Player : public QObject {
    Q_OBJECT
public:
    // loops: the passes to play; 0 plays until interrupted.
    Player(Port &port, const config::Settings &settings, int loops);

    ArmSession &session() { return m_session; }
    const ArmSession &session() const { return m_session; }

    // What the window does from its start to the end of RUN: every axis centred from where the
    // sliders stand when the window is made and the homing walk (startUp), then the passes of
    // RUN (run) over the steps the session holds.
    Sequencer::End startUp();
    Sequencer::End run();
    // The passes the next run plays; 0 until interrupted.
    void setLoops(int loops) { m_loops = loops; }
    // One pass of `steps` from where the arm stands, with no walk home: a move planned from the
    // arm's pose, paced as RUN's steps are, so that the pass timing it was planned with holds.
    Sequencer::End playHere(const StepBuffer &steps);

    // A signal: the operation under way ends after its step in progress, the homing walk too.
    void interrupt() { m_session.interrupt(); }

    // Called at each step and each pass of homing, for a progress line.
    void onStep(std::function<void()> f) { m_onStep = std::move(f); }

    // Where the play is, for the progress line.
    bool homing() const { return m_session.sequencer().homing(); }
    int pass() const { return m_passesEnded + 1; }
    int replayIndex() const { return m_session.replayIndex(); }
    const std::array<int, axes::count> &positions() const { return m_session.positions(); }

private:
    void onPassEnded();

    ArmSession m_session;
    int m_loops;
    int m_passesEnded = 0; // in this run, before the one under way
    std::function<void()> m_onStep;
};

} // namespace play
