#pragma once
// Where to put the joints so that the tool point stands at a place, with the hand at a pitch:
// the inverse of the model in kinematics.h. The base is turned to face the point; the shoulder,
// elbow and wrist are one planar chain, solved in closed form. A five-axis arm cannot roll its
// hand, so only the pitch is asked for; the grip enters no kinematics and is kept.
//
// Servos take whole positions, so the exact answer is rounded and then bettered by a search of
// the poses a few positions around it, with the hand's pitch kept within a degree of the one
// asked: the pose returned is one whose tool point no neighbour within two positions on every
// joint brings nearer the target.

#include "core/arm/kinematics.h"

#include <QString>
#include <array>
#include <optional>

namespace arm {

using Pose = std::array<int, axes::count>; // positions by channel

struct Target {
    Point point;      // mm, as kinematics.h places them
    double pitch = 0; // the hand's elevation in degrees: 0 level, -90 pointing down
};

struct Solution {
    Pose pose{};     // within every joint's min..max
    Reach reached;   // where that pose puts the arm
    double distance; // mm from the reached tool point to the target's
};

struct Solved {
    std::optional<Solution> solution;
    QString error; // why the target cannot be reached, for the user
};

// How far the search may keep the hand's pitch from the one asked, in degrees.
inline constexpr double pitchTolerance = 1.0;

// The pose nearest `near` (the pose the arm has now; none: the elbow above the line from the
// shoulder to the wrist) that puts the tool point at `target`. The grip is `near`'s, else 127,
// brought within the grip's limits.
[[nodiscard]] Solved solve(const Profile &profile, const Target &target,
                           const std::optional<Pose> &near = std::nullopt);

// The exact answer before it is rounded to whole positions (each within its joint's min..max),
// for a path that is to pass through it: the same choice of answer and the same refusals as
// solve's.
struct Exactly {
    std::optional<Positions> positions;
    QString error;
};
[[nodiscard]] Exactly solveExactly(const Profile &profile, const Target &target,
                                   const std::optional<Pose> &near = std::nullopt);

// "The point x, y, z at pitch p°", two decimals, to begin a message about the target.
QString targetText(const Target &target);

} // namespace arm
