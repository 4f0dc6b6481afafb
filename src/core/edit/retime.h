#pragma once
// Retiming: a stretch of a motion made to take a given time without changing its shape. Each
// axis's positions over the stretch's own time (as the pass timing plays them) are stretched or
// squeezed to the new time and put on the line again as a path (path_steps.h): a slower stretch
// visits the same positions in the same order with longer holds; a quicker one skips those it
// has no time to send, never changing their order. The stretch ends at the pose it ended at,
// so what follows it plays as before.

#include "core/edit/motion_edits.h"

#include <QString>
#include <optional>

namespace edits {

// The seconds a stretch takes in the pass.
double rangeSeconds(const std::vector<Step> &r, Range range, const timing::Pose &start);

struct [[nodiscard]] Retimed {
    std::vector<Step> records;
    QString error; // empty when retimed
};

// `range` made to take `seconds` (above 0, at most an hour). Record 1, when it is in the range,
// stays where it is and unplayed. A range with no played step is refused.
Retimed retimed(const std::vector<Step> &r, Range range, double seconds, const timing::Pose &start);

} // namespace edits
