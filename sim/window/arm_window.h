#pragma once
// The simulator's window: the pictures of the arm, each joint's position and angle, the line's
// counters and the last things received. It refreshes on a short timer rather than on every
// frame: the line can carry 240 frames a second, more than anyone can read.

#include "core/arm/profile.h"

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

namespace sim {

class Simulator;
struct Event;

class ArmWindow : public QWidget {
    Q_OBJECT
public:
    ArmWindow(const Simulator &simulator, const QString &portName, const QString &device,
              bool echo);

private:
    void refresh();
    QLayout *makePictures(); // the side, top and grip views
    QWidget *makeRecent(const QString &portName);
    QWidget *makeJoints();
    QWidget *makeLine(const QString &portName, const QString &device, bool echo);

    const Simulator &m_simulator;
    arm::Profile m_profile = arm::defaults(); // what the pictures draw the arm by
    bool m_dirty = true;
    QTimer m_refresh;
    armview::SideView *m_side;
    armview::TopView *m_top;
    armview::GripView *m_grip;
    std::array<QLabel *, 5> m_positions{};
    std::array<QLabel *, 5> m_angles{};
    QLabel *m_framesPerSecond = nullptr;
    QLabel *m_frames = nullptr;
    QLabel *m_badBytes = nullptr;
    QPlainTextEdit *m_recent = nullptr;
};

} // namespace sim
