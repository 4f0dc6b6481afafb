#pragma once
// The game controller's shape, as the pictures of it draw it: where each part stands, in the
// coordinates of the drawing's own area (padDrawingArea), and the pad itself without labels.

#include "pad_drawing.h"

#include <QFont>
#include <QPointF>
#include <QtNumeric>

class QPainter;

namespace shots {

// The pad stands in the middle of the drawing, 100 wide, with room for a column of labels on
// each side and a row above it.
inline constexpr double padLeft = 112.5;
inline constexpr double padTop = 58;
inline constexpr double padWidth = 100;

// Where a part is, and how far its edge is from there: a leader line stops at the edge.
struct Shape {
    QPointF centre;
    double radius;
    // Where its label would best stand, when not level with the part: above the pad for a
    // trigger, and Y's above X's, so that X's leader passes between Y and B, not through B.
    double labelAt = qQNaN();
    double aim() const { return qIsNaN(labelAt) ? centre.y() : labelAt; }
};

Shape shapeOf(const PadPart &part);

// The pictures' one typeface.
QFont padFont(double pixelSize, QFont::Weight weight);

// The outline, the sticks, the d-pad, the middle buttons and the face buttons, these lettered
// by the table's names.
void drawPadBody(QPainter &painter);

} // namespace shots
