#pragma once
// Jogging the tool point in the preview, from the keyboard: with the preview focused, the arrow
// keys move the shown pose's tool point 1 mm along x (Up, Down) and y (Left, Right), Page Up and
// Page Down along z, ] and [ tilt the hand's pitch 1 degree; Shift makes each ten. Escape shows
// the clock's pose again, as playing or moving the playhead or the selection does. Each jog is
// solved by TipJog (core); the line under the pictures says where the tool point reached, or
// why the jog was refused. "Insert Pose Here" takes the jogged pose into the motion as a timed
// move before the selection.

#include "core/edit/tip_jog.h"

#include <QObject>

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // False when the key is not one of the jog's.
    bool keyPressed(const QKeyEvent &key);
    void take(const jog::Step &step);
    void ended();
    QWidget *makeRow(); // the jog's line and the Insert Pose Here button, under the pictures

    PreviewPanel &m_preview;
    const EditorProfile &m_profile;
    TimedHandlers &m_timed;
    jog::TipJog m_jog;
    QLabel *m_line;
    QAction *m_insert;
};
