#pragma once
// Lines in the 3D view, in one buffer that is refilled in place: the tool point's path as one
// line strip, one vertex per point given (twelve thousand points are a few hundred kilobytes and
// one draw call, so the whole motion is drawn every frame without thinning it), and the grids of
// the ground and the table as separate lines, a pair of points each. Lines cover few pixels,
// which is what a software renderer spends its time on.

#include "core/arm/kinematics.h"

#include <QColor>
#include <vector>

namespace Qt3DCore {
class QAttribute;
class QBuffer;
class QEntity;
} // namespace Qt3DCore
namespace Qt3DRender {
class QGeometryRenderer;
} // namespace Qt3DRender

namespace view3d {

class PathLine {
public:
    // A strip through all the points given, or else a line for each pair of them.
    PathLine(Qt3DCore::QEntity *parent, const QColor &colour, bool strip = true);

    void setPoints(const std::vector<arm::Point> &points);
    int count() const { return m_count; }

private:
    Qt3DCore::QEntity *m_entity;
    Qt3DCore::QBuffer *m_buffer;
    Qt3DCore::QAttribute *m_position;
    Qt3DCore::QAttribute *m_normal;
    Qt3DRender::QGeometryRenderer *m_renderer;
    int m_count = 0;
};

} // namespace view3d
