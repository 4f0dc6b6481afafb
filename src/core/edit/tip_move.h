#pragma once
// Move Tip To: the tool point taken to a point and pitch, either by a joint move (the pose
// nearest the target, solved near the pose the move starts from, reached by a timed move as
// Timed Move to Pose makes one) or by a straight line of the tool point (tip_line.h). What the
// editor's dialog says as the target is typed and what the edit inserts both come from here.

#include "core/edit/selection_edits.h"
#include "core/edit/tip_line.h"

#include <QString>
#include <optional>

class MotionDocument;

namespace tips {

enum class Kind { Joint, Line };

struct Request {
    arm::Target target;
    Kind kind = Kind::Line;
    moves::Ease ease = moves::Ease::Smooth;
    std::optional<double> seconds; // a joint move's duration; none: as fast as the caps allow
    double speed = 50;             // a line's peak speed, mm/s
};

struct [[nodiscard]] Planned {
    timing::Pose end{};              // the pose the move ends in
    double distance = 0;             // of its tool point from the target, mm
    std::optional<moves::Path> path; // a joint move's
    std::optional<lines::Line> line; // a line's
    QString error;                   // why the move cannot be made; then neither of the two

    double seconds() const;
    std::vector<Step> steps() const;
};

Planned plan(const arm::Profile &profile, const timing::Pose &from, const Request &request);

// What the move will do, for the dialog: the pose it ends in, where that puts the tool point and
// how far from the target, then the kind of move, its time and its steps.
QString summary(const arm::Profile &profile, const Planned &planned);

// The planned move inserted before the selection, which it becomes: a joint move as a timed move
// (with its span), a line as steps of its own timing.
edits::Edited beforeSelection(const MotionDocument &d, const Planned &planned);

} // namespace tips
