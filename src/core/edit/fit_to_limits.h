#pragma once
// Fit to Limits: the motion brought within the arm's profile as far as its steps can bring it.
// Every played position is clamped into its axis's min..max, and every jump larger than the
// axis's max_step becomes a walk of max_step a step ending at the jump's target, so that no
// frame of the pass throws the arm. A jump is measured as the pass plays it: from where the
// step's axis stands when the pass reaches it, the pass starting from the homes' pose.
//
// Record 1 is never played, so it is left as it is, and so are the steps on channels no servo
// hangs off. What the start-up walk does and what the seam between passes does are not the
// steps' to change: the check list still shows those.

#include "core/arm/profile.h"
#include "core/edit/pass_timing.h"
#include "core/motion/step_buffer.h"

#include <vector>

namespace edits {

struct Fitted {
    std::vector<Step> records; // records[i] is record i + 1, as the document holds them
    int clamped = 0;           // positions moved into their axis's min..max
    int added = 0;             // steps inserted to walk a jump of more than max_step
    bool changed() const { return clamped > 0 || added > 0; }
};

Fitted fittedToLimits(const std::vector<Step> &r, const arm::Profile &profile,
                      const timing::Pose &start);

} // namespace edits
