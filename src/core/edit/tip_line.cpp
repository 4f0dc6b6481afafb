#include "core/edit/tip_line.h"

#include "core/edit/line_caps.h"
#include "core/edit/line_chain.h"
#include "core/edit/line_steps.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace lines {

namespace {

// How densely the line is solved: whole poses every quarter millimetre and quarter degree, so
// that the poses one after another differ by a position or so on each joint.
constexpr double sampleMm = 0.25;
constexpr double sampleDegrees = 0.25;
constexpr int mostSamples = 40000;
// How much later than its time a line's steps may end: where the line asks for a position more
// often than the line to the arm can send one, the steps fall behind and catch up as it slows.
constexpr double lateSeconds = 1.0 / 30;
constexpr double lateShare = 0.02;
// The most a step may move a joint when a position a step cannot keep up with the line.
constexpr int mostPositions = 4;

// The whole poses nearest the line's samples (each near the one before): whether every point
// of the line can be reached, the largest distance the positions leave, and the pose at the end.
struct Walk {
    timing::Pose end{};
    double bound = 0;
    QString error;
};

int samples(const Way &way)
{
    const double n = std::max(way.segment.length() / sampleMm, std::abs(way.turn) / sampleDegrees);
    return std::clamp(int(std::ceil(n)), 1, mostSamples);
}

Walk walk(const arm::Profile &profile, const Way &way, const timing::Pose &from)
{
    Walk w{from, 0, {}};
    const int n = samples(way);
    for (int k = 1; k <= n; ++k) {
        const double s = double(k) / n;
        const arm::Solved solved = arm::solve(profile, way.at(s), w.end);
        if (!solved.solution) {
            w.error = way.where(s) + QStringLiteral(": ") + solved.error;
            return w;
        }
        w.bound = std::max(w.bound, solved.solution->distance);
        w.end = solved.solution->pose;
    }
    return w;
}

// The time at which the eased line has gone the share s of the way.
double secondsAt(const moves::Path &ease, double s)
{
    double lo = 0, hi = 1;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (ease.eased(mid) < s ? lo : hi) = mid;
    }
    return hi * ease.seconds;
}

// The line's duration: its length at the speed asked, or for a line that only turns the hand,
// the shortest its caps allow. Empty error and 0 seconds never go together.
struct Timed {
    double seconds = 0;
    QString error;
};

Timed duration(const arm::Profile &p, const Way &way, const Request &r, moves::Path ease)
{
    const double length = way.segment.length();
    if (length > 0) {
        ease.seconds = length / r.speed * ease.peakSpeedFactor();
        return {ease.seconds, {}};
    }
    ease.seconds = 1; // a first guess, scaled by what the caps say of it
    const std::optional<Cap> cap = tightestCap(p, way, r.from, ease, samples(way));
    if (!cap)
        return {0, QStringLiteral("The tool point stays where it is and no joint the hand's turn "
                                  "moves has a max_speed or a max_accel in the arm profile to "
                                  "time it: move the point as well, or give those joints caps.")};
    return {ease.seconds / cap->ratio, {}};
}

// Every step's pose: the tool point within the tolerance of the line, nothing below the table,
// no step over its axis's max_step. Empty when all pass; `worst` the farthest from the line.
QString checked(const arm::Profile &p, const Way &way, const Request &r, const Line &line,
                double *worst)
{
    timing::Pose pose = r.from;
    const double allowed = tolerance + line.bound;
    for (size_t k = 0; k < line.steps.size(); ++k) {
        const Step &step = line.steps[k];
        const int moved = std::abs(step.position - pose[step.channel]);
        pose[step.channel] = step.position;
        const arm::Reach reach = arm::forward(p, pose);
        const double off = way.segment.distance(reach.tool);
        *worst = std::max(*worst, off);
        const QString at = way.where(
            way.segment.length() > 0 ? way.segment.along(reach.tool) / way.segment.length() : 0);
        const QString joint = QString::fromLatin1(axes::all[step.channel].name);
        if (moved > p.joints[step.channel].maxStep)
            return QStringLiteral("%1 the line moves the %2 by %3 positions in one step, over its "
                                  "max_step %4: give it a lower speed.")
                .arg(at, joint)
                .arg(moved)
                .arg(p.joints[step.channel].maxStep);
        if (p.arm.table && std::min(reach.tool.z, reach.wrist.z) < *p.arm.table)
            return QStringLiteral("%1 moving the %2 puts the arm below the table (table_mm %3).")
                .arg(at, joint, QString::number(*p.arm.table));
        if (off > allowed + 1e-9)
            return QStringLiteral("%1 moving the %2 puts the tool point %3 mm off the line, more "
                                  "than the %4 mm the positions allow.")
                .arg(at, joint)
                .arg(off, 0, 'f', 2)
                .arg(allowed, 0, 'f', 2);
    }
    return {};
}

QString requestError(const Request &r, const Way &way)
{
    if (!(r.speed > 0 && r.speed <= mostSpeed))
        return QStringLiteral("A line goes at more than 0 mm/s and at most %1 mm/s.")
            .arg(mostSpeed);
    if (way.segment.length() <= 0 && way.turn == 0)
        return QStringLiteral("The tool point already stands there at that pitch.");
    return {};
}

double playedSeconds(const std::vector<Step> &steps, const timing::Pose &from)
{
    std::vector<Step> records{Step{}}; // record 1 is never played
    records.insert(records.end(), steps.begin(), steps.end());
    return timing::seconds(timing::passBytes(records, from));
}

// The line's steps along a chain of whole poses whose steps move a joint by at most `positions`,
// each pose due when the eased line has got as far as it.
struct Along {
    std::vector<Step> steps;
    QString error;
};

Along along(const arm::Profile &p, const Way &way, const Request &r, const Walk &w,
            const moves::Path &ease, int positions)
{
    const Chain chain = chainAlong(p, way, r.from, w.end, tolerance + w.bound, positions);
    if (!chain.error.isEmpty())
        return {{}, chain.error};
    std::vector<Waypoint> due;
    for (size_t k = 0; k < chain.poses.size(); ++k)
        due.push_back({secondsAt(ease, chain.progress[k]), chain.poses[k]});
    return {chainSteps(p, r.from, due, ease.seconds), {}};
}

// The line's steps: a position a step where the line to the arm can carry them in time, else a
// few at once; refused when they cannot keep up even so, or when a step strays (which the chain
// should never let happen).
Planned stepped(const arm::Profile &p, const Way &way, const Request &r, const Walk &w,
                const moves::Path &ease)
{
    Line line{{}, ease.seconds, way.segment.length(), w.bound, 0, w.end};
    const double late = line.seconds + std::max(lateSeconds, lateShare * line.seconds);
    double played = 0;
    for (int positions = 1; positions <= mostPositions; ++positions) {
        Along a = along(p, way, r, w, ease, positions);
        if (!a.error.isEmpty())
            return {std::nullopt, a.error};
        played = playedSeconds(a.steps, r.from);
        line.steps = std::move(a.steps);
        if (played <= late)
            break;
    }
    if (played > late)
        return {std::nullopt,
                QStringLiteral("At this speed the line asks for more steps a second than the "
                               "line to the arm carries, and would take %1 s instead of %2 s: "
                               "give it a lower speed, about %3 mm/s.")
                    .arg(played, 0, 'f', 2)
                    .arg(line.seconds, 0, 'f', 2)
                    .arg(std::floor(r.speed * line.seconds / played * 10) / 10, 0, 'f', 1)};
    if (const QString e = checked(p, way, r, line, &line.worst); !e.isEmpty())
        return {std::nullopt, e};
    return {line, {}};
}

} // namespace

Planned plan(const arm::Profile &profile, const Request &r)
{
    const arm::Reach start = arm::forward(profile, r.from);
    const Way way{{start.tool, r.target.point},
                  start.pitch,
                  arm::normalDegrees(r.target.pitch - start.pitch)};
    if (const QString e = requestError(r, way); !e.isEmpty())
        return {std::nullopt, e};
    const Walk w = walk(profile, way, r.from);
    if (!w.error.isEmpty())
        return {std::nullopt, w.error};
    if (w.end == r.from)
        return {std::nullopt, QStringLiteral("The arm already stands in the pose nearest that "
                                             "point and pitch that the positions allow.")};
    moves::Path ease{r.from, r.from, r.ease, 0, r.ease == moves::Ease::Trapezoid ? 1.0 / 3 : 0};
    const Timed timed = duration(profile, way, r, ease);
    if (!timed.error.isEmpty())
        return {std::nullopt, timed.error};
    if (timed.seconds > moves::mostSeconds)
        return {std::nullopt, QStringLiteral("The line would take %1 s, more than the most a move "
                                             "may take (%2 s): give it a higher speed.")
                                  .arg(timed.seconds, 0, 'f', 2)
                                  .arg(moves::mostSeconds)};
    ease.seconds = timed.seconds;
    if (const std::optional<Cap> cap = tightestCap(profile, way, r.from, ease, samples(way));
        cap && cap->ratio < 1 - 1e-9)
        return {std::nullopt, capRefusal(way, *cap, r.speed)};
    return stepped(profile, way, r, w, ease);
}

} // namespace lines
