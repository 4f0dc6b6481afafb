#pragma once
// The pieces the 3D view is built of: solids that share one unit mesh each and are sized and
// placed by their transform alone, so a new pose moves transforms and never makes a mesh.

#include "windows/view3d/arm_shape.h"

#include <QColor>

namespace Qt3DCore {
class QComponent;
class QEntity;
class QTransform;
} // namespace Qt3DCore

namespace view3d {

// An entity under `parent` drawn with `mesh` in `colour`, placed by the transform returned.
Qt3DCore::QTransform *addSolid(Qt3DCore::QEntity *parent, Qt3DCore::QComponent *mesh,
                               const QColor &colour);

// A cylinder of radius 1 and length 1 along y, centred on the origin, made a bar from one point
// to another.
void placeBar(Qt3DCore::QTransform *transform, const Segment &segment);
// A sphere of radius 1 made a ball at `centre`.
void placeBall(Qt3DCore::QTransform *transform, const arm::Point &centre, double radius);

// A light from above the arm's front right and a fainter one from behind, so that no face is
// black from any side the camera goes.
void addLights(Qt3DCore::QEntity *parent);

} // namespace view3d
