#pragma once
// Where the arm's tool point is for a pose, by the profile. Millimetres; the origin on the table
// under the base's axis; x forward (where the arm reaches at base angle 0), y to the arm's left,
// z up. The base turns the arm about z, counter-clockwise seen from above; the shoulder's angle
// is the upper arm's elevation above the horizontal; the elbow's and the wrist's are each
// segment's angle to the line of the one before, in the same sense. The grip's angle enters no
// kinematics.

#include "core/arm/profile.h"

#include <array>

namespace arm {

struct Point {
    double x = 0, y = 0, z = 0;
};

using Positions = std::array<double, axes::count>; // by channel; fractions allowed

struct Reach {
    Point tool;       // the tool point between the jaw tips
    Point wrist;      // the wrist's axis
    Point elbow;      // the elbow's axis
    Point shoulder;   // the shoulder's axis, on the base's axis at the shoulder's height
    double pitch = 0; // the hand's elevation in degrees, in (-180, 180]: 0 level, -90 down
    double base = 0;  // the base's angle in degrees, as the profile gives it
};

Reach forward(const Profile &profile, const Positions &pose);
Reach forward(const Profile &profile, const std::array<int, axes::count> &pose);

// An angle in degrees brought into (-180, 180].
double normalDegrees(double degrees);

} // namespace arm
