#pragma once
// What the operator sees of the arm, and the rules that change it, with no widget: the five
// axis positions, recording and the step buffer, the configuration, the port and whether the
// motion controls may be used, the pause state, the loop count, replay_index and the movement
// file. Its operations are the operator's (move an axis, REC, STOP, RUN, PAUSE/CONT, BACK,
// HOME, choose a port); a view calls them and follows the signals.
//
// Every change is announced at once, by a direct signal, from inside the operation that makes
// it: a view's slot runs before the operation goes on, and so before the sequencer's next step.
// That is what keeps every control showing the state whenever events run. replay_index alone
// is read rather than announced: it moves with every step, and the steps are announced.
//
// The session drives the sequencer, which reads and changes this state as it goes. The
// sequencer's waits come back here (yield once, hold until an event) and go through a seam, so
// that a test can act as the operator at each of them.

#include "core/motion/axes.h"
#include "core/motion/sequencer.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class Port;

class ArmSession : public QObject {
    Q_OBJECT
public:
    // How the session waits while a long operation lets events run. Both default to the one
    // wait primitive (events::runPending, events::sleepUntilEvent).
    struct Waits {
        std::function<void()> yield; // lets pending events run once and returns
        std::function<void()> hold;  // sleeps until an event arrives and runs it; never spins
    };

    // The outcome of choosing a port, as port_status and the signals also tell it.
    enum class PortOutcome {
        Usable, // opened, and the probe found no echo: port_status 0
        Failed, // the open failed: port_status is its error number, the port is closed
        Echoed, // the probe came back: port_status 13, the port stays open
        Lost,   // the device went away during the probe: port_status 8002, the port is closed
    };

    explicit ArmSession(Port &port, QObject *parent = nullptr);

    void setWaits(Waits waits);

    // The state.
    int position(int channel) const { return m_at[channel]; }
    const std::array<int, axes::count> &positions() const { return m_at; }
    bool isRecording() const { return recording; }
    const StepBuffer &stepBuffer() const { return step_buffer; }
    const config::Settings &configuration() const { return m_config; } // port_number is .port
    int portStatus() const { return port_status; }
    bool motionControlsEnabled() const { return m_motionEnabled; }
    bool paused() const { return m_paused; }
    QString loopCountText() const { return m_loopCount; }
    // The count the loop-count slider stands at, 1..100.
    int loopCount() const { return m_loopSlider; }
    int replayIndex() const { return m_sequencer.replayIndex(); }
    bool homing() const { return m_sequencer.homing(); }
    bool replaying() const { return m_sequencer.replaying(); }
    const QString &movementFile() const { return movement_file; }

    // The operator's operations.

    // Moves an axis the one way every move goes: the position is taken (a position no slider
    // can take, outside 0..255, is refused), recorded while recording, and sent while
    // port_status is 0 (send::axis). Placing an axis where it already stands does nothing,
    // unless `repeat` asks for what a value box does when it is written with the text it holds
    // already: record and send again.
    enum class Repeat { No, Yes };
    void moveAxis(int channel, int position, Repeat repeat = Repeat::No);
    // A value box's text changed without the axis moving (the operator typing): while
    // recording, the text is a step when it is a whole number an axis can take; and the frame
    // carries where the axis stands, not the text, so typing alone never moves the servo.
    void typeValue(int channel, const QString &text);
    // Enter in a value box: a whole number an axis can take moves the axis there (and nothing
    // happens when it stands there already, so the box keeps the typed text). Anything else is
    // refused with false; the view then writes the axis's position back into the box, which
    // sends its frame again as any text written there does.
    [[nodiscard]] bool enterValue(int channel, const QString &text);
    // REC: an empty recording begins; the first move lands at index 2.
    void rec();
    // STOP: a running replay or reverse walk ends after its step in progress, the pause is
    // released, the loop count goes back to "1" and recording ends. The buffer stays.
    void stop();
    // RUN: homes the arm, then plays the steps as many times as the loop count says.
    Sequencer::End run();
    // PAUSE / CONT.
    void togglePause();
    // BACK: walks the recorded steps backwards, then presses STOP; a device lost on the way
    // ends the recording without it.
    Sequencer::End back();
    // HOME, and the quit's walk, which runs even inside another homing pass.
    Sequencer::End home();
    Sequencer::End homeEvenIfHoming();
    // Start-up's first move: every axis to the centre.
    void centre();
    // The program is asked to end: whatever runs ends after its step in progress.
    void interrupt() { m_sequencer.interrupt(); }

    // init_port: opens port `number` ("Comm n") with a fresh port_status, and probes it.
    [[nodiscard]] PortOutcome choosePort(int number);
    // The same, with the open made by `open` (a device named by its path): 0 or the error
    // number. `number` is still stored as port_number.
    [[nodiscard]] PortOutcome choosePort(int number, const std::function<int()> &open);

    // The loop-count box's text: the passes that remain, counting the current one. The box
    // keeps the operator's text a valid count; a count written here is taken as it stands.
    // Every write is announced, also one that leaves the text as it was: a pass's count written
    // back is news to a view that counts the passes.
    void setLoopCountText(const QString &text);
    // The loop-count box's own rule, for a text the operator (or a write into the box) put
    // there: a count of 1..100 is accepted and moves the slider, where the slider's own count
    // is written back as the box's text; 0 becomes "1"; anything else gives back the last
    // accepted text. A text the slider already stands at stays as it was typed.
    void enterLoopCount(const QString &text);
    // The loop-count slider moved to `count`: the box says so, under the box's rule.
    void slideLoopCount(int count);
    void setConfiguration(const config::Settings &settings);
    // A movement file was read whole: its records fill the buffer from index 1, and it becomes
    // the current movement file.
    void openMovement(const QString &name, const std::vector<Step> &records);
    void setMovementFile(const QString &name);

    // The files, as the File and Options menus keep them. Each returns the message that names
    // the file and says what went wrong, or an empty text when all went well.
    //
    // Open: the whole file is read and checked before anything changes, so a bad file leaves
    // the buffer, its count and the current file name as they were. A path that names no file
    // changes nothing and says nothing.
    [[nodiscard]] QString openMovementFile(const QString &path);
    // Fewer steps than this are not worth a file: Save and Save As do nothing.
    static constexpr int leastStepCountToSave = 11;
    bool worthSaving() const { return step_buffer.stepCount() >= leastStepCountToSave; }
    // Save: the recorded steps into the current movement file, whole or not at all.
    [[nodiscard]] QString saveMovement();
    // Save Configuration: the axes' positions become the homes, written to `path` with the
    // speed and the port; a failed write leaves the file and the homes in memory as they were.
    [[nodiscard]] QString saveConfiguration(const QString &path);
    // The quit's last walk: the homes in memory (not the file's) go to the centre, and the arm
    // walks there, also when the quit interrupts a homing pass.
    Sequencer::End quit();

Q_SIGNALS:
    void axisMoved(int channel, int position);
    void recordingChanged(bool recording);
    // The capacity guard ended the recording: the view says "Buffer Full!!!", and HOME stays
    // disabled until STOP.
    void bufferFull();
    void pausedChanged(bool paused);
    void loopCountChanged(const QString &text);
    // The loop-count slider's count changed.
    void loopCountMoved(int count);
    // STOP begins. Announced before STOP changes any state, so that a view shows STOP's layout
    // (the buttons, the caption, the menu, BACK) first and the loop count's "1" last, in the
    // order STOP has always had.
    void stopping();
    // RUN or BACK began (true) or ended (false): a view that paints the steps as they go may
    // pace its painting meanwhile.
    void playingChanged(bool playing);
    // init_port began: `number` is port_number now.
    void portChosen(int number);
    // The open succeeded (the view moves the check mark); the probe follows.
    void portOpened(int number);
    // The open failed: the view tells it with comdevice::failureText of these.
    void portFailed(int error, int number, const QString &device, const QString &note);
    // The probe was echoed: the view tells it with comdevice::echoText.
    void portEchoed(int number);
    // The device went away while open; the port is closed.
    void portLost(int number, const QString &device);
    void portStatusChanged(int status);
    // enable_all or disable_all ran. Announced every time, also when the state stays, because
    // the group is set again as a whole: enable_all enables STOP and PAUSE too, whatever the
    // layout had made of them.
    void motionControlsSet(bool enabled);
    void configurationChanged();
    void movementFileChanged(const QString &name);
    void stepsChanged();

private:
    // The sequencer's waits: it lets the views run through these alone.
    friend class Sequencer;
    void yield();
    void hold();

    void record(int channel, int position);
    void check_counter();
    void check_if_modem();
    void onPortLost();
    void setRecording(bool on);
    void setPaused(bool on);
    void setPortStatus(int status);
    void setMotionControls(bool enabled);
    void writeLoopBox(const QString &text);
    PortOutcome outcome() const;

    Port &m_port;
    Waits m_waits;
    std::array<int, axes::count> m_at{};
    bool recording = false;
    StepBuffer step_buffer;
    config::Settings m_config;
    int port_status = 0;
    bool m_motionEnabled = false;
    bool m_paused = false;
    QString m_loopCount = QStringLiteral("1");
    int m_loopSlider = 1;
    QString m_lastLoopCount = QStringLiteral("1"); // given back for a bad count
    QString movement_file = QStringLiteral("robotmov.kmv");
    bool m_lostInProbe = false;
    Sequencer m_sequencer;
};
