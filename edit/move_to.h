#pragma once
// kestrel-edit --move-to: a timed move appended to a movement file from a script, with no window.
// The move starts where the file's first pass leaves the arm, as the editor's timed moves at the
// end of a motion do, so a script can chain gestures that each end where the next one begins.

#include "core/arm/profile.h"
#include "core/edit/timed_move.h"
#include "edit/options.h"

#include <QString>
#include <optional>
#include <vector>

namespace edit {

struct [[nodiscard]] MovedTo {
    std::vector<Step> records;
    QString error; // why the caps refuse the move; empty when it was appended
};

// `records` with a timed move to `to` appended, from the pose their first pass (from `start`)
// ends in. No records: the placeholder record 1 a recording starts with comes first.
MovedTo withMoveTo(std::vector<Step> records, const timing::Pose &start,
                   const arm::Profile &profile, const timing::Pose &to, moves::Ease ease,
                   std::optional<double> seconds);

// --move-to: FILE read with the configuration's homes and the arm profile, the move appended and
// the motion written to OUT whole or not at all. Returns the exit status: 0; 3 when FILE or the
// profile cannot be used or the caps refuse the move; 4 when OUT cannot be written.
int moveTo(const Options &o);

} // namespace edit
