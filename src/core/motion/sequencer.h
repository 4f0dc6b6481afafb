#pragma once
// The three long operations: the homing walk, the replay passes of RUN and the reverse walk of
// BACK. They share one loop, and the order inside it is where they are right:
//
//     for each step:
//         wait for the line            // events run here: the yield after the previous step
//         device lost?                 -> end, before this step
//         STOP since the operation began?  -> end, before this step (homing ignores STOP;
//                                          an interrupt, a signal to the program, ends it)
//         paused, and a step of this operation already sent?  -> hold, then look again
//                                          (homing ignores PAUSE)
//         send the step; show it       // showing moves the slider, whose box writes it again
//         yield once; hold while paused
//
// So whatever the operator did while the line drained takes effect before the next byte. A run
// that starts already paused (PAUSE pressed after the last run ended) plays its first step and
// then holds.
//
// The sequencer knows no widget and no session. It reads and changes the operator's state through
// a narrow host (the axis positions, the homes, the loop count), keeps the pause of its
// operations, and waits through its waits, where the views' handlers run. Everything runs on one
// thread; what the operator does during a wait reaches the sequencer only as that state, through
// stop() and setPaused(), and through the port's lost() signal.

#include "core/motion/sequencer_host.h"
#include "core/motion/step_buffer.h"

#include <QObject>
#include <functional>

class Port;

class Sequencer : public QObject {
    Q_OBJECT
public:
    // How an operation ended.
    enum class End {
        Done,    // it ran to its end
        Stopped, // STOP ended it, or an interrupt
        Lost,    // the device went away; the port is closed
    };

    // How a long operation lets events run. Both default to the one wait primitive
    // (events::runPending, events::sleepUntilEvent).
    struct Waits {
        std::function<void()> yield; // lets pending events run once and returns
        std::function<void()> hold;  // sleeps until an event arrives and runs it; never spins
    };

    // Whether a homing walk may start inside another.
    enum class Nested {
        No,  // HOME pressed while homing: the pass under way would fight this one's count
        Yes, // the quit's walk, after which the program ends: the interrupted pass never goes on
    };

    Sequencer(Port &port, SequencerHost &host, QObject *parent = nullptr);

    void setWaits(Waits waits);

    // Start-up's first move: every axis to the centre, in the order the arm takes it safely,
    // each through the host's moveAxis (an axis already there sends nothing). No line wait:
    // these few frames go out at once, as any move of a slider does.
    void centre();

    // homeservos: walks every axis to its home, one position a step, grip first and base last,
    // with DELAY after each step. Nothing moves while port_status is not 0. A pass asked for
    // while another one is under way does nothing, unless `nested` says otherwise. Ends Done,
    // Lost, or Stopped by an interrupt.
    End home(Nested nested = Nested::No);

    // RUN: homes the arm, then plays `steps` from index 2 as many times as the loop count says,
    // counting it down between passes, and puts the count it started with back at the end. STOP
    // during the homing ends the run once the arm is home.
    End run(const StepBuffer &steps);

    // One pass of RUN's steps from where the arm stands: no homing walk before it and no loop
    // count. A script's move is planned from the arm's pose, and a walk home first would undo
    // the very start it was planned from. Ends as RUN does.
    End playHere(const StepBuffer &steps);

    // BACK: walks the steps there are now from the last down to index 2. While recording, the
    // host records each step that moves an axis; those steps are not walked.
    End back(const StepBuffer &steps);

    // STOP: a running replay or reverse walk ends after the step in progress (homing goes on).
    // `stepCount` becomes replay_index, as the operation's bound.
    void stop(int stepCount);

    // The program is asked to end (a signal): whatever runs, the homing walk included, ends
    // after the step in progress, and so does every operation begun before the program ends.
    // Unlike STOP it leaves replay_index alone: nothing is to be resumed.
    void interrupt();
    bool interrupted() const { return m_interrupts > 0; }

    // PAUSE / CONT. A replay or reverse walk holds between two steps while paused.
    bool paused() const { return m_paused; }
    void setPaused(bool paused) { m_paused = paused; }

    // replay_index: the step a replay or reverse walk is at, shared by both.
    int replayIndex() const { return replay_index; }
    bool homing() const { return m_homing > 0; }
    // RUN or BACK is walking the buffer.
    bool replaying() const { return m_replaying > 0; }

Q_SIGNALS:
    // A pass of RUN has ended and the count is down by one: another pass begins.
    void passEnded();

private:
    // What an operation compares with as it goes: the STOPs and device losses before it began.
    struct Since {
        int stops;
        int losses;
    };
    Since now() const { return {m_stops, m_losses}; }
    bool lostSince(Since s) const { return m_losses != s.losses; }
    // An interrupt counts for every operation, also for one begun after it.
    bool stoppedSince(Since s) const { return m_stops != s.stops || interrupted(); }

    End walkHome(Since since);
    End playPasses(const StepBuffer &steps, Since since);
    End playPass(const StepBuffer &steps, Since since, bool &sentOne);
    End replayStep(const StepBuffer &steps, Since since, bool &sentOne);
    End endOf(Since since) const;
    void holdWhilePaused(Since since);
    void DELAY();

    Port &m_port;
    SequencerHost &m_host;
    Waits m_waits;
    bool m_paused = false;
    int replay_index = 0;
    int m_stops = 0;
    int m_losses = 0;
    int m_interrupts = 0;
    int m_homing = 0;    // homing passes under way
    int m_replaying = 0; // RUN and BACK under way
};
