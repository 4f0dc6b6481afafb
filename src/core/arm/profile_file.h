#pragma once
// arm.ini: the profile as an INI file, read whole or refused whole. A typo must never remove a
// limit silently, so a key or a section the file does not know is an error, and so is every
// value out of its range; the message names the file, the section and key, and what is wrong.
//
// [arm]    shoulder_height_mm, upper_arm_mm, forearm_mm, hand_mm (above 0), table_mm (empty or
//          absent: no check)
// [base], [shoulder], [elbow], [wrist], [grip]
//          at_0, at_255 (degrees, not equal), min, max (0..255, min not above max),
//          max_step (1..255), max_speed, max_accel (above 0; empty or absent: no cap)
// [poses]  name = base,shoulder,elbow,wrist,grip (named_poses.h)

#include "core/arm/profile.h"

#include <QByteArray>
#include <QString>

namespace arm {

// arm.ini in a configuration folder.
QString profilePath(const QString &configFolder);

struct [[nodiscard]] ProfileRead {
    Profile profile; // the defaults when there is an error
    QString error;   // one line or two (CR between), empty when the file was used
    bool ok() const { return error.isEmpty(); }
};

// The text of a profile named `path` (the path is only for the messages).
ProfileRead parse(const QByteArray &text, const QString &path);

// The profile at `path`. A file that does not exist gives the defaults when it may be missing
// (arm.ini in the configuration folder: no file, no profile) and an error when it was asked for
// by name (--profile). A folder, a device or a file that cannot be read is an error.
ProfileRead load(const QString &path, bool mayBeMissing);

// The file's text for a profile: every key, with a comment saying what it is. parse() reads it
// back equal.
QByteArray write(const Profile &profile);

} // namespace arm
