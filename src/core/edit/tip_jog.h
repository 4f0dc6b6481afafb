#pragma once
// Jogging the tool point: the pose the preview shows, moved a few millimetres along x, y or z or
// its hand tilted a few degrees, by solving the moved target from the pose it stands in. The
// target is kept apart from the point reached, so that the rounding of one jog does not creep
// into the next: ten jogs of 1 mm ask for a point exactly 10 mm away. A jog the arm cannot make
// leaves the pose and the target where they were, with the reason, so the arm never jumps.

#include "core/arm/inverse.h"

#include <QString>

namespace jog {

enum class Axis { X, Y, Z, Pitch };

struct Step {
    Axis axis = Axis::X;
    double amount = 0; // mm along x, y or z; degrees of pitch
};

class TipJog {
public:
    // Starts from `pose`: its own tool point and pitch are the target, reached exactly.
    void reset(const arm::Profile &profile, const arm::Pose &pose);
    // The target moved by `step` and solved near the current pose. False, with nothing changed
    // but the refusal, when it cannot be reached.
    bool move(const arm::Profile &profile, const Step &step);
    // The grip enters no kinematics: it moves without touching the target or the point reached.
    void setGrip(int position) { m_pose[axes::Grip] = position; }

    const arm::Pose &pose() const { return m_pose; }
    const arm::Target &target() const { return m_target; }
    const arm::Reach &reached() const { return m_reached; }
    double distance() const { return m_distance; }
    // Why the last jog was refused; empty when it was made.
    const QString &refusal() const { return m_refusal; }
    // "x 150.0  y 0.0  z 80.2  pitch -10.0°  0.3 mm from the target", or the refusal.
    QString text() const;

private:
    arm::Pose m_pose{};
    arm::Target m_target;
    arm::Reach m_reached;
    double m_distance = 0;
    QString m_refusal;
};

} // namespace jog
