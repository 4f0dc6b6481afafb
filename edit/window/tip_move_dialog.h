#pragma once
// Timing, "Move Tip To...": the point (x, y, z in mm) and the hand's pitch to take the tool point
// to, typed or taken from a pose the arm profile names; then a joint move (timed as Timed Move to
// Pose times it) or a straight line at a speed, each with its ease. As the answers are typed the
// dialog solves and times the move and says where it ends and what it takes, or why it cannot be
// made, in which case OK waits for an answer it can make.

#include "edit/window/form.h"
#include "edit/window/questions.h"

#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace ask {

class TipMoveDialog : public Form {
public:
    TipMoveDialog(QWidget *parent, const TipMoveSetup &setup);

    tips::Request chosen() const;
    tips::Planned planned() const;

private:
    void addTarget(const arm::Reach &start);
    void addKind();
    void showTarget(const arm::Reach &reach);
    void showPlan();

    arm::Profile m_profile;
    timing::Pose m_from;
    std::array<QDoubleSpinBox *, 4> m_target{}; // x, y, z, pitch
    QComboBox *m_named = nullptr;
    QComboBox *m_kind = nullptr;
    TimingFields m_timing;
    QDoubleSpinBox *m_speed = nullptr;
};

} // namespace ask
