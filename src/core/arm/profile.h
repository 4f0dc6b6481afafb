#pragma once
// The arm's profile: its shape, each joint's calibration and the limits the arm is kept in. It
// is the one source of these facts for every program but the main window, whose bytes stay the
// controller's own: the simulator's and the editor's pictures, kestrel-play's refusal, the
// exports all ask it and keep no constant of their own.
//
// The defaults are the simulator's old drawing read as millimetres and degrees, so a user with
// no arm.ini sees no change: at 127 on every axis the base faces +x, the upper arm stands upright
// and the forearm and hand point level forward.

#include "core/motion/axes.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace arm {

// One joint's calibration and limits. The angle is linear in the position, through the two
// ends of the byte's range and beyond them.
struct Joint {
    double at0 = 0;   // degrees at position 0
    double at255 = 0; // degrees at position 255
    int min = axes::lowest;
    int max = axes::highest;
    int maxStep = 255;              // the most one frame may move the axis, in positions
    std::optional<double> maxSpeed; // degrees per second, for generated moves; none: no cap
    std::optional<double> maxAccel; // degrees per second squared, likewise

    double degrees(double position) const { return at0 + (at255 - at0) * position / 255.0; }
    // The position at which the joint stands at `angle` (at0 and at255 differ in a valid joint).
    double position(double angle) const { return (angle - at0) * 255.0 / (at255 - at0); }
    bool operator==(const Joint &) const = default;
};

// Millimetres.
struct Geometry {
    double shoulderHeight = 60;  // from the table to the shoulder's axis
    double upperArm = 100;       // shoulder axis to elbow axis
    double forearm = 90;         // elbow axis to wrist axis
    double hand = 42;            // wrist axis to the tool point between the jaw tips
    std::optional<double> table; // the lowest the tool point and the wrist axis may go
    bool operator==(const Geometry &) const = default;
};

// A pose the user named, kept in the profile so that every program offers it by that name.
struct NamedPose {
    QString name;                             // letters, digits, '_' and '-'
    std::array<int, axes::count> positions{}; // by channel, within each joint's min..max
    bool operator==(const NamedPose &) const = default;
};

struct Profile {
    Geometry arm;
    std::array<Joint, axes::count> joints; // by channel
    std::vector<NamedPose> poses;          // in the order of their names

    // The joint of a channel's angle at a position.
    double degrees(int channel, double position) const { return joints[channel].degrees(position); }
    bool operator==(const Profile &) const = default;
};

// The profile of an arm.ini that says nothing.
Profile defaults();

// A calibration from two measurements: at position p1 the joint stood at a1 degrees, at p2 at
// a2. The positions must differ; the angles may be anything (equal angles give a joint that
// does not turn, which the reader refuses).
struct Calibration {
    double at0 = 0;
    double at255 = 0;
};
[[nodiscard]] std::optional<Calibration> calibrate(double p1, double a1, double p2, double a2);

} // namespace arm
