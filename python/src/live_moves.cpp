// The arm's calls that move it through steps: a move and a tool-point move, planned from where
// the arm stands and played from there, and a motion played as kestrel-play plays it. Each is
// checked against the profile before a byte is sent.
#include "bindings.h"
#include "core/arm/limit_check.h"
#include "core/edit/timed_move.h"
#include "core/play/player.h"
#include "core/play/progress.h"
#include "errors.h"
#include "live_arm.h"
#include "script_motion.h"

namespace kpy {

namespace {

// kestrel-play's own bound on the passes.
constexpr int mostLoops = 1000000;

} // namespace

void LiveArm::refuse(const arm::Breach &breach, const QString &what) const
{
    raise(ErrorKind::Limit, what.arg(m_place.profileFile, breach.text()),
          py::dict(py::arg("breach") = breachObject(breach)));
}

void LiveArm::move(const timing::Pose &to, std::optional<double> seconds, moves::Ease ease)
{
    requireOpen();
    const moves::Planned planned =
        moves::plan(m_place.profile.profile, {pose(), to, ease, seconds});
    if (!planned.path)
        raise(ErrorKind::Move, planned.error);
    playFromHere(moves::steps(*planned.path));
}

void LiveArm::moveTip(const tips::Request &request)
{
    requireOpen();
    const tips::Planned planned = tips::plan(m_place.profile.profile, pose(), request);
    if (!planned.error.isEmpty())
        raise(ErrorKind::Move, planned.error);
    playFromHere(planned.steps());
}

void LiveArm::playFromHere(const std::vector<Step> &steps)
{
    if (steps.size() > std::size_t(StepBuffer::capacity))
        raise(ErrorKind::Move, QStringLiteral("The move takes %1 steps, more than the %2 a pass "
                                              "can play; make it in parts.")
                                   .arg(steps.size())
                                   .arg(StepBuffer::capacity));
    if (const std::optional<arm::Breach> breach =
            arm::checkFrom(m_place.profile.profile, pose(), steps))
        refuse(*breach,
               QStringLiteral("The move breaks the arm profile '%1'; nothing was sent.\r%2"));
    if (steps.empty())
        return;
    // The buffer is the size of the window's, too big for the stack.
    auto buffer = std::make_unique<StepBuffer>();
    buffer->setStepCount(1);
    for (const Step &step : steps)
        (void)buffer->append(step);
    const play::Progress progress(*buffer, pose(), 1);
    send(QStringLiteral("Moving the arm"), &progress, [&] { return m_player->playHere(*buffer); });
}

void LiveArm::play(const ScriptMotion &motion, int loops)
{
    requireOpen();
    if (loops < 0 || loops > mostLoops)
        raise(ErrorKind::Error, QStringLiteral("loops takes a whole number from 0 to %1, not %2.")
                                    .arg(mostLoops)
                                    .arg(loops));
    const std::vector<Step> &records = motion.records();
    const arm::MotionCheck checked =
        arm::checkMotion(m_place.profile.profile, records, m_settings, loops);
    if (!checked.error.isEmpty())
        raise(ErrorKind::Error, checked.error);
    if (checked.breach)
        // kestrel-play's refusal, without the option a script cannot give.
        refuse(*checked.breach,
               QStringLiteral("The motion breaks the arm profile '%1'; nothing was sent.\r%2"));
    m_player->session().openMovement(motion.path().value_or(QString()), records);
    m_player->setLoops(loops);
    // The passes start where the walk home leaves the arm.
    const play::Progress progress(m_player->session().stepBuffer(),
                                  timing::passStartPose(m_settings), loops);
    send(QStringLiteral("Homing the arm"), &progress, [this] { return m_player->run(); });
}

} // namespace kpy
