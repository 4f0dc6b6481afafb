#pragma once
// The search that turns a rounded answer of the inverse kinematics into the best whole
// positions: from a pose, every pose within two positions of it on the base, shoulder, elbow and
// wrist (inside the limits) is tried, and the search moves to the best one until none is
// better. Best means, first, the hand's pitch within the tolerance of the one asked and the tool
// point and the wrist not below the table (or, where no pose near can have that, the least
// beyond it), then the tool point nearest the target.
//
// It is the inner loop of every solve, and a straight line solves once per sample, so it keeps
// to products of sines and cosines worked out once per joint and position, and turns the base
// by what is best for each planar pose instead of trying every base with it.

#include "core/arm/inverse.h"

namespace arm {

// How many positions either way of the pose the search looks at, on each joint.
inline constexpr int searchReach = 2;

[[nodiscard]] Pose nearestPose(const Profile &profile, const Target &target, Pose start);

} // namespace arm
