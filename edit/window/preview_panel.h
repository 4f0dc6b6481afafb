#pragma once
// The preview: the motion played on the drawn arm at the line's pace, with a playhead on the
// timeline. What it plays and where it stands when is its clock's (PreviewClock, core); the
// timer here only decides how often the picture is redrawn. The arm is drawn by its profile. The
// speed is the preview's only: 0.25x to 4x. While a timed move plays, the side view and the view
// from above draw the tool point's eased path with the point it has reached (tool_path.h). The
// 3D view beside them (where OpenGL can be had) shows the pose too, and the whole motion's path.

#include "core/edit/preview_clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>

class EditorProfile;
class MotionDocument;
class QAction;
class QComboBox;
class QLabel;
namespace armview {
class SideView;
class TopView;
} // namespace armview
namespace view3d {
class ArmView3D;
} // namespace view3d

class PreviewPanel : public QWidget {
    Q_OBJECT
public:
    // The pictures draw the arm by `profile`, which the window keeps alive, and again when it
    // changes.
    PreviewPanel(MotionDocument &document, const EditorProfile &profile, QWidget *parent = nullptr);

    QAction *playAction() const { return m_play; }
    QAction *pauseAction() const { return m_pause; }
    QAction *stopAction() const { return m_stop; }
    QAction *loopAction() const { return m_loop; }

    void play();
    void pause();
    void stop();
    bool playing() const { return m_tick.isActive(); }
    double speed() const;
    const timing::Pose &pose() const { return m_pose; }

    // Shows `pose` in place of the clock's until the clock is shown again: play, the playhead,
    // the selection, or showClock(). Not while playing.
    void showGiven(const timing::Pose &pose);
    void showClock();
    bool showingGiven() const { return m_given; }
    // A row of the panel under the pictures, for what is said about them.
    void addBelowPictures(QWidget *row);

Q_SIGNALS:
    // The byte of the first pass being shown; -1 when stopped.
    void playheadMoved(qint64 byte);
    // The clock's pose is shown again in place of the given one.
    void givenDropped();

private:
    void buildControls();
    void layOut();
    void advance();
    void showAt(double byte);
    void showStill();
    void showPose(const timing::Pose &pose);
    // The eased path of the timed move playing at `byte`; none when stopped (byte < 0).
    void showPath(double byte);
    void showButtons();
    void dropGiven();
    void showMotionPath(); // the 3D view's, worked out again when the records or the arm change
    void takeView3D(view3d::ArmView3D *view); // made after the first paint; none: no OpenGL

    MotionDocument &m_document;
    timing::Pose m_pose{};
    const EditorProfile &m_profile;
    QAction *m_play, *m_pause, *m_stop, *m_loop;
    QComboBox *m_speed;
    QLabel *m_time;
    std::array<QWidget *, 3> m_views{};
    armview::SideView *m_side = nullptr;
    armview::TopView *m_top = nullptr;
    bool m_pathShown = false;
    bool m_given = false;
    view3d::ArmView3D *m_view3d = nullptr; // none where there is no 3D view
    QTimer m_tick;
    QElapsedTimer m_elapsed; // the clock's time, running since the panel was made
    PreviewClock m_clock;
};
