#include "windows/widgets/arm_view_geometry.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace armview {

namespace {

constexpr double margin = 16;      // around the reach, in picture units
constexpr double belowGround = 30; // the ground line's width and some paper under it
// Each arc is drawn at this radius about its joint, or at the segment's length if that is less,
// so that a short hand's arc stays about the hand.
constexpr double arcRadius[] = {40, 30, 24};

double reachOf(const arm::Geometry &g)
{
    return g.upperArm + g.forearm + g.hand;
}

// A point's distance from the base's axis, negative behind it: every point of the arm lies in
// the vertical plane the base turns it into, so this is all the side view needs of x and y.
double along(const arm::Point &p, double baseDegrees)
{
    const double b = qDegreesToRadians(baseDegrees);
    return p.x * std::cos(b) + p.y * std::sin(b);
}

// A joint's sweep from its min to its max, its segment's direction counted from `before`, the
// direction of the segment it turns from (level, for the shoulder).
TravelArc arcOf(const arm::Joint &joint, double before, QPointF centre, double radius)
{
    const double from = before + joint.degrees(joint.min);
    const double to = before + joint.degrees(joint.max);
    return {centre, radius, from, std::clamp(to - from, -360.0, 360.0)};
}

// The side view's scale and extent for a profile, shared by the picture and the points laid
// into it.
struct SideFrame {
    double reach = 0; // mm
    double top = 0, bottom = 0;
    double u = 1; // picture units a millimetre
    QPointF place(double r, double z) const
    {
        return QPointF(margin + (reach + r) * u, margin + (top - z) * u);
    }
};

SideFrame sideFrame(const arm::Profile &profile)
{
    const arm::Geometry &g = profile.arm;
    static const double defaultReach = reachOf(arm::defaults().arm);
    SideFrame f;
    // A profile from the reader has lengths above 0; any other is drawn at the default scale.
    f.reach = reachOf(g) > 0 ? reachOf(g) : defaultReach;
    f.top = std::max(g.shoulderHeight + f.reach, g.table.value_or(0));
    f.bottom = std::min(0.0, g.table.value_or(0));
    f.u = defaultReach / f.reach;
    return f;
}

} // namespace

QPointF sidePoint(const arm::Profile &profile, const arm::Point &point, double baseDegrees)
{
    return sideFrame(profile).place(along(point, baseDegrees), point.z);
}

QPointF topPoint(const arm::Profile &profile, const arm::Point &point)
{
    // Front (x) is up and the arm's left (y) is to the left, as the base turns seen from above.
    const double scale = topRadius / sideFrame(profile).reach;
    return topCentre + QPointF(-point.y, -point.x) * scale;
}

SidePicture sidePicture(const arm::Profile &profile, const arm::Positions &pose)
{
    const arm::Geometry &g = profile.arm;
    const SideFrame f = sideFrame(profile);
    const double reach = f.reach;

    SidePicture pic;
    const double u = pic.unitsPerMm = f.u;
    pic.canvas = QSizeF(2 * (margin + reach * u), margin + (f.top - f.bottom) * u + belowGround);
    pic.leftX = margin;
    pic.rightX = margin + 2 * reach * u;
    pic.groundY = f.place(0, 0).y();
    if (g.table)
        pic.tableY = f.place(0, *g.table).y();

    const arm::Reach at = arm::forward(profile, pose);
    const auto laid = [&](const arm::Point &p) { return f.place(along(p, at.base), p.z); };
    pic.shoulder = laid(at.shoulder);
    pic.elbow = laid(at.elbow);
    pic.wrist = laid(at.wrist);
    pic.tool = laid(at.tool);
    pic.pitch = at.pitch;

    const double s = profile.degrees(axes::Shoulder, pose[axes::Shoulder]);
    const double e = profile.degrees(axes::Elbow, pose[axes::Elbow]);
    const double lengths[] = {g.upperArm * u, g.forearm * u, g.hand * u};
    const auto radius = [&](int i) { return std::min(arcRadius[i], std::abs(lengths[i])); };
    pic.travel = {arcOf(profile.joints[axes::Shoulder], 0, pic.shoulder, radius(0)),
                  arcOf(profile.joints[axes::Elbow], s, pic.elbow, radius(1)),
                  arcOf(profile.joints[axes::Wrist], s + e, pic.wrist, radius(2))};
    return pic;
}

} // namespace armview
