#pragma once
// The arm in 3D: Qt 3D's window in a widget, showing the arm at a pose by the profile, a grid
// on the ground, one on the table when the profile has one, the axes at the origin (x red, y green,
// z blue) and a path of the tool point as one line. The mouse moves the camera (orbit.h): a left
// drag turns the scene, a right or middle drag (or Shift and a left drag) pans, the wheel zooms and
// a double click puts the camera back. Frames are drawn only when something changed.
//
// Made only where OpenGL can be had: see view3d_slot.h, which shows one line instead.

#include "core/motion/axes.h"
#include "windows/view3d/orbit.h"

#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

namespace Qt3DCore {
class QEntity;
class QTransform;
} // namespace Qt3DCore
namespace Qt3DExtras {
class Qt3DWindow;
} // namespace Qt3DExtras
namespace Qt3DRender {
class QRenderCapture;
class QRenderCaptureReply;
} // namespace Qt3DRender

namespace view3d {

class PathLine;

class ArmView3D : public QWidget {
    Q_OBJECT
public:
    // Draws the arm by `profile`, which the caller keeps alive; profileChanged() when it changes.
    explicit ArmView3D(const arm::Profile *profile, QWidget *parent = nullptr);
    ~ArmView3D() override;

    void setPose(const std::array<int, axes::count> &pose);
    void setPath(const std::vector<arm::Point> &points);
    // The sizes, the table and the camera's home again, by the profile as it now is.
    void profileChanged();
    // The camera somewhere else (the benchmark's orbit, the README's picture).
    void showFrom(const OrbitPlace &place);

    int pathPointCount() const;
    const Orbit &orbit() const { return m_orbit; }
    // The next frame drawn, read back: the caller owns the reply.
    Qt3DRender::QRenderCaptureReply *capture();
    // The scene's root, for what watches its frames (the benchmark's frame counter).
    Qt3DCore::QEntity *scene() const { return m_root; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildScene();
    void showArm();
    void showGround();
    void showCamera();
    bool handleMouse(QEvent *event);

    const arm::Profile *m_profile;
    Qt3DExtras::Qt3DWindow *m_window;
    Qt3DCore::QEntity *m_root;
    Qt3DRender::QRenderCapture *m_capture;
    std::array<Qt3DCore::QTransform *, 4> m_bars{};
    Qt3DCore::QTransform *m_grip = nullptr;
    std::unique_ptr<PathLine> m_ground; // a grid on the ground
    std::unique_ptr<PathLine> m_table;  // and another where the table is, when there is one
    std::array<Qt3DCore::QTransform *, 3> m_axes{};
    std::unique_ptr<PathLine> m_path;
    std::array<int, axes::count> m_pose{};
    Orbit m_orbit;
    QPoint m_dragFrom;
};

} // namespace view3d
