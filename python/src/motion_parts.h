#pragma once
// kestrel.Motion is bound by subject, each in its own file: the file, the steps and the timing
// (motion_bindings.cpp), the edits of the selection (motion_edit_bindings.cpp), the timed moves
// and the tool point's (motion_timed_bindings.cpp) and the exports (motion_export_binding.cpp).
// What the edits share is here: how a call's indices become the editor's selection, and how
// an edit's result is taken.
#include "bindings.h"
#include "script_motion.h"

#include <optional>

namespace kpy {

using MotionClass = py::class_<ScriptMotion>;

void bindSelectionEdits(MotionClass &c);
void bindTimedEdits(MotionClass &c);
void bindExport(MotionClass &c);

// steps[start:stop] as Python slices them: negative indices from the end, both clipped to the
// steps, and a stop before the start an empty range at the start. No stop: to the end.
struct Slice {
    int start = 0;
    int stop = 0;
};
Slice sliceOf(const ScriptMotion &motion, int start, const std::optional<int> &stop);
// The place before steps[at]; None: the end.
int placeOf(const ScriptMotion &motion, const std::optional<int> &at);

// The editor's result taken as its undo history takes it: refused whole (kestrel.Error with the
// editor's reason) when it would grow the motion past what the editor keeps, and no change at
// all when the records stay the same.
void apply(ScriptMotion &motion, const QString &name, const edits::Edited &edited);

// The profile a call is given, or arm.ini in the motion's configuration folder.
ScriptProfile profileFor(const ScriptMotion &motion, const std::optional<ScriptProfile> &given);

} // namespace kpy
