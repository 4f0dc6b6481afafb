#pragma once
// How every program says that a file could not be read or written: what was tried with the file
// named between apostrophes, then on the next line (a carriage return, as in every message of
// the window) the reason the system gave.

#include <QString>

namespace program {

// "Cannot save the movement file '/home/ann/a.kmv'" CR "No space left on device"
QString cannot(const QString &what, const QString &path, const QString &reason);

} // namespace program
