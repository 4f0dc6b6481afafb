#include "windows/view3d/path_line.h"

#include <Qt3DCore/QAttribute>
#include <Qt3DCore/QBuffer>
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QGeometry>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DRender/QGeometryRenderer>

namespace view3d {

namespace {

// Each vertex: its position and a normal. The line is lit like the solids, whose material it
// shares; a normal straight up keeps its colour the same along the whole line.
constexpr int floatsPerVertex = 6;
constexpr uint stride = floatsPerVertex * sizeof(float);

Qt3DCore::QAttribute *attribute(Qt3DCore::QBuffer *buffer, const QString &name, uint offset,
                                Qt3DCore::QGeometry *geometry)
{
    auto *a = new Qt3DCore::QAttribute(buffer, name, Qt3DCore::QAttribute::Float, 3, 0, offset,
                                       stride, geometry);
    a->setAttributeType(Qt3DCore::QAttribute::VertexAttribute);
    geometry->addAttribute(a);
    return a;
}

} // namespace

PathLine::PathLine(Qt3DCore::QEntity *parent, const QColor &colour, bool strip)
    : m_entity(new Qt3DCore::QEntity(parent))
{
    auto *geometry = new Qt3DCore::QGeometry(m_entity);
    m_buffer = new Qt3DCore::QBuffer(geometry);
    m_position =
        attribute(m_buffer, Qt3DCore::QAttribute::defaultPositionAttributeName(), 0, geometry);
    m_normal = attribute(m_buffer, Qt3DCore::QAttribute::defaultNormalAttributeName(),
                         3 * sizeof(float), geometry);
    m_renderer = new Qt3DRender::QGeometryRenderer(m_entity);
    m_renderer->setGeometry(geometry);
    m_renderer->setPrimitiveType(strip ? Qt3DRender::QGeometryRenderer::LineStrip
                                       : Qt3DRender::QGeometryRenderer::Lines);
    m_renderer->setVertexCount(0);
    auto *material = new Qt3DExtras::QPhongMaterial(m_entity);
    material->setAmbient(colour);
    material->setDiffuse(colour.darker(300));
    material->setSpecular(Qt::black);
    m_entity->addComponent(m_renderer);
    m_entity->addComponent(material);
    m_entity->setEnabled(false);
}

void PathLine::setPoints(const std::vector<arm::Point> &points)
{
    const int n = int(points.size());
    QByteArray data(qsizetype(n) * qsizetype(stride), Qt::Uninitialized);
    auto *f = reinterpret_cast<float *>(data.data());
    for (const arm::Point &p : points) {
        *f++ = float(p.x);
        *f++ = float(p.y);
        *f++ = float(p.z);
        *f++ = 0;
        *f++ = 0;
        *f++ = 1;
    }
    m_buffer->setData(data);
    m_position->setCount(uint(n));
    m_normal->setCount(uint(n));
    m_renderer->setVertexCount(n);
    // A strip needs two points; fewer draw nothing, and the renderer is not asked to.
    m_entity->setEnabled(n >= 2);
    m_count = n;
}

} // namespace view3d
