#pragma once
// Timed moves: from one pose to another in a given time, every axis following the same ease of
// normalised time, so that all of them start together and arrive together. Hobby servos cannot
// ease by themselves; the eased path reaches them as many small targets sent at the right times,
// and the times are exact because the pass timing says when each byte is on the line.
//
// The caps are the profile's max_speed and max_accel, in degrees, turned into positions through
// each joint's calibration. Without a duration a move takes the shortest time its caps allow.

#include "core/arm/profile.h"
#include "core/edit/pass_timing.h"

#include <QString>
#include <array>
#include <optional>

namespace moves {

enum class Ease {
    Linear,    // constant speed, starting and stopping at it
    Smooth,    // 3s^2 - 2s^3: no speed at either end
    Trapezoid, // constant acceleration, cruise, constant deceleration, shaped by the caps
};

// "linear", "smooth", "trapezoid": the names the command line and the dialog use.
QString easeName(Ease ease);
std::optional<Ease> easeNamed(const QString &name);

// The longest move a request may ask for: an hour is 864,000 holds, more than an edit may add.
inline constexpr double mostSeconds = 3600;

struct Request {
    timing::Pose from{};
    timing::Pose to{};
    Ease ease = Ease::Smooth;
    std::optional<double> seconds; // none: as fast as the caps allow
};

// The eased path of a move, in positions against seconds from its start.
struct Path {
    timing::Pose from{};
    timing::Pose to{};
    Ease ease = Ease::Smooth;
    double seconds = 0;
    double rampFraction = 0; // the trapezoid's share of the time spent speeding up (and down)

    // The share of the move done at normalised time s (0..1; clamped).
    double eased(double s) const;
    // Where the path has `channel` at `t` seconds: `from` before the start, `to` from the end.
    double at(int channel, double t) const;
    // The most the ease's speed and acceleration reach, as multiples of the distance over the
    // time (and over its square): linear 1 and none (its speed jumps at the ends), smooth 1.5
    // and 6, trapezoid 1/(1-f) and 1/(f(1-f)).
    double peakSpeedFactor() const;
    std::optional<double> peakAccelFactor() const;
};

struct [[nodiscard]] Planned {
    std::optional<Path> path;
    QString error; // why the move cannot be made; empty with a path
};

// The path of a request, or why it is refused: no duration and no cap that could choose one; a
// duration out of range; a duration shorter than the caps allow (the message gives the shortest
// allowed, rounded up to a hundredth of a second so that typing it back is accepted).
Planned plan(const arm::Profile &profile, const Request &request);

// The shortest duration the caps allow for the move, or none when no moving joint has a cap that
// bears on the ease (linear is timed by max_speed alone). 0 for a move that moves nothing.
std::optional<double> shortestSeconds(const arm::Profile &profile, const timing::Pose &from,
                                      const timing::Pose &to, Ease ease);

// Each joint's peak speed on the path, in degrees per second (0 for a joint that stays).
std::array<double, axes::count> peakDegreesPerSecond(const arm::Profile &profile, const Path &p);

// The path's steps on the line: see path_steps.h for how a path becomes steps.
std::vector<Step> steps(const Path &path);

} // namespace moves
