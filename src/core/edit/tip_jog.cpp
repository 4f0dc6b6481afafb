#include "core/edit/tip_jog.h"

#include <cmath>

namespace jog {

void TipJog::reset(const arm::Profile &profile, const arm::Pose &pose)
{
    m_pose = pose;
    m_reached = arm::forward(profile, pose);
    m_target = {m_reached.tool, m_reached.pitch};
    m_distance = 0;
    m_refusal.clear();
}

bool TipJog::move(const arm::Profile &profile, const Step &step)
{
    arm::Target target = m_target;
    switch (step.axis) {
    case Axis::X:
        target.point.x += step.amount;
        break;
    case Axis::Y:
        target.point.y += step.amount;
        break;
    case Axis::Z:
        target.point.z += step.amount;
        break;
    case Axis::Pitch:
        target.pitch = arm::normalDegrees(target.pitch + step.amount);
        break;
    }
    arm::Solved solved = arm::solve(profile, target, m_pose);
    if (!solved.solution) {
        m_refusal = std::move(solved.error);
        return false;
    }
    m_target = target;
    m_pose = solved.solution->pose;
    m_reached = solved.solution->reached;
    m_distance = solved.solution->distance;
    m_refusal.clear();
    return true;
}

QString TipJog::text() const
{
    if (!m_refusal.isEmpty())
        return m_refusal;
    // Rounding's leftovers would show as "-0.0".
    const auto mm = [](double v) { return QString::number(std::abs(v) < 0.05 ? 0.0 : v, 'f', 1); };
    return QStringLiteral("x %1  y %2  z %3  pitch %4\u00B0  %5 mm from the target")
        .arg(mm(m_reached.tool.x), mm(m_reached.tool.y), mm(m_reached.tool.z), mm(m_reached.pitch),
             mm(m_distance));
}

} // namespace jog
