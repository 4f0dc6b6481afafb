#pragma once
// What the editor's Save and Export do with a file, and what they say: each returns whether the
// file was written and either the reason it was not (the "Cannot ... '<path>'" message the
// window shows) or what was done (for the status line). Nothing here asks the operator anything.

#include "core/export/exports.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QString>
#include <vector>

namespace editfiles {

struct [[nodiscard]] Written {
    bool ok = false;
    QString message; // why not when !ok; what was written when ok
};

// The path as chosen, with "." + suffix when it has none.
QString withSuffix(const QString &path, const QString &suffix);

// The motion as a movement file at path, whole or nothing. A motion Kestrel could not open again
// (no records, or more than it holds) is refused before anything is written.
Written saveMotion(const QString &path, const std::vector<Step> &records);

// The export pipeline: the motion in `format` (its arm walking to the settings' homes, `loops`
// passes), then written whole to path. `file` is the motion's own file (empty for a new one),
// which the export names and never replaces. Bytes or a sketch of a motion that breaks
// `profile` are refused, and nothing is written.
Written exportMotion(const QString &path, exports::Format format, const std::vector<Step> &records,
                     const config::Settings &settings, int loops, const QString &file,
                     const arm::Profile &profile);

// The question before unsaved changes to the motion of `file` (empty: a new one) are set aside.
QString unsavedQuestion(const QString &file);

} // namespace editfiles
