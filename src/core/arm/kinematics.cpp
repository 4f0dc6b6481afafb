#include "core/arm/kinematics.h"

#include <cmath>
#include <numbers>

namespace arm {

namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// A point in the arm's plane (r forward from the base's axis, z up) turned by the base.
Point turned(double r, double z, double base)
{
    return {r * std::cos(radians(base)), r * std::sin(radians(base)), z};
}

} // namespace

double normalDegrees(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d <= -180)
        d += 360;
    else if (d > 180)
        d -= 360;
    return d;
}

Reach forward(const Profile &profile, const Positions &pose)
{
    const Geometry &g = profile.arm;
    const double f1 = profile.degrees(axes::Shoulder, pose[axes::Shoulder]);
    const double f2 = f1 + profile.degrees(axes::Elbow, pose[axes::Elbow]);
    const double f3 = f2 + profile.degrees(axes::Wrist, pose[axes::Wrist]);
    const double b = profile.degrees(axes::Base, pose[axes::Base]);

    // Each axis in the arm's plane, summed segment after segment from the shoulder out.
    double r = 0, z = g.shoulderHeight;
    Reach reach;
    reach.base = b;
    reach.shoulder = turned(r, z, b);
    r += g.upperArm * std::cos(radians(f1));
    z += g.upperArm * std::sin(radians(f1));
    reach.elbow = turned(r, z, b);
    r += g.forearm * std::cos(radians(f2));
    z += g.forearm * std::sin(radians(f2));
    reach.wrist = turned(r, z, b);
    r += g.hand * std::cos(radians(f3));
    z += g.hand * std::sin(radians(f3));
    reach.tool = turned(r, z, b);
    reach.pitch = normalDegrees(f3);
    return reach;
}

Reach forward(const Profile &profile, const std::array<int, axes::count> &pose)
{
    Positions p;
    for (int c = 0; c < axes::count; ++c)
        p[c] = pose[c];
    return forward(profile, p);
}

} // namespace arm
