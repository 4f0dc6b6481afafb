#pragma once
// The preview: the motion played on the drawn arm at the line's pace (960 bytes a second, the
// first pass's bytes), the selected range (or from the step picked, or the place between steps,
// to the end), with a playhead on the timeline. The speed is the preview's only: 0.25x to 4x. The
// pace comes from a clock, not from counting timer ticks, so a late tick skips ahead rather than
// slowing the motion down; the timer only decides how often the picture is redrawn.

#include "core/edit/pass_timing.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>

class MotionDocument;
class QAction;
class QComboBox;
class QLabel;

class PreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPanel(MotionDocument &document, QWidget *parent = nullptr);

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

Q_SIGNALS:
    // The byte of the first pass being shown; -1 when stopped.
    void playheadMoved(qint64 byte);

private:
    void advance();
    void restartClock();
    void showAt(double byte);
    void showStill();
    void showPose(const timing::Pose &pose);
    void takeRange();
    void showButtons();

    MotionDocument &m_document;
    timing::Pose m_pose{};
    QAction *m_play, *m_pause, *m_stop, *m_loop;
    QComboBox *m_speed;
    QLabel *m_time;
    std::array<QWidget *, 3> m_views{};
    QTimer m_tick;
    QElapsedTimer m_clock;
    double m_from = 0, m_to = 0; // the bytes played
    double m_base = 0;           // where the clock was last started
    double m_at = -1;            // where the preview stands; -1 when stopped
};
