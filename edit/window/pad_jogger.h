#pragma once
// A game controller in the editor: it jogs the preview's pose, as the keys do, without a hand on
// the keyboard. Two ways, switched by the pad's Y:
//   joints      each stick moves one joint as it moves the main window's slider, at up to one
//               position a frame, each joint kept within the arm profile's limits;
//   tool point  the sticks move the jog's target (TipJogger's, so a key's jog and the pad's go
//               on from each other) at a speed that grows with the push.
// The triggers work the grip either way. A inserts a timed move to the shown pose before the
// selection, as Insert Pose Here does; B shows the clock's pose again, as Escape does. While a
// pad is connected the status bar says which, and how it jogs; without one nothing here shows.

#include "core/pad/stick_jog.h"

#include <QObject>
#include <optional>
#include <vector>

class EditorProfile;
class GamePads;
class QLabel;
class QStatusBar;
class TipJogger;

class PadJogger : public QObject {
    Q_OBJECT
public:
    enum class Mode { Joints, ToolPoint };

    PadJogger(GamePads &pads, TipJogger &tips, const EditorProfile &profile, QStatusBar *bar);

    Mode mode() const { return m_mode; }

private:
    void moved(const pad::State &state, pad::Clock::time_point at);
    void pressed(pad::Button button);
    void switchMode();
    void jogJoints(const pad::State &state, pad::Clock::time_point at);
    void jogToolPoint(const pad::State &state, pad::Clock::time_point at);
    // The target's moves for the time since the last reading; none at the first of a push.
    std::vector<jog::Step> tipSteps(const pad::State &state, pad::Clock::time_point at);
    // `position` moved `by`, within the profile's limits of the channel's joint.
    int within(int channel, int position, int by) const;
    void showStatus();

    GamePads &m_pads;
    TipJogger &m_tips;
    const EditorProfile &m_profile;
    Mode m_mode = Mode::Joints;
    std::vector<pad::Drive> m_gripDrives; // the triggers, which work the grip in both ways
    pad::Jogger m_joints;
    pad::Jogger m_grip;
    std::optional<pad::Clock::time_point> m_lastTip;
    QLabel *m_status;
};
