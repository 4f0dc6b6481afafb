#include "windows/view3d/arm_shape.h"

#include <algorithm>

namespace view3d {

namespace {

// Thicknesses as fractions of the arm's length: a stout base, bars that thin towards the hand.
constexpr double baseRadius = 0.12, upperRadius = 0.04, forearmRadius = 0.034, handRadius = 0.026,
                 gripRadius = 0.036;

} // namespace

double armLength(const arm::Profile &profile)
{
    const arm::Geometry &g = profile.arm;
    // A profile of zero lengths would leave nothing to frame; one millimetre keeps the maths sane.
    return std::max(g.upperArm + g.forearm + g.hand, 1.0);
}

ArmShape armShape(const arm::Profile &profile, const arm::Reach &reach)
{
    const double length = armLength(profile);
    ArmShape shape;
    shape.parts[ArmShape::Base] = {{0, 0, 0}, reach.shoulder, baseRadius * length};
    shape.parts[ArmShape::UpperArm] = {reach.shoulder, reach.elbow, upperRadius * length};
    shape.parts[ArmShape::Forearm] = {reach.elbow, reach.wrist, forearmRadius * length};
    shape.parts[ArmShape::Hand] = {reach.wrist, reach.tool, handRadius * length};
    shape.grip = reach.tool;
    shape.gripRadius = gripRadius * length;
    return shape;
}

double groundHalfSide(const arm::Profile &profile)
{
    return armLength(profile) * 1.25;
}

std::vector<arm::Point> grid(double halfSide, int cells, double z, double shift)
{
    std::vector<arm::Point> lines;
    const double step = 2 * halfSide / cells, low = -halfSide, high = halfSide;
    for (int i = 0; i <= cells; ++i) {
        const double at = low + (i + shift) * step;
        if (at > high)
            break;
        lines.push_back({at, low, z});
        lines.push_back({at, high, z});
        lines.push_back({low, at, z});
        lines.push_back({high, at, z});
    }
    return lines;
}

OrbitPlace homePlace(const arm::Profile &profile)
{
    const double length = armLength(profile);
    OrbitPlace home;
    home.yaw = -60;
    home.pitch = 25;
    home.distance = 2.8 * length;
    home.target = {0.25 * length, 0, 0.35 * length};
    return home;
}

} // namespace view3d
