#pragma once
// Timing, "Timed Move to Pose...": the pose to move to (typed, taken from a step or from a named
// pose), the duration or "as fast as the caps allow", and the ease. As the answers are typed the
// dialog plans the move by the arm profile's caps and shows the time it takes and each joint's
// peak speed, or why the caps refuse it, in which case OK waits for an answer they accept.

#include "edit/window/form.h"
#include "edit/window/questions.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace ask {

class TimedMoveDialog : public Form {
public:
    TimedMoveDialog(QWidget *parent, const TimedMoveSetup &setup);

    TimedMove chosen() const;
    moves::Planned planned() const;

private:
    void showPlan();

    arm::Profile m_profile;
    timing::Pose m_from;
    PoseFields m_pose;
    TimingFields m_timing;
};

// "1.20 s": a move's duration as the dialog and the status bar give it.
QString secondsText(double seconds);

} // namespace ask
