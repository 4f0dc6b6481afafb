#include "windows/view3d/arm_view3d.h"

#include "windows/view3d/arm_shape.h"
#include "windows/view3d/path_line.h"
#include "windows/view3d/scene_parts.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QCylinderMesh>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DExtras/QSphereMesh>
#include <Qt3DExtras/Qt3DWindow>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QRenderCapture>
#include <Qt3DRender/QRenderSettings>

namespace view3d {

namespace {

const QColor background(248, 249, 251);
const QColor groundColour(170, 178, 190);
const QColor tableColour(200, 96, 80);
constexpr int groundCells = 10;
const QColor pathColour(200, 30, 60);
const std::array<QColor, 4> partColours{QColor(90, 110, 140), QColor(220, 120, 40),
                                        QColor(50, 140, 200), QColor(90, 170, 90)};
const QColor gripColour(170, 90, 160);
const std::array<QColor, 3> axisColours{QColor(230, 30, 30), QColor(30, 170, 30),
                                        QColor(30, 60, 230)};

QVector3D vector(const arm::Point &p)
{
    return QVector3D(float(p.x), float(p.y), float(p.z));
}

} // namespace

ArmView3D::ArmView3D(const arm::Profile *profile, QWidget *parent)
    : QWidget(parent), m_profile(profile), m_window(new Qt3DExtras::Qt3DWindow),
      m_root(new Qt3DCore::QEntity), m_capture(new Qt3DRender::QRenderCapture)
{
    // Qt 3D's backend reports its start and empty buffers as warnings; they are not the user's.
    QLoggingCategory::setFilterRules(QStringLiteral("Qt3D.Renderer.RHI.Backend.warning=false"));
    m_pose.fill(axes::centre);
    // Multisampling costs four times the pixels, which a software renderer cannot spare while
    // the camera turns; the bars are wide enough to read without it.
    QSurfaceFormat format = m_window->format();
    format.setSamples(0);
    m_window->setFormat(format);
    QSurfaceFormat::setDefaultFormat(format);
    m_window->renderSettings()->setRenderPolicy(Qt3DRender::QRenderSettings::OnDemand);
    m_window->defaultFrameGraph()->setClearColor(background);
    // The capture node above the default frame graph: a branch of its own would draw twice.
    m_window->defaultFrameGraph()->setParent(m_capture);
    m_window->setActiveFrameGraph(m_capture);
    m_window->installEventFilter(this);

    auto *container = QWidget::createWindowContainer(m_window, this);
    container->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
    setMinimumSize(160, 120);

    buildScene();
    m_window->setRootEntity(m_root);
    profileChanged();
}

ArmView3D::~ArmView3D() = default;

void ArmView3D::buildScene()
{
    addLights(m_root);
    auto *bar = new Qt3DExtras::QCylinderMesh(m_root);
    bar->setRadius(1);
    bar->setLength(1);
    bar->setRings(2);
    bar->setSlices(20);
    auto *ball = new Qt3DExtras::QSphereMesh(m_root);
    ball->setRadius(1);
    ball->setRings(10);
    ball->setSlices(16);
    for (size_t i = 0; i < m_bars.size(); ++i)
        m_bars[i] = addSolid(m_root, bar, partColours[i]);
    m_grip = addSolid(m_root, ball, gripColour);
    for (size_t i = 0; i < m_axes.size(); ++i)
        m_axes[i] = addSolid(m_root, bar, axisColours[i]);
    m_ground = std::make_unique<PathLine>(m_root, groundColour, false);
    m_table = std::make_unique<PathLine>(m_root, tableColour, false);
    m_path = std::make_unique<PathLine>(m_root, pathColour);
}

void ArmView3D::profileChanged()
{
    showGround();
    showArm();
    m_orbit.setHome(homePlace(*m_profile));
    showCamera();
}

void ArmView3D::showGround()
{
    const double half = groundHalfSide(*m_profile);
    m_ground->setPoints(grid(half, groundCells, 0));
    // Between the ground's lines, so that the two never fight for a pixel when the table is on
    // the ground.
    const std::optional<double> table = m_profile->arm.table;
    m_table->setPoints(table ? grid(half, groundCells, *table, 0.5) : std::vector<arm::Point>{});
    const double length = armLength(*m_profile) * 0.5, radius = armLength(*m_profile) / 150;
    const std::array<arm::Point, 3> ends{{{length, 0, 0}, {0, length, 0}, {0, 0, length}}};
    for (size_t i = 0; i < m_axes.size(); ++i)
        placeBar(m_axes[i], {{0, 0, 0}, ends[i], radius});
}

void ArmView3D::setPose(const std::array<int, axes::count> &pose)
{
    if (pose == m_pose)
        return;
    m_pose = pose;
    showArm();
}

void ArmView3D::showArm()
{
    const ArmShape shape = armShape(*m_profile, arm::forward(*m_profile, m_pose));
    for (size_t i = 0; i < m_bars.size(); ++i)
        placeBar(m_bars[i], shape.parts[i]);
    placeBall(m_grip, shape.grip, shape.gripRadius);
}

void ArmView3D::setPath(const std::vector<arm::Point> &points)
{
    m_path->setPoints(points);
}

int ArmView3D::pathPointCount() const
{
    return m_path->count();
}

void ArmView3D::showFrom(const OrbitPlace &place)
{
    m_orbit.setPlace(place);
    showCamera();
}

Qt3DRender::QRenderCaptureReply *ArmView3D::capture()
{
    return m_capture->requestCapture();
}

void ArmView3D::showCamera()
{
    Qt3DRender::QCamera *camera = m_window->camera();
    const double distance = m_orbit.place().distance;
    camera->lens()->setPerspectiveProjection(float(Orbit::fieldOfView),
                                             float(m_window->width()) /
                                                 float(std::max(1, m_window->height())),
                                             float(distance / 50), float(distance * 10));
    camera->setUpVector(vector(m_orbit.up()));
    camera->setPosition(vector(m_orbit.eye()));
    camera->setViewCenter(vector(m_orbit.place().target));
}

bool ArmView3D::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && handleMouse(event)) {
        showCamera();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool ArmView3D::handleMouse(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_dragFrom = static_cast<QMouseEvent *>(event)->position().toPoint();
        return true;
    case QEvent::MouseButtonDblClick:
        m_orbit.reset();
        return true;
    case QEvent::MouseMove: {
        const auto *e = static_cast<QMouseEvent *>(event);
        const QPoint at = e->position().toPoint(), by = at - m_dragFrom;
        m_dragFrom = at;
        const bool pan = e->buttons() & (Qt::RightButton | Qt::MiddleButton) ||
                         (e->buttons() & Qt::LeftButton && e->modifiers() & Qt::ShiftModifier);
        if (pan)
            m_orbit.pan(by.x(), by.y(), m_window->height());
        else if (e->buttons() & Qt::LeftButton)
            m_orbit.drag(by.x(), by.y());
        return e->buttons() != Qt::NoButton;
    }
    case QEvent::Wheel:
        m_orbit.zoom(static_cast<QWheelEvent *>(event)->angleDelta().y() / 120.0);
        return true;
    default:
        return false;
    }
}

} // namespace view3d
