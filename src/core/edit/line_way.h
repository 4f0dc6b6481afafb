#pragma once
// The way a straight line of the tool point goes: its points and the hand's pitch by the share
// of the way done, how far a pose has got along it, and how a message says where on it.

#include "core/arm/inverse.h"

#include <QString>

namespace lines {

struct Segment {
    arm::Point from, to;

    double length() const;
    // mm from `p` to the nearest point of the segment.
    double distance(const arm::Point &p) const;
    // mm from `from` to the point of the segment nearest `p`.
    double along(const arm::Point &p) const;
};

struct Way {
    Segment segment;
    double pitch = 0; // at the start, degrees
    double turn = 0;  // the pitch's change, the shorter way round

    // The point and pitch at the share s (0..1) of the way.
    arm::Target at(double s) const;
    // The share of the way a reach has got (0..1): along the segment, or for a line that turns
    // the hand by more degrees than it is millimetres long, through the turn.
    double progress(const arm::Reach &r) const;
    // "At 42.0 mm along the line (x, y, z)", or for a line that only turns the hand, its pitch.
    QString where(double s) const;
};

} // namespace lines
