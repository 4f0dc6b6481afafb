#pragma once
// Where the side view puts the arm, worked out apart from the painting so that it can be held
// against the arm's model. The side view is the arm's own plane, seen from its side with the
// arm reaching to the right: each point of the model is laid into it by its distance from the
// base's axis (negative behind the axis) and its height.
//
// The picture's units are millimetres of the default arm, whatever arm is drawn: an arm twice
// as long is drawn at half the scale, so that it fills the picture as the default one does and
// the drawing's widths and sizes, given in these units, look the same on every arm.

#include "core/arm/kinematics.h"

#include <QPointF>
#include <QSizeF>
#include <array>
#include <optional>

namespace armview {

// The directions a joint's segment can take between the joint's min and max, about the joint.
// Degrees counter-clockwise from the picture's right, as QPainter's arcs count them.
struct TravelArc {
    QPointF centre;
    double radius = 0;
    double start = 0; // the direction at min
    double span = 0;  // from min to max, signed, at most a turn either way
};

struct SidePicture {
    QSizeF canvas;         // holds the arm's full reach around the shoulder, down to the ground
    double unitsPerMm = 1; // the picture's scale
    double groundY = 0;    // the surface the arm stands on, z = 0
    std::optional<double> tableY; // the lowest the arm may reach (table_mm), when there is one
    double leftX = 0, rightX = 0; // the reach's ends, where the ground and table lines stop
    QPointF shoulder, elbow, wrist, tool;
    double pitch = 0; // the hand's elevation in degrees, counter-clockwise from level
    std::array<TravelArc, 3> travel; // the shoulder's, the elbow's and the wrist's
};

// The side view of the pose by the profile.
SidePicture sidePicture(const arm::Profile &profile, const arm::Positions &pose);

// Where the side view puts a point of the model that the arm reached with the base at
// `baseDegrees`: laid into that plane, as the arm's own joints are.
QPointF sidePoint(const arm::Profile &profile, const arm::Point &point, double baseDegrees);

// The view from above: the base's axis at topCentre of a 200 by 180 canvas, the arm drawn
// topRadius long whatever its pose, which is the scale of its full reach.
inline constexpr QPointF topCentre{100, 110};
inline constexpr double topRadius = 55;
QPointF topPoint(const arm::Profile &profile, const arm::Point &point);

} // namespace armview
