#pragma once
// The [poses] section of arm.ini: "rest = 127,127,127,127,127" (base, shoulder, elbow, wrist,
// grip). A pose is read and checked with the rest of the file: its five positions must be whole
// numbers within each joint's min..max, so that a move to a named pose never leaves the limits.

#include "core/arm/profile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace arm {

inline constexpr char posesSection[] = "poses";

// Letters, digits, '_' and '-', at most 40 of them: a name every INI reader keeps as it is.
bool validPoseName(const QString &name);

// Reads one key of [poses] into the profile: an empty answer when it fits, else what is wrong
// ("not five whole numbers", ...). `values` is the value as QSettings splits it at commas.
QString readPose(const QString &name, const QStringList &values, Profile &p);

// A pose outside its joint's min..max ("[poses] rest: the elbow at 210 is above its max 200"),
// checked once the whole file is read; empty when every pose fits.
QString posesOutsideLimits(const Profile &p);

// The section's text for the file (nothing when there is no pose).
QByteArray writePoses(const Profile &p);

// The profile with `pose` added, or replacing the pose of the same name; kept in name order.
Profile withPose(Profile p, const NamedPose &pose);

// The pose named `name`, or none.
const NamedPose *poseNamed(const Profile &p, const QString &name);

// "127,127,127,127,127": the positions as the file and the pose fields show them.
QString positionsText(const std::array<int, axes::count> &positions);
// The positions of such a text (blanks around each allowed), or none.
std::optional<std::array<int, axes::count>> positionsFrom(const QString &text);

} // namespace arm
