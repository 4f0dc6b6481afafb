#pragma once
// What the operator sees of the arm, and the rules that change it, with no widget. The session
// composes the subjects that hold it, each in its own class: the axes and the recording
// (ArmAxes), the port and the motion controls it allows (PortLink), the files and the
// configuration (StoredFiles), the loop count (LoopCount) and the long operations (Sequencer).
// Its own operations are the operator's (REC, STOP, RUN, PAUSE/CONT, BACK, HOME, choose a port);
// a view calls them, or the subject's own, and follows the signals.
//
// Every change is announced at once, by a direct signal, from inside the operation that makes
// it: a view's slot runs before the operation goes on, and so before the sequencer's next step.
// That is what keeps every control showing the state whenever events run. replay_index alone
// is read rather than announced: it moves with every step, and the steps are announced.

#include "core/link/port_link.h"
#include "core/motion/arm_axes.h"
#include "core/motion/loop_count.h"
#include "core/motion/sequencer.h"
#include "core/store/stored_files.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class Port;

class ArmSession : public QObject, public SequencerHost {
    Q_OBJECT
public:
    using Waits = Sequencer::Waits;
    using PortOutcome = PortLink::Outcome;

    explicit ArmSession(Port &port, QObject *parent = nullptr);

    // How the long operations let events run.
    void setWaits(Waits waits) { m_sequencer.setWaits(std::move(waits)); }

    // The state.
    const std::array<int, axes::count> &positions() const override { return m_axes.positions(); }
    bool isRecording() const { return m_axes.isRecording(); }
    const StepBuffer &stepBuffer() const { return m_axes.stepBuffer(); }
    const config::Settings &configuration() const override { return m_files.configuration(); }
    int portStatus() const override { return m_link.status(); }
    bool paused() const { return m_sequencer.paused(); }
    const LoopCount &loopCount() const override { return m_loops; }
    int replayIndex() const { return m_sequencer.replayIndex(); }
    bool replaying() const { return m_sequencer.replaying(); }
    const QString &movementFile() const { return m_files.movementFile(); }

    // The subjects, for what is theirs alone: a move of one axis, a file, the port's outcomes,
    // the walks' progress.
    ArmAxes &axes() { return m_axes; }
    const PortLink &link() const { return m_link; }
    StoredFiles &files() { return m_files; }
    const Sequencer &sequencer() const { return m_sequencer; }

    // The operator's operations.

    // REC: an empty recording begins; the first move lands at index 2.
    void rec();
    // STOP: a running replay or reverse walk ends after its step in progress, the pause is
    // released, the loop count goes back to "1" and recording ends. The buffer stays.
    void stop();
    // RUN: homes the arm, then plays the steps as many times as the loop count says.
    Sequencer::End run();
    // One pass of `steps` from where the arm stands, with no walk home first (a script's move).
    Sequencer::End playHere(const StepBuffer &steps);
    // PAUSE / CONT.
    void togglePause();
    // BACK: walks the recorded steps backwards, then presses STOP; a device lost on the way
    // ends the recording without it.
    Sequencer::End back();
    // HOME; nested, the quit's walk, which runs even inside another homing pass.
    Sequencer::End home(Sequencer::Nested nested = Sequencer::Nested::No);
    // Start-up's first move: every axis to the centre.
    void centre() { m_sequencer.centre(); }
    // The program is asked to end: whatever runs ends after its step in progress.
    void interrupt() { m_sequencer.interrupt(); }
    // init_port: port `number` ("Comm n") becomes port_number, and is opened (by `open` when
    // given) and probed.
    [[nodiscard]] PortOutcome choosePort(int number, const std::function<int()> &open = {});

    // A text put in the loop-count box, by the operator or the program, under the box's rule.
    // Every write is announced, also one that leaves the box as it was.
    void setLoopCountText(const QString &text);
    // A count put in the box: the slider's, or the program's (taken as it stands).
    void setLoopCount(int count) override;

    // A movement file read whole, and the name the next Save writes.
    void openMovement(const QString &name, const std::vector<Step> &records);
    void setMovementFile(const QString &name) { m_files.setMovementFile(name); }
    // The quit's last walk: the homes in memory (not the file's) go to the centre, and the arm
    // walks there, also when the quit interrupts a homing pass.
    Sequencer::End quit();

Q_SIGNALS:
    void pausedChanged(bool paused);
    // The box's text and the slider's count, after every write into the box.
    void loopCountChanged(const QString &text, int slider);
    // STOP begins. Announced before STOP changes any state, so that a view shows STOP's layout
    // (the buttons, the caption, the menu, BACK) first and the loop count's "1" last, in the
    // order STOP has always had.
    void stopping();
    // RUN or BACK began (true) or ended (false): a view that paints the steps as they go may
    // pace its painting meanwhile.
    void playingChanged(bool playing);

private:
    void moveAxis(int channel, int position) override { m_axes.moveAxis(channel, position); }

    PortLink m_link;
    ArmAxes m_axes;
    StoredFiles m_files;
    LoopCount m_loops;
    Sequencer m_sequencer;
};
