#pragma once
// What the 3D view draws of the arm, worked out apart from any drawing: the base, the upper arm,
// the forearm and the hand as round bars between the model's joints, a marker at the tool point,
// the ground and where the camera starts. Every size comes from the profile's lengths, so a
// bigger arm is drawn bigger and the picture keeps its proportions.

#include "core/arm/kinematics.h"
#include "windows/view3d/orbit.h"

#include <array>
#include <vector>

namespace view3d {

struct Segment {
    arm::Point from, to; // the bar's two ends, mm
    double radius = 0;
};

struct ArmShape {
    enum Part { Base, UpperArm, Forearm, Hand };
    std::array<Segment, 4> parts; // by Part
    arm::Point grip;              // the tool point, marked by a ball
    double gripRadius = 0;
};

// The sum of the moving segments' lengths: how far the arm can reach from its shoulder.
double armLength(const arm::Profile &profile);

// The arm standing as `reach` has it.
ArmShape armShape(const arm::Profile &profile, const arm::Reach &reach);

// Half the side of the square ground around the base: the reach and a margin.
double groundHalfSide(const arm::Profile &profile);

// A square grid of `cells` by `cells` at height `z`, half a side `halfSide` about the base's axis,
// as pairs of points, one pair a line; shifted by `shift` cells in x and y (a second grid shifted
// by half a cell never draws over the first).
std::vector<arm::Point> grid(double halfSide, int cells, double z, double shift = 0);

// Where the camera starts: in front of the arm and to its right, a little above, the whole
// reach in view.
OrbitPlace homePlace(const arm::Profile &profile);

} // namespace view3d
