#pragma once
// Jogging the tool point in the preview, from the keyboard: with the preview focused, the arrow
// keys move the shown pose's tool point 1 mm along x (Up, Down) and y (Left, Right), Page Up and
// Page Down along z, ] and [ tilt the hand's pitch 1 degree; Shift makes each ten. Escape shows
// the clock's pose again, as playing or moving the playhead or the selection does. Each jog is
// solved by TipJog (core); the line under the pictures says where the tool point reached, or
// why the jog was refused. "Insert Pose Here" takes the jogged pose into the motion as a timed
// move before the selection. A game controller (PadJogger) jogs through the same calls, so that
// a pad's jog and a key's go on from each other.

#include "core/edit/pass_timing.h"
#include "core/edit/tip_jog.h"

#include <QObject>
#include <optional>
#include <span>

class EditorProfile;
class MotionDocument;
class PreviewPanel;
class QAction;
class QKeyEvent;
class QLabel;
class TimedHandlers;

class TipJogger : public QObject {
    Q_OBJECT
public:
    TipJogger(PreviewPanel &preview, const MotionDocument &document, const EditorProfile &profile,
              TimedHandlers &timed);

    // Preview, "Insert Pose Here": enabled while a jogged pose is shown.
    QAction *insertAction() const { return m_insert; }

    // The pose a jog starts from: the one on the screen, where a playing preview stops.
    timing::Pose take();
    // From the pose on the screen (take()), the target moved by each step in turn, and the grip
    // set (it moves no tool point); a refused step keeps the pose, and the line says why.
    void jog(std::span<const jog::Step> steps, std::optional<int> grip = std::nullopt);
    // A pose moved joint by joint, shown; the tool point's jogs go on from where it stands.
    void show(const timing::Pose &pose);
    // The clock's pose again in place of a jogged one; false when none was shown.
    bool showClock();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // False when the key is not one of the jog's.
    bool keyPressed(const QKeyEvent &key);
    void shown(const QString &line);
    void ended();
    QWidget *makeRow(); // the jog's line and the Insert Pose Here button, under the pictures

    PreviewPanel &m_preview;
    const EditorProfile &m_profile;
    TimedHandlers &m_timed;
    jog::TipJog m_jog;
    QLabel *m_line;
    QAction *m_insert;
};
