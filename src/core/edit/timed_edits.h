#pragma once
// The timed moves as the editor's menus make them (selection_edits.h does the same for the other
// edits): each returns the records and the selection after it, with the timed move it made, or
// why it cannot be made. The window asks for the pose, the time and the ease, and takes the
// result as one undoable step.

#include "core/arm/profile.h"
#include "core/edit/selection_edits.h"

class MotionDocument;

namespace edits {

struct [[nodiscard]] TimedEdit {
    Edited edited;
    QString error; // empty when the edit may be taken
};

// The pose the arm stands in when the pass reaches the selection (or the place between records).
timing::Pose poseBeforeSelection(const MotionDocument &d);
// The pose at the end of the pass.
timing::Pose poseAtEnd(const MotionDocument &d);

// A timed move along `path` (from the pose before the selection) inserted before the selection;
// the move is selected.
Edited timedMoveBeforeSelection(const MotionDocument &d, const moves::Path &path);

// Steps made to their own timing (a straight line of the tool point) inserted before the
// selection, which they become. They follow no eased path of the joints, so no timed span marks
// them; a retime treats them as any other stretch of the motion.
Edited stepsBeforeSelection(const MotionDocument &d, const std::vector<Step> &steps);

// The selection made to take `seconds`. A selection that is exactly a timed move is made again
// with the same ease and its new time (its caps may refuse it); any other is retimed as it plays
// (retime.h). The retimed stretch stays selected.
TimedEdit retimeSelected(const MotionDocument &d, const arm::Profile &profile, double seconds);

// The move that closes the loop: from the pose the pass ends in back to the one it starts from.
moves::Request loopCloseRequest(const MotionDocument &d, moves::Ease ease,
                                std::optional<double> seconds);
// A timed move along `path` appended at the end of the motion, which is then selected.
Edited closeTheLoop(const MotionDocument &d, const moves::Path &path);

} // namespace edits
