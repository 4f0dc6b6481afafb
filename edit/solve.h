#pragma once
// kestrel-edit --solve: the positions that put the tool point at a place, for a script, with no
// window. It prints what the inverse kinematics answers by the same arm profile the editor and
// --move-to read, so that its first line can be handed to --move-to as it is (commas for
// spaces).

#include "core/arm/inverse.h"
#include "edit/options.h"

#include <QString>

namespace edit {

// The answer's two lines: "b s e w g", then "x y z distance" in mm with two decimals.
QString solvedText(const arm::Solution &solution);

// --solve: the profile read, --from checked against its limits, the target solved. Returns the
// exit status: 0 with the answer on standard output; 2 when --from lies outside the limits; 3
// when the profile cannot be used or the target cannot be reached (the reason on standard
// error, nothing on standard output).
int solve(const Options &o);

} // namespace edit
