#include "core/edit/tip_move.h"

#include "core/arm/named_poses.h"
#include "core/edit/timed_edits.h"

#include <cmath>

namespace tips {

namespace {

Planned jointMove(const arm::Profile &profile, const timing::Pose &from, const Request &r)
{
    const arm::Solved solved = arm::solve(profile, r.target, from);
    if (!solved.solution)
        return {{}, 0, std::nullopt, std::nullopt, solved.error};
    const arm::Solution &s = *solved.solution;
    if (s.pose == from)
        return {{},
                0,
                std::nullopt,
                std::nullopt,
                QStringLiteral("The arm already stands in the pose nearest that point and pitch "
                               "that the positions allow.")};
    moves::Planned planned = moves::plan(profile, {from, s.pose, r.ease, r.seconds});
    if (!planned.path)
        return {{}, 0, std::nullopt, std::nullopt, planned.error};
    return {s.pose, s.distance, planned.path, std::nullopt, {}};
}

} // namespace

double Planned::seconds() const
{
    return path ? path->seconds : line ? line->seconds : 0;
}

std::vector<Step> Planned::steps() const
{
    return path ? moves::steps(*path) : line ? line->steps : std::vector<Step>{};
}

Planned plan(const arm::Profile &profile, const timing::Pose &from, const Request &r)
{
    if (r.kind == Kind::Joint)
        return jointMove(profile, from, r);
    lines::Planned planned = lines::plan(profile, {from, r.target, r.speed, r.ease});
    if (!planned.line)
        return {{}, 0, std::nullopt, std::nullopt, planned.error};
    const arm::Point reached = arm::forward(profile, planned.line->end).tool;
    const arm::Point &t = r.target.point;
    return {planned.line->end,
            std::hypot(reached.x - t.x, reached.y - t.y, reached.z - t.z),
            std::nullopt,
            planned.line,
            {}};
}

QString summary(const arm::Profile &profile, const Planned &p)
{
    if (!p.error.isEmpty())
        return p.error;
    const arm::Reach r = arm::forward(profile, p.end);
    const QString ends = QStringLiteral("Ends in %1: the tool point at %2, %3, %4 and pitch "
                                        "%5\u00b0, %6 mm from the target.")
                             .arg(arm::positionsText(p.end))
                             .arg(r.tool.x, 0, 'f', 2)
                             .arg(r.tool.y, 0, 'f', 2)
                             .arg(r.tool.z, 0, 'f', 2)
                             .arg(r.pitch, 0, 'f', 1)
                             .arg(p.distance, 0, 'f', 2);
    const QString kind =
        p.line ? QStringLiteral("A straight line of %1 mm").arg(p.line->length, 0, 'f', 1)
               : QStringLiteral("A joint move");
    return ends + QStringLiteral("\n%1: %2 s, %3 steps.")
                      .arg(kind, QString::number(p.seconds(), 'f', 2))
                      .arg(p.steps().size());
}

edits::Edited beforeSelection(const MotionDocument &d, const Planned &p)
{
    if (p.path)
        return edits::timedMoveBeforeSelection(d, *p.path);
    return edits::stepsBeforeSelection(d, p.line ? p.line->steps : std::vector<Step>{});
}

} // namespace tips
