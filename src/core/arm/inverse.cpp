#include "core/arm/inverse.h"

#include "core/arm/pose_search.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace arm {

namespace {

constexpr double pi = std::numbers::pi;
constexpr int planarJoints = 4; // base, shoulder, elbow and wrist: the grip enters no kinematics

double degreesOf(double radians)
{
    return radians * 180 / pi;
}

double radiansOf(double degrees)
{
    return degrees * pi / 180;
}

QString mm(double v)
{
    return QString::number(v, 'f', 1);
}

// The position at which a joint stands at `angle`, of the turns of that angle the one nearest
// the joint's limits (a joint calibrated from -90 to 90 reaches 270 as -90).
double positionFor(const Joint &joint, double angle)
{
    double best = joint.position(angle);
    double bestOff = 1e300;
    for (int turns = -2; turns <= 2; ++turns) {
        const double p = joint.position(angle + 360.0 * turns);
        const double off = std::max({0.0, joint.min - p, p - joint.max});
        const double fromMiddle = std::abs(p - (joint.min + joint.max) / 2.0);
        if (off < bestOff ||
            (off == bestOff && fromMiddle < std::abs(best - (joint.min + joint.max) / 2.0)))
            best = p, bestOff = off;
    }
    return best;
}

// One exact answer: the base facing the target or turned away from it (the arm then reaches
// back over the top), the elbow above or below the line from the shoulder to the wrist.
struct Exact {
    std::array<double, planarJoints> position{};
    bool elbowUp = false;
    bool facing = true;

    // How far outside its limits the worst joint is, in positions; 0 within them, once rounded.
    double outside(const Profile &p, int *joint = nullptr) const
    {
        double worst = 0;
        for (int c = 0; c < planarJoints; ++c) {
            const Joint &j = p.joints[c];
            const double off =
                std::max({0.0, j.min - 0.5 - position[c], position[c] - j.max - 0.5});
            if (off > worst) {
                worst = off;
                if (joint)
                    *joint = c;
            }
        }
        return worst;
    }
};

struct Plane {
    double r = 0, z = 0; // the wrist's axis from the shoulder's, in the arm's plane
};

// The wrist's axis in the plane of a base facing the target (`facing`) or turned away from it.
Plane wristInPlane(const Profile &p, const Target &t, bool facing)
{
    const double reach = std::hypot(t.point.x, t.point.y) * (facing ? 1 : -1);
    return {reach - p.arm.hand * std::cos(radiansOf(t.pitch)),
            t.point.z - p.arm.hand * std::sin(radiansOf(t.pitch)) - p.arm.shoulderHeight};
}

double baseAngle(const Profile &p, const Target &t, const std::optional<Pose> &near, bool facing)
{
    if (t.point.x == 0 && t.point.y == 0)
        return p.degrees(axes::Base, near ? (*near)[axes::Base] : 127);
    return degreesOf(std::atan2(t.point.y, t.point.x)) + (facing ? 0 : 180);
}

std::vector<Exact> exactAnswers(const Profile &p, const Target &t, const std::optional<Pose> &near)
{
    const double l1 = p.arm.upperArm, l2 = p.arm.forearm;
    std::vector<Exact> answers;
    for (bool facing : {true, false}) {
        const Plane w = wristInPlane(p, t, facing);
        const double d = std::hypot(w.r, w.z);
        const double c = std::clamp((d * d - l1 * l1 - l2 * l2) / (2 * l1 * l2), -1.0, 1.0);
        if (d > l1 + l2 + 1e-9 || d < std::abs(l1 - l2) - 1e-9)
            continue;
        for (double sense : {-1.0, 1.0}) {
            const double bend = sense * std::acos(c);
            const double shoulder =
                std::atan2(w.z, w.r) - std::atan2(l2 * std::sin(bend), l1 + l2 * std::cos(bend));
            Exact e;
            e.facing = facing;
            // Bent clockwise from the upper arm, the elbow stands above the line to the wrist.
            e.elbowUp = bend < 0;
            const std::array<double, planarJoints> angles{
                baseAngle(p, t, near, facing), degreesOf(shoulder), degreesOf(bend),
                t.pitch - degreesOf(shoulder) - degreesOf(bend)};
            for (int j = 0; j < planarJoints; ++j)
                e.position[j] = positionFor(p.joints[j], angles[j]);
            answers.push_back(e);
        }
    }
    return answers;
}

// Of the answers within the limits, the nearest `near` in positions, or with no pose to be
// near, the elbow up, facing the target first.
const Exact *chosen(const Profile &p, const std::vector<Exact> &answers,
                    const std::optional<Pose> &near)
{
    const Exact *best = nullptr;
    double bestCost = 1e300;
    for (const Exact &e : answers) {
        if (e.outside(p) > 0)
            continue;
        double cost = (e.elbowUp ? 0 : 2) + (e.facing ? 0 : 1);
        if (near) {
            cost = 0;
            for (int j = 0; j < planarJoints; ++j)
                cost += std::abs(e.position[j] - (*near)[j]);
        }
        if (cost < bestCost)
            best = &e, bestCost = cost;
    }
    return best;
}

QString reachError(const Profile &p, const Target &t)
{
    const double l1 = p.arm.upperArm, l2 = p.arm.forearm;
    const Plane w = wristInPlane(p, t, true);
    const double d = std::hypot(w.r, w.z);
    if (d > l1 + l2)
        return QStringLiteral("%1 is beyond the arm's reach, by %2 mm.")
            .arg(targetText(t), mm(d - (l1 + l2)));
    return QStringLiteral(
               "%1 is inside the arm's reach, %2 mm nearer the shoulder than the arm can fold.")
        .arg(targetText(t), mm(std::abs(l1 - l2) - d));
}

QString limitError(const Profile &p, const Target &t, const std::vector<Exact> &answers)
{
    const Exact *least = &answers.front();
    for (const Exact &e : answers)
        if (e.outside(p) < least->outside(p))
            least = &e;
    int joint = 0;
    least->outside(p, &joint);
    const Joint &j = p.joints[joint];
    const int at = int(std::lround(least->position[joint]));
    const bool below = at < j.min;
    return QStringLiteral("%1 needs the %2 at %3, %4 %5 its %6 %7.")
        .arg(targetText(t), QString::fromLatin1(axes::all[joint].name))
        .arg(at)
        .arg(below ? j.min - at : at - j.max)
        .arg(below ? QStringLiteral("below") : QStringLiteral("above"),
             below ? QStringLiteral("min") : QStringLiteral("max"))
        .arg(below ? j.min : j.max);
}

std::optional<QString> tableError(const Profile &p, const Target &t)
{
    if (!p.arm.table)
        return std::nullopt;
    const double table = *p.arm.table;
    if (t.point.z < table)
        return QStringLiteral("%1 is below the table (table_mm %2), by %3 mm.")
            .arg(targetText(t), QString::number(table), mm(table - t.point.z));
    const double wrist = t.point.z - p.arm.hand * std::sin(radiansOf(t.pitch));
    if (wrist < table)
        return QStringLiteral("%1 puts the wrist below the table (table_mm %2), by %3 mm.")
            .arg(targetText(t), QString::number(table), mm(table - wrist));
    return std::nullopt;
}

} // namespace

QString targetText(const Target &t)
{
    return QStringLiteral("The point %1, %2, %3 at pitch %4°")
        .arg(t.point.x, 0, 'f', 2)
        .arg(t.point.y, 0, 'f', 2)
        .arg(t.point.z, 0, 'f', 2)
        .arg(t.pitch, 0, 'f', 2);
}

Exactly solveExactly(const Profile &profile, const Target &target, const std::optional<Pose> &near)
{
    for (double v : {target.point.x, target.point.y, target.point.z, target.pitch})
        if (!std::isfinite(v))
            return {std::nullopt,
                    QStringLiteral("A target's coordinates and pitch must be numbers.")};
    if (std::optional<QString> table = tableError(profile, target))
        return {std::nullopt, *table};
    const std::vector<Exact> answers = exactAnswers(profile, target, near);
    if (answers.empty())
        return {std::nullopt, reachError(profile, target)};
    const Exact *exact = chosen(profile, answers, near);
    if (!exact && !answers.front().facing) // only reaching back over the top would do
        return {std::nullopt, reachError(profile, target)};
    if (!exact)
        return {std::nullopt, limitError(profile, target, answers)};
    Positions positions{};
    for (int j = 0; j < planarJoints; ++j)
        positions[j] =
            std::clamp<double>(exact->position[j], profile.joints[j].min, profile.joints[j].max);
    // The grip is kept, within its own limits like every other joint.
    const Joint &grip = profile.joints[axes::Grip];
    positions[axes::Grip] = std::clamp(near ? (*near)[axes::Grip] : 127, grip.min, grip.max);
    return {positions, {}};
}

Solved solve(const Profile &profile, const Target &target, const std::optional<Pose> &near)
{
    const Exactly exact = solveExactly(profile, target, near);
    if (!exact.positions)
        return {std::nullopt, exact.error};
    Pose start{};
    for (int c = 0; c < axes::count; ++c)
        start[c] = int(std::lround((*exact.positions)[c]));
    Solution s;
    s.pose = nearestPose(profile, target, start);
    s.reached = forward(profile, s.pose);
    s.distance = std::hypot(s.reached.tool.x - target.point.x, s.reached.tool.y - target.point.y,
                            s.reached.tool.z - target.point.z);
    return {s, {}};
}

} // namespace arm
