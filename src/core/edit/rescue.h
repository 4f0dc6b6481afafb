#pragma once
// The steps of recovery, as the editor takes them: keeping this editor's own snapshot after a
// change (and saying once when it cannot), and at start-up offering back what editors that are
// gone left behind, which one to take, which to remove and when. The window only asks the
// operator and shows the motion; the snapshots themselves are recovery.h's.

#include "core/edit/recovery.h"

#include <functional>

namespace recovery {

// The question put about a snapshot left behind.
QString offerText(const LeftBehind &left);

// What a taken snapshot is recovered on top of: its file as it is on disk (nothing when it is a
// new motion or the file cannot be read). The recovered motion is then one edit on top of it,
// so that undo goes back to the file and the motion shows as unsaved.
std::vector<Step> savedState(const Snapshot &snapshot);

struct Offered {
    bool taken = false;
    // The one line that says damaged snapshots were set aside; empty when there were none.
    QString setAside;
};

// The line for `count` damaged snapshots set aside in folder.
QString setAsideText(int count, const QString &folder);

// Offers the snapshots left behind in folder, newest first: `accept` asks about one; a declined
// one is removed. The first accepted one goes to `take`, and is removed only when take says its
// work is safe elsewhere (the window holds it and has kept its own snapshot): a crash in between
// leaves at least one of them. Otherwise it stays for the next start, as do the ones not yet
// offered. Damaged ones are offered nothing from and set aside (see leftBehind).
Offered offer(const QString &folder, const std::function<bool(const LeftBehind &)> &accept,
              const std::function<bool(const Snapshot &)> &take);

struct [[nodiscard]] Kept {
    bool ok = false;
    QString message; // why it could not be kept; said once, then empty
};

// This editor's own snapshot, kept after every change.
class Rescue {
public:
    explicit Rescue(const QString &folder);

    // Keeps `now`, or removes the snapshot when the motion is as saved, which needs no rescue.
    Kept keep(const Snapshot &now, bool asSaved);
    // Removes this editor's snapshot (a save, a clean close), and no other.
    void discard() { m_keeper.discard(); }

private:
    QString m_folder;
    // Another editor's snapshot, running or gone, is never this one's to discard.
    Keeper m_keeper;
    bool m_troubleSaid = false;
};

} // namespace recovery
