#pragma once
// Nothing lost after a crash: every running editor keeps its working motion and its place on the
// undo stack in a snapshot of its own in the state folder, rewritten after every edit, beside a
// lock file it holds while it runs. At the next start the snapshots whose lock can be taken (their
// editor crashed or was killed) are offered back; a live editor's snapshot is never read.

#include "core/motion/step_buffer.h"
#include "core/store/save_file.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

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

// The snapshot file at path; nullopt when there is none or it is damaged in any way.
std::optional<Snapshot> read(const QString &path);

// This process's own snapshot. The lock is taken with the first save and held until the keeper
// goes, so a process that dies in any way (kill -9 too) leaves a lock whose owner is gone.
class Keeper {
public:
    explicit Keeper(QString folder);
    ~Keeper(); // lets the lock go and leaves the snapshot: only a clean close discards it
    Keeper(const Keeper &) = delete;
    Keeper &operator=(const Keeper &) = delete;

    // Whole or nothing: a kill part-way leaves the previous snapshot as it was.
    [[nodiscard]] SaveResult save(const Snapshot &s);
    // Removes this process's snapshot, and no other.
    void discard();
    QString snapshotPath() const;

private:
    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};

// A snapshot whose editor is gone, locked by this process while it is asked about, so that two
// editors starting together do not both offer it. Dropped without discard(), it stays on disk
// for a later start.
class LeftBehind {
public:
    LeftBehind(std::unique_ptr<QLockFile> lock, QString path, Snapshot s, QDateTime written);
    LeftBehind(LeftBehind &&) noexcept;
    LeftBehind &operator=(LeftBehind &&) noexcept;
    ~LeftBehind();

    const Snapshot &snapshot() const { return m_snapshot; }
    const QDateTime &written() const { return m_written; } // when it was last kept
    // Removes the snapshot (taken or declined), then lets its lock go.
    void discard();

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    Snapshot m_snapshot;
    QDateTime m_written;
};

struct Found {
    std::vector<LeftBehind> offered; // newest first
    // Damaged snapshots of dead editors moved out of the way on the way (see leftBehind).
    int setAside = 0;
};

// The name a damaged snapshot is set aside under, in the state folder.
QString damagedPath(const QString &folder);

// The snapshots in folder whose editors are gone. A damaged one can never be offered, and left
// where it is it would be read again at every start while more of them gathered: each is moved
// out of the way once, the newest to damagedPath() (replacing any before it), so that there is
// one to look into and the folder does not grow; the others are removed. A lock file left without
// a snapshot by a dead editor is cleared away.
Found leftBehind(const QString &folder);

} // namespace recovery
