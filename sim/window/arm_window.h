#pragma once
// The simulator's window: the pictures of the arm and where its tool point is, each joint's
// position and angle, the line's counters and the last things received. The arm is drawn and
// its numbers worked out by the profile the simulator was started with. It refreshes on a short
// timer rather than on every frame: the line can carry 240 frames a second, more than anyone can
// read. Beside the flat pictures, where OpenGL can be had, the arm in 3D with the trail of its
// tool point over the last poses received.

#include "core/arm/profile.h"
#include "windows/view3d/trail.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <array>

namespace armview {
class SideView;
class TopView;
class GripView;
} // namespace armview
namespace view3d {
class ArmView3D;
} // namespace view3d

namespace sim {

class Simulator;
struct Event;

class ArmWindow : public QWidget {
    Q_OBJECT
public:
    ArmWindow(const Simulator &simulator, const QString &portName, const QString &device, bool echo,
              const arm::Profile &profile);

private:
    void refresh();
    void showPose(); // the joints' numbers and the tool point
    void showInDepth(const std::array<int, axes::count> &pose, const arm::Point &tool);
    QLayout *makePictures(); // the side, top and grip views, and the tool point's readout
    QWidget *makeReadout();
    QWidget *makeRecent(const QString &portName);
    QWidget *makeJoints();
    QWidget *makeLine(const QString &portName, const QString &device, bool echo);

    const Simulator &m_simulator;
    const arm::Profile m_profile; // what the pictures and the numbers go by
    bool m_dirty = true;
    QTimer m_refresh;
    armview::SideView *m_side;
    armview::TopView *m_top;
    armview::GripView *m_grip;
    view3d::ArmView3D *m_view3d = nullptr; // none where there is no 3D view
    view3d::Trail m_trail;
    std::array<QLabel *, 5> m_positions{};
    std::array<QLabel *, 5> m_angles{};
    std::array<QLabel *, 4> m_tool{}; // x, y, z, pitch
    QLabel *m_framesPerSecond = nullptr;
    QLabel *m_frames = nullptr;
    QLabel *m_probes = nullptr;
    QLabel *m_badBytes = nullptr;
    QPlainTextEdit *m_recent = nullptr;
};

} // namespace sim
