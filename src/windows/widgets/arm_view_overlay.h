#pragma once
// A path of the tool point drawn over the arm's pictures: a thin line through the points and a
// mark where the path is now. The editor's preview shows a timed move's eased path with it, the
// drawn arm keeping the pose the steps have sent; the simulator draws none.

#include "core/arm/kinematics.h"

#include <QPointF>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace armview {

// Each point is a pose's reach by the model, with the base angle it was reached at, so that the
// side view lays it into that pose's plane as it does the arm. Empty: nothing is drawn.
struct PathOverlay {
    std::vector<arm::Reach> points;
    std::optional<arm::Reach> marked;
    bool empty() const { return points.empty() && !marked; }
};

// Where a view puts a reach's tool point on its canvas.
using Placed = std::function<QPointF(const arm::Reach &)>;

// The line, drawn under the arm so that the arm stays whole over it.
void drawOverlayLine(QPainter &p, const PathOverlay &overlay, const Placed &placed);
// The mark, drawn over the arm so that it shows where the two part.
void drawOverlayMark(QPainter &p, const PathOverlay &overlay, const Placed &placed);

} // namespace armview
