#pragma once
// A straight line of the tool point: from where the pose before the insertion point puts it to a
// target point, the hand's pitch turning from the pose's to the target's along the way, both
// with one ease of the line's time, so that the point and the pitch arrive together.
//
// The speed asked for is the tool point's peak speed along the line, as the joints' caps are
// peaks: the line takes its length over the speed, times the ease's peak-speed factor (1 for
// linear, 1.5 for smooth, and 1.5 for the trapezoid, whose ramps take a third of the time each).
// A line that only turns the hand has no length to time, so it takes the shortest time the
// joints' caps allow, and is refused when no joint it turns has one.
//
// The line is solved densely (every quarter millimetre and quarter degree), each sample near the
// pose of the one before, so that the elbow cannot flip half way: that finds the points that
// cannot be reached, the pose the line ends in and the largest distance rounding to whole
// positions leaves (the bound). The steps follow a chain of whole poses that keep the tool point
// within 1 mm of the line beyond that bound (line_chain.h), each pose due when the eased line
// gets to it (line_steps.h); where a position a step cannot keep up, the chain is searched again
// with steps of a few positions. The exact answers, sampled in time, give each joint's peak
// speed and acceleration against its max_speed and max_accel (line_caps.h). Every step's pose is
// checked again at the end: its tool point within the bound, not below the table, and no step
// moving its axis by more than max_step, so that the Check list finds nothing the line made.
// Whatever fails refuses the whole line and says where along it.

#include "core/arm/inverse.h"
#include "core/edit/timed_move.h"

#include <QString>
#include <optional>
#include <vector>

namespace lines {

// How far a step's tool point may stray from the line beyond what rounding to whole positions
// already costs, in mm.
inline constexpr double tolerance = 1.0;
// The fastest a line may be asked to go, mm/s.
inline constexpr double mostSpeed = 2000;

struct Request {
    timing::Pose from{}; // the pose the line starts from: its tool point and pitch
    arm::Target target;
    double speed = 50; // the tool point's peak speed, mm/s
    moves::Ease ease = moves::Ease::Smooth;
};

struct Line {
    std::vector<Step> steps;
    double seconds = 0;
    double length = 0; // mm
    double bound = 0;  // the largest distance of the samples' whole poses from their points, mm
    double worst = 0;  // the largest distance of a step's tool point from the line, mm
    timing::Pose end{};
};

struct [[nodiscard]] Planned {
    std::optional<Line> line;
    QString error; // why the line cannot be made; empty with a line
};

Planned plan(const arm::Profile &profile, const Request &request);

} // namespace lines
