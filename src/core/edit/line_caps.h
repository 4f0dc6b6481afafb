#pragma once
// A straight line's joints against their caps. Each joint's angle along the line is the exact
// answer of the inverse kinematics (before rounding) at moments spread evenly over the line's
// time; their differences give its speed and acceleration, against its max_speed and max_accel.
// A linear ease's jumps of speed at its ends are the timed moves' (they count no acceleration
// there either); within the line every joint's speed and acceleration count, since a line at a
// steady speed still swings its joints faster in some places than in others.

#include "core/edit/line_way.h"
#include "core/edit/timed_move.h"

#include <QString>
#include <optional>

namespace lines {

// The joint whose cap the line comes nearest to breaking: `ratio` is how many times faster the
// line could go before it breaks it (below 1: it does), `s` the share of the way where.
struct Cap {
    int joint = -1;
    double ratio = 1e300;
    double s = 0;
    bool accel = false;
    double value = 0; // degrees per second, or per second squared
    double limit = 0;
};

// The tightest cap of the line from `from` timed by `ease`, from `samples` moments (at least 16);
// none when no joint the line turns has a cap, or a point cannot be solved.
std::optional<Cap> tightestCap(const arm::Profile &profile, const Way &way,
                               const timing::Pose &from, const moves::Path &ease, int samples);

// "At 42.0 mm along the line (x, y, z) the elbow turns at 120.0°/s, over its max_speed 90: the
// fastest this line can go is 67.4 mm/s."
QString capRefusal(const Way &way, const Cap &cap, double speed);

} // namespace lines
