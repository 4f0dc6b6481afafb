#include "core/arm/profile.h"

#include <cmath>

namespace arm {

namespace {

// The drawing turned each servo 180 degrees over the 256 positions, with 127 at its centre;
// each joint's zero then sits where the drawing put the arm at 127.
constexpr double below = 127 * 180.0 / 255; // degrees from position 0 up to 127
constexpr double above = 128 * 180.0 / 255; // and from 127 up to 255

Joint turning(double atCentre, double sense)
{
    Joint j;
    j.at0 = atCentre - sense * below;
    j.at255 = atCentre + sense * above;
    return j;
}

} // namespace

Profile defaults()
{
    Profile p;
    // The base turns clockwise seen from above as its position grows, and the elbow bends down.
    p.joints[axes::Base] = turning(0, -1);
    p.joints[axes::Shoulder] = turning(90, 1);
    p.joints[axes::Elbow] = turning(-90, -1);
    p.joints[axes::Wrist] = turning(0, 1);
    p.joints[axes::Grip] = turning(0, 1);
    return p;
}

std::optional<Calibration> calibrate(double p1, double a1, double p2, double a2)
{
    if (p1 == p2)
        return std::nullopt;
    const double perPosition = (a2 - a1) / (p2 - p1);
    // From the nearer measurement, so that a point measured at 0 or 255 comes back exactly.
    const auto at = [&](double p) {
        return std::abs(p - p1) <= std::abs(p - p2) ? a1 + perPosition * (p - p1)
                                                    : a2 + perPosition * (p - p2);
    };
    return Calibration{at(0), at(255)};
}

} // namespace arm
