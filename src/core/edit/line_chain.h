#pragma once
// The whole poses a straight line of the tool point passes through, one joint at a time. The servos
// take whole positions and the line moves one axis a step, so every pose the arm stands in on the
// way, not only those that are nearest their points of the line, must keep the tool point near the
// line: a shoulder a position ahead of its elbow can put it millimetres off. So the chain is
// searched for (A*, the fewest steps, the positions still to go on every joint as the estimate)
// among the poses that keep the tool point within `allowed` mm of the line, the hand's pitch within
// a few degrees of where the line has it by then, the tool point and the wrist not below the table
// and every joint within its limits.

#include "core/edit/line_way.h"
#include "core/edit/pass_timing.h"

#include <QString>
#include <vector>

namespace lines {

// How far from the line's pitch a pose on the way may hold the hand, in degrees: one position of
// the shoulder or the elbow turns it by about as much as the solve lets the end differ.
inline constexpr double pitchBand = 3.0;

struct Chain {
    std::vector<timing::Pose> poses; // after `from`, each one step of one joint from the last
    std::vector<double> progress;    // the share of the way each has got to, never going back
    QString error;                   // no chain keeps to the line; says where it stops
};

// Each step moves one joint by at most `positions` (and its max_step).
Chain chainAlong(const arm::Profile &profile, const Way &way, const timing::Pose &from,
                 const timing::Pose &goal, double allowed, int positions = 1);

} // namespace lines
