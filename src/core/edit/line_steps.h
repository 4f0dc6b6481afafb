#pragma once
// The chain of whole poses a straight line of the tool point passes through (line_chain.h), as
// steps on the line: each pose is due when the eased line has got as far as it, and the steps
// follow the chain with the timing of the timed moves (path_steps.h): a step that moves its axis
// takes 8 bytes, a hold 4. A hold is made while the arm stands in the pose due; when several
// poses are due at once and they move the same axis, one step goes to the last of them (no
// further than the axis's max_step), so that a line that asks more than 120 positions a second
// keeps up where it can, and the arm never stands in a pose off the chain.

#include "core/arm/profile.h"
#include "core/edit/pass_timing.h"

#include <vector>

namespace lines {

struct Waypoint {
    double seconds = 0; // when the line is due to stand in the pose
    timing::Pose pose{};
};

// The steps from `from` through `chain` (each pose one axis from the one before, in order of
// their times, all by `seconds`), ending in the last pose once `seconds` have passed.
std::vector<Step> chainSteps(const arm::Profile &profile, const timing::Pose &from,
                             const std::vector<Waypoint> &chain, double seconds);

} // namespace lines
