#include "edit/window/pad_jogger.h"

#include "core/pad/game_pads.h"
#include "edit/window/editor_profile.h"
#include "edit/window/tip_jogger.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {

std::vector<pad::Drive> gripDrives()
{
    std::vector<pad::Drive> grip;
    std::ranges::copy_if(pad::windowDrives(), std::back_inserter(grip),
                         [](const pad::Drive &d) { return d.channel == axes::Grip; });
    return grip;
}

} // namespace

PadJogger::PadJogger(GamePads &pads, TipJogger &tips, const EditorProfile &profile, QStatusBar *bar)
    : QObject(bar), m_pads(pads), m_tips(tips), m_profile(profile), m_gripDrives(gripDrives()),
      m_joints(pad::windowDrives(), pad::framesPerSecond()),
      m_grip(m_gripDrives, pad::framesPerSecond()), m_status(new QLabel(bar))
{
    setObjectName(QStringLiteral("padJogger"));
    m_status->setObjectName(QStringLiteral("padStatus"));
    m_status->setAccessibleName(QStringLiteral("Game controller"));
    bar->addPermanentWidget(m_status);
    showStatus();
    connect(&pads, &GamePads::padChanged, this, &PadJogger::showStatus);
    connect(&pads, &GamePads::moved, this, &PadJogger::moved);
    connect(&pads, &GamePads::pressed, this, &PadJogger::pressed);
}

void PadJogger::moved(const pad::State &state, pad::Clock::time_point at)
{
    // A dialog a press opened (a timed move's duration) has the operator's attention; the pose
    // it was opened on stays as it is behind it.
    if (QApplication::activeModalWidget())
        return;
    if (m_mode == Mode::Joints)
        jogJoints(state, at);
    else
        jogToolPoint(state, at);
}

void PadJogger::pressed(pad::Button button)
{
    if (QApplication::activeModalWidget())
        return;
    switch (button) {
    case pad::switchJog:
        switchMode();
        break;
    case pad::insertPose:
        // As a click does: only while there is a jogged pose to insert.
        if (m_tips.insertAction()->isEnabled())
            m_tips.insertAction()->trigger();
        break;
    case pad::showClock:
        m_tips.showClock();
        break;
    default:
        break;
    }
}

void PadJogger::switchMode()
{
    m_mode = m_mode == Mode::Joints ? Mode::ToolPoint : Mode::Joints;
    // A push held across the switch starts afresh in the other way of jogging.
    m_joints = pad::Jogger(pad::windowDrives(), pad::framesPerSecond());
    m_grip = pad::Jogger(m_gripDrives, pad::framesPerSecond());
    m_lastTip.reset();
    showStatus();
}

void PadJogger::jogJoints(const pad::State &state, pad::Clock::time_point at)
{
    const std::vector<pad::Jogger::Move> moves = m_joints.advance(state, at);
    if (moves.empty())
        return;
    const timing::Pose from = m_tips.take();
    timing::Pose pose = from;
    for (const pad::Jogger::Move &m : moves)
        pose[std::size_t(m.channel)] = within(m.channel, pose[std::size_t(m.channel)], m.by);
    if (pose != from) // held against a limit: nothing to show
        m_tips.show(pose);
}

void PadJogger::jogToolPoint(const pad::State &state, pad::Clock::time_point at)
{
    const std::vector<pad::Jogger::Move> grip = m_grip.advance(state, at);
    const std::vector<jog::Step> steps = tipSteps(state, at);
    if (grip.empty() && steps.empty())
        return;
    std::optional<int> gripTo;
    if (!grip.empty())
        gripTo = within(axes::Grip, m_tips.take()[axes::Grip], grip.front().by);
    m_tips.jog(steps, gripTo);
}

std::vector<jog::Step> PadJogger::tipSteps(const pad::State &state, pad::Clock::time_point at)
{
    const std::optional<pad::Clock::time_point> last = std::exchange(m_lastTip, at);
    if (pad::resting(state))
        m_lastTip.reset();
    if (!last || !m_lastTip)
        return {};
    // A late reading (a busy window) moves the target no further than the joints may move in
    // one, so the pose never jumps.
    const double seconds = std::min(std::chrono::duration<double>(at - *last).count(),
                                    pad::AxisJog::maxBurst / pad::framesPerSecond());
    std::vector<jog::Step> steps;
    for (const pad::TipDrive &d : pad::editorTipDrives()) {
        const double push = pad::share(d.stick, state.stick(d.stick));
        if (push != 0 && seconds > 0)
            steps.push_back({d.axis, push * d.perSecond * seconds});
    }
    return steps;
}

int PadJogger::within(int channel, int position, int by) const
{
    // A joint outside its limits (a motion that breaks them) is brought to the nearest.
    const arm::Joint &joint = m_profile.profile().joints[std::size_t(channel)];
    return std::clamp(position + by, joint.min, joint.max);
}

void PadJogger::showStatus()
{
    const QString status = m_pads.status();
    const QString mode = m_mode == Mode::Joints ? QStringLiteral(", jogging joints")
                                                : QStringLiteral(", jogging the tool point");
    m_status->setText(status.isEmpty() ? QString() : status + mode);
    m_status->setVisible(!status.isEmpty());
}
