#pragma once
// Nothing lost after a crash: the editor's working motion and its place on the undo stack, kept
// in one file in the state folder after every edit and offered back at the next start.

#include "core/motion/step_buffer.h"
#include "core/store/save_file.h"

#include <QString>
#include <optional>
#include <vector>

namespace recovery {

// $XDG_STATE_HOME/kestrel, or $HOME/.local/state/kestrel when XDG_STATE_HOME is unset, empty
// or relative (the XDG base directory rules say a relative one is to be ignored). Resolved by
// hand: Qt 6.4 has no standard location for it.
QString stateFolder();

struct Snapshot {
    QString file;              // the movement file being edited; empty for a new motion
    std::vector<Step> records; // the working motion
    int undoIndex = 0;         // the undo stack's index when it was written
    int cleanIndex = -1;       // the stack's clean index; -1 when no state is clean
    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

// Whole or nothing: a kill part-way leaves the previous snapshot as it was.
[[nodiscard]] SaveResult save(const QString &folder, const Snapshot &s);
// The snapshot in folder; nullopt when there is none or it is damaged in any way.
std::optional<Snapshot> load(const QString &folder);
void discard(const QString &folder);

} // namespace recovery
