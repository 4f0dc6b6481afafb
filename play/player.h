#pragma once
// The arm without a window: the sequencer's host for kestrel-play. Where the main window keeps
// an axis's position in its slider and writes it through the slider's box, the player keeps it
// here and writes it the same way (send::axis), so the bytes on the line are the window's.

#include "core/motion/sequencer.h"
#include "core/store/config_file.h"

#include <QObject>
#include <array>
#include <functional>

class Port;
class StepBuffer;

namespace play {

class Player : public QObject, private Sequencer::Host {
    Q_OBJECT
public:
    // loops: the passes to play; 0 plays until interrupted.
    Player(Port &port, const config::Settings &settings, int loops);

    // What the window does from its start to the end of RUN: every axis centred from where the
    // sliders stand when the window is made and the homing walk (startUp), then the passes of
    // RUN (run).
    Sequencer::End startUp();
    Sequencer::End run(const StepBuffer &steps);

    // A signal: the operation under way ends after its step in progress, the homing walk too.
    void interrupt() { m_sequencer.interrupt(); }

    // Called at each step and each pass of homing, for a progress line.
    void onStep(std::function<void()> f) { m_onStep = std::move(f); }

    // Where the play is, for the progress line.
    bool homing() const { return m_sequencer.homing(); }
    int pass() const { return m_passBoundaries + 1; }
    int replayIndex() const { return m_sequencer.replayIndex(); }
    const std::array<int, 5> &positions() const { return m_at; }

private:
    bool paused() const override { return false; }
    QString loopCountText() const override;
    void setLoopCountText(const QString &text) override;
    int axisPosition(int channel) const override { return m_at[channel]; }
    void placeAxis(int channel, int position) override;
    int portStatus() const override { return m_status; }
    double homePosition(int channel) const override { return m_settings.home[channel]; }
    // The window's homing speed counts passes through its event loop, of which there are none
    // here: the walk goes at the line's pace.
    double homeSpeed() const override { return 0; }
    void yield() override;

    Port &m_port;
    config::Settings m_settings;
    int m_loops;
    Sequencer m_sequencer;
    std::array<int, 5> m_at{};
    int m_status = 0;
    // The sequencer writes the loop count back once between two passes (and once at the end):
    // the count of those writes is the number of passes done.
    int m_passBoundaries = 0;
    std::function<void()> m_onStep;
};

} // namespace play
