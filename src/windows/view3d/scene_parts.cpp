#include "windows/view3d/scene_parts.h"

#include <Qt3DCore/QEntity>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DRender/QDirectionalLight>

#include <cmath>

namespace view3d {

namespace {

QVector3D vector(const arm::Point &p)
{
    return QVector3D(float(p.x), float(p.y), float(p.z));
}

Qt3DRender::QMaterial *material(const QColor &colour, Qt3DCore::QNode *parent)
{
    // Much of the colour ambient, so that a bar reads as its colour (as in the flat views beside
    // this one) from every side, even the one no light meets; no shine, which would wash a bar
    // out to white where the light glances off it. The material works in linear light, so the
    // ambient part is darker than its factor says.
    auto *m = new Qt3DExtras::QPhongMaterial(parent);
    m->setAmbient(colour.darker(140));
    m->setDiffuse(colour);
    m->setSpecular(Qt::black);
    return m;
}

void addLight(Qt3DCore::QEntity *parent, const QVector3D &direction, float intensity)
{
    auto *entity = new Qt3DCore::QEntity(parent);
    auto *light = new Qt3DRender::QDirectionalLight(entity);
    light->setWorldDirection(direction);
    light->setIntensity(intensity);
    entity->addComponent(light);
}

} // namespace

Qt3DCore::QTransform *addSolid(Qt3DCore::QEntity *parent, Qt3DCore::QComponent *mesh,
                               const QColor &colour)
{
    auto *entity = new Qt3DCore::QEntity(parent);
    auto *transform = new Qt3DCore::QTransform(entity);
    entity->addComponent(mesh);
    entity->addComponent(material(colour, entity));
    entity->addComponent(transform);
    return transform;
}

void placeBar(Qt3DCore::QTransform *transform, const Segment &segment)
{
    const QVector3D from = vector(segment.from), to = vector(segment.to);
    const QVector3D along = to - from;
    const float length = along.length();
    const auto radius = float(segment.radius);
    // A bar of no length (a profile with a zero shoulder height) is kept as a flat disc.
    transform->setScale3D(QVector3D(radius, std::max(length, 1e-3f), radius));
    transform->setRotation(length > 0 ? QQuaternion::rotationTo(QVector3D(0, 1, 0), along)
                                      : QQuaternion());
    transform->setTranslation((from + to) / 2);
}

void placeBall(Qt3DCore::QTransform *transform, const arm::Point &centre, double radius)
{
    transform->setScale(float(radius));
    transform->setTranslation(vector(centre));
}

void addLights(Qt3DCore::QEntity *parent)
{
    addLight(parent, QVector3D(-0.5f, 0.6f, -1.0f), 0.9f);
    addLight(parent, QVector3D(0.6f, -0.3f, -0.4f), 0.35f);
}

} // namespace view3d
