#pragma once
// Edit, "Arm Profile...": the arm's profile in a dialog. The geometry, each axis's limits, and
// each joint's calibration entered as two measured points ("at position P the joint stands at A
// degrees"), from which at_0 and at_255 are worked out and shown as they are typed. OK checks
// the profile as the file is checked and saves it whole or not at all.

#include "core/arm/profile.h"

#include <QString>
#include <optional>

class QWidget;
class Dialogs;

namespace ask {

// Shows `current` (the profile read from `path`) for editing. On OK, the profile is saved to
// `path` and returned; on Cancel, or when it could not be saved (after saying why through
// `dialogs`), nothing is returned and the file is as it was.
std::optional<arm::Profile> editProfile(QWidget *parent, Dialogs &dialogs, const QString &path,
                                        const arm::Profile &current);

} // namespace ask
